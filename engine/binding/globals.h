#pragma once
// TvlGlobals: the engine's shared objects, created once at program start and
// destroyed at program end. The shared evaluator's handlers resolve names and
// calls through value resolution (value_resolution.h) for the report in
// vlState().CurReport, and the evaluator is installed as vlShared().Evaluator.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/variables.h"
#include "engine/script/parser.h"

namespace vl {

class TInterpretator;
class TvlView;

class TvlGlobals {
 public:
  // Only one may exist at a time; a second raises TvlError.
  TvlGlobals();
  ~TvlGlobals();
  TvlGlobals(const TvlGlobals&) = delete;
  TvlGlobals& operator=(const TvlGlobals&) = delete;

  // Localised tables, loaded from the string table before anything else.
  std::string FontCharset;             // string 55337
  std::vector<std::string> BandNames;  // the 23 band type names, by band type code

  std::vector<std::string> ScratchList;
  // 8 x 8 pattern that fills empty picture areas: white where x + y is even,
  // silver elsewhere; row-major, colours 0x00BBGGRR.
  std::array<std::uint32_t, 64> PatternBitmap{};
  TvlParser Parser;                            // the shared evaluator
  std::unique_ptr<TInterpretator> Interpreter;  // the report-side interpreter
  // Variables scripts create, and script array elements ("Arr_" name "_"
  // index). Never cleared while the program runs: values survive from one
  // report run to the next.
  TvlVariables ScriptVariables;
  TvlVariables Constants;  // the named constants (mrOk, clRed, CRLF, ...)
  std::vector<TvlView*> NotifyList;  // views to notify
};

// The instance that exists, or nullptr before start-up and after shutdown.
TvlGlobals* vlGlobals();

// Fills a list with the named constants available to every expression.
void vlAddNamedConstants(TvlVariables& constants);

}  // namespace vl
