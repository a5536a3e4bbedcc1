#pragma once
// The dialogs list datasets and fields through the report's dictionary,
// which reaches the datasets through a field resolver. Between runs a
// designed report may have none plugged in; this guard then plugs in one
// over the report's owner for as long as it lives (a resolver already in
// place is left alone, so guards nest).

#include <memory>

namespace vl {

class TvlDictionaryFields;
class TvlReport;

class TvlDesignFields {
 public:
  explicit TvlDesignFields(TvlReport& report);
  ~TvlDesignFields();
  TvlDesignFields(const TvlDesignFields&) = delete;
  TvlDesignFields& operator=(const TvlDesignFields&) = delete;

 private:
  std::unique_ptr<TvlDictionaryFields> own_;
};

}  // namespace vl
