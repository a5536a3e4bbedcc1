// A barcode view's record, read in either form and drawn: any bytes must
// read as a view and draw, or end in a stream error, never in a crash, hang
// or runaway allocation (libzint sees whatever value the record holds).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "platform/recording_canvas.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vl;

namespace {

// The first byte chooses the form (bit 0) and the document mode (bit 1).
std::vector<std::string> Seeds() {
  std::vector<std::string> seeds;
  const char* samples[] = {"Code 128", "CODE39", "501234567890", "QR [x]", "DM", "01234567094987654321-01234567891",
                           "SN34RD1A", "56439111", "Han Xin"};
  for (std::uint8_t k = 0; k < bcSymbologyCount; ++k) {
    TvlBarCodeView v;
    v.Symbology = k;
    v.Code = samples[k];
    v.Width = 200, v.Height = 60;
    v.Rotation = (k % 4) * 90;
    v.FitToView = k % 2 == 0;
    TvlStreamWriter w;
    w.WriteByte(k & 3);
    v.PrintingForm = (k & 1) != 0;
    v.SaveToStream(w);
    seeds.push_back(w.TakeBytes());
  }
  return seeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  TvlEngineState& state = vlState();
  state.StreamVersion = kCurrentStreamVersion;
  state.DocMode = (data[0] & 2) ? TvlDocMode::dmDesign : TvlDocMode::dmPrinting;
  TvlStreamReader r(data + 1, size - 1);
  TvlBarCodeView view;
  view.PrintingForm = (data[0] & 1) != 0;
  try {
    view.LoadFromStream(r);
  } catch (const TvlError&) {
    state.DocMode = TvlDocMode::dmDesign;
    return 0;
  }
  // The shared view geometry and frame are bounded here (about 280 m):
  // this target is about the barcode's own record and drawing, not the
  // base view's sums.
  for (std::int32_t* g : {&view.Left, &view.Top, &view.Width, &view.Height, &view.GapX, &view.GapY})
    *g = std::clamp(*g, -1000000, 1000000);
  view.FrameWidth = std::clamp(view.FrameWidth, 0.0f, 100.0f);
  TvlRecordingCanvas canvas;
  view.Draw(canvas);
  state.CurView = nullptr;  // drawing made it current
  state.DocMode = TvlDocMode::dmDesign;
  return 0;
}
