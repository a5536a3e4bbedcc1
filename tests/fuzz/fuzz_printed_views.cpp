// A prepared page's object stream: a version byte, then printed object
// records to the end. Any bytes must read as views or end in a stream error
// or the missing-class error, never in a crash, hang or runaway allocation.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/print_sink.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vl;

namespace {

std::vector<std::string> Seeds() {
  TvlStreamWriter w;
  w.WriteByte(kCurrentStreamVersion);
  TvlStreamPrintSink sink(w);
  TvlView plain;
  plain.Name = "View1";
  plain.Memo = {"a", "b"};
  plain.Tag = "t";
  plain.Print(sink);
  TvlMemoView memo;
  memo.Name = "Memo1";
  memo.Memo = {"Dear [Name]"};
  memo.Print(sink);
  TvlLineView line;
  line.Print(sink);
  TvlPictureView picture;
  picture.Print(sink);
  TvlBandView band;
  band.Print(sink);
  vlState().CurView = nullptr;  // printing made each of them current
  return {w.TakeBytes()};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  TvlEngineState& state = vlState();
  state.ClearError();  // missing classes add to the error text
  state.StreamVersion = data[0] >= 21 && data[0] <= 25 ? data[0] : kCurrentStreamVersion;
  TvlStreamReader r(data + 1, size - 1);
  try {
    while (r.Remaining() > 0) vlReadPrintedView(r);
  } catch (const TvlError&) {
  }
  state.StreamVersion = kCurrentStreamVersion;
  return 0;
}
