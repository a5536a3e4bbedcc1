#include "designer/field_resolver_guard.h"

#include "engine/data/dictionary_fields.h"
#include "engine/model/report.h"

namespace vl {

TvlDesignFields::TvlDesignFields(TvlReport& report) {
  if (!report.Dictionary.FieldResolver())
    own_ = std::make_unique<TvlDictionaryFields>(report.Dictionary, report.Owner);
}

TvlDesignFields::~TvlDesignFields() = default;

}  // namespace vl
