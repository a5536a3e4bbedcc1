#include "engine/data/database_library.h"

#include "engine/core/engine_state.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/string_table.h"
#include "engine/core/value_convert.h"
#include "engine/data/data_source.h"
#include "engine/data/dataset_names.h"
#include "engine/model/report.h"
#include "engine/script/installed_functions.h"

namespace vl {
namespace {

constexpr int kDatabaseCategory = 55620;
constexpr int kFieldIsNullDescription = 55621;

bool FieldIsNull(const std::string& reference) {
  TvlReport* report = vlState().CurReport;
  TvlFieldResolver* resolver = report ? report->Dictionary.FieldResolver() : nullptr;
  if (!resolver) return true;
  // A bare field name names a field of the default dataset only when the
  // report asks for that.
  if (!report->UseDefaultDataSetName && vlSplitFieldReference(reference).size() < 2) return true;
  const TvlFieldBinding binding = resolver->ResolveField(reference);
  if (!binding.Bound()) return true;
  return binding.DataSet->IsNull(std::string_view(binding.Field));
}

}  // namespace

TvlDBFunctionLibrary::TvlDBFunctionLibrary() : TvlFunctionLibrary(kClassName) {
  List = {"FIELDISNULL"};
  vlInstalledFunctions().Add(this, "FIELDISNULL", vlLoadStr(kDatabaseCategory), vlLoadStr(kFieldIsNullDescription));
}

void TvlDBFunctionLibrary::ComputeFunction(int number, const TvlValue& p1, const TvlValue&, const TvlValue&,
                                           TvlValue& val) {
  val = TvlValue(0);
  if (number == 0) val = TvlValue(FieldIsNull(vlValueToText(vlEvaluateText(p1))));
}

}  // namespace vl
