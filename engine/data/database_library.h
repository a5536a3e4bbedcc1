#pragma once
// The database function library: FIELDISNULL(reference), whose argument is
// evaluated to a text naming a field the way report texts name one
// ('Customers."Zip code"'; a bare field name means the current band's
// default dataset when the report's UseDefaultDataSetName is on). The answer
// is true when no dataset or no such field is found, otherwise whether the
// field of the current record is null. Fields are found through the current
// report's dictionary (its field resolver).

#include "engine/script/function_library.h"

namespace vl {

class TvlDBFunctionLibrary : public TvlFunctionLibrary {
 public:
  static constexpr const char* kClassName = "TvlDBFunctionLibrary";
  TvlDBFunctionLibrary();
  void ComputeFunction(int number, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                       TvlValue& val) override;
};

}  // namespace vl
