// Compiles any text as a script and runs whatever was compiled, with a step
// bound. Syntax errors must come back as "Line n/m: ..." lines; running must
// end with success or a TvlError, never a crash, hang or other exception.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/script/table_interpretator.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked({
      "begin a := 1; b := a + 2 * 3; if (a > 0) and (b < 9) then c := 'x' else c := 'y' end",
      "begin 10: i := i + 1; if i < 5 then goto 10; exit end",
      "for i := 1 to 3 do begin A[i] := i * i; s := s + A[i] end",
      "begin repeat INC(i) until i > 4; while i > 0 do DEC(i) end",
      "begin // note\n { block } x := COPY('abc', 2, 1) + STR(INT(2.5)); NEWPAGE; end",
      "begin a := (1 + ; goto 99; x := [Page#] end",
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 40000) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  vl::TvlTableInterpretator in;
  in.SetStepLimit(2000);
  in.Variables.Set("i", vl::TvlValue(0));
  in.Variables.Set("s", vl::TvlValue(0));
  in.Variables.Set("a", vl::TvlValue("text"));

  std::vector<std::string> compiled, errors;
  in.Compile(vl::vlSplitLines(text), compiled, errors);
  if (errors.size() > 1) std::abort();
  for (const std::string& e : errors)
    if (e.rfind("Line ", 0) != 0) std::abort();
  try {
    in.Run(compiled);
  } catch (const vl::TvlError&) {
  }
  return 0;
}
