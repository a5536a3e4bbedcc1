#pragma once
// The standard function library: text, date, number, dialog and aggregate
// functions of templates. Function numbers follow List: AVG 0, COUNT 1,
// DAYOF 2, FORMATDATETIME 3, FORMATFLOAT 4, FORMATTEXT 5, INPUT 6, LENGTH 7,
// LOWERCASE 8, MAX 9, MAXNUM 10, MESSAGEBOX 11, MIN 12, MINNUM 13,
// MONTHOF 14, NAMECASE 15, POS 16, SUM 17, TRIM 18, UPPERCASE 19, YEAROF 20.
//
// Every result starts as the text "0". Arguments are evaluated with the
// shared evaluator (vlShared().Evaluator), in an order templates can observe:
// FORMATDATETIME, FORMATFLOAT and FORMATTEXT take their second argument
// first, POS its string before the part looked for, MESSAGEBOX its flags,
// then its title, then its text, INPUT its default before its prompt.
// INPUT and MESSAGEBOX ask through vlPlatform().MessageBox. SUM, AVG, MIN,
// MAX and COUNT hand their raw argument texts to page formation
// (vlRunAccess().Aggregate), which registers or reads the accumulator.
//
// Its constructor also describes, for the expression builder, the built-ins
// of the evaluator, the system variables, the report information words and
// the script words, which no library computes.

#include "engine/script/function_library.h"

namespace vl {

// Codes of the aggregate functions (also the accumulator keys' code).
enum TvlAggregateCode : int { agSum = 11, agMin = 12, agMax = 13, agAvg = 14, agCount = 15 };

class TvlStdFunctionLibrary : public TvlFunctionLibrary {
 public:
  static constexpr const char* kClassName = "TvlStdFunctionLibrary";
  TvlStdFunctionLibrary();
  void ComputeFunction(int number, const TvlValue& p1, const TvlValue& p2, const TvlValue& p3,
                       TvlValue& val) override;
};

}  // namespace vl
