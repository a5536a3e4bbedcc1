// Drawing a prepared report's pages: any bytes that load as a prepared
// report must draw on the recording canvas and on the image canvas (at the
// page's own size and into an extreme rectangle) without a crash, undefined
// behaviour or runaway work. The image is small so that each input costs
// little however large the page says it is.

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"
#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "platform/recording_message_box.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/model/prepared_fixture.h"

using namespace vl;

namespace {

constexpr int kPagesDrawn = 2;
constexpr std::int32_t kImageWidth = 120, kImageHeight = 170;

// A page with a text of many lines, spacing, alignment and a band view's
// columns, so that the fuzzer has every field to bend.
std::string RichStream() {
  TvlPreparedPage page;
  page.Stream.WriteByte(kPreparedStreamVersion);
  auto memo = testing::TextView("Memo1", 10, 20, 200, 60, "one");
  memo->Memo = {"one two three four five six", "seven"};
  memo->Flags = flWordWrap | flUnderlines;
  memo->LineSpacing = 3;
  memo->CharSpacing = 1;
  memo->Alignment = vltaDown | vltaCenter;
  auto turned = testing::TextView("Memo2", 300, 20, 40, 200, "turned text");
  turned->Alignment = vltaVertical | vltaMiddle;
  TvlLineView line;
  line.Name = "Line1";
  line.Left = 5, line.Top = 50, line.Width = 300, line.Height = 0;
  testing::PrintInto(page, {memo.get(), turned.get(), &line});
  return page.Stream.Bytes();
}

std::vector<std::string> Seeds() {
  testing::StreamBuilder s(25);
  s.U8(25).U8(0).Str("Virtual printer").I32(1);
  testing::PageRecord(s, true, 9, 2100, 2970, 0, RichStream());
  s.U8(77);
  return {s.Bytes(), testing::CurrentLayoutFile(25), testing::CurrentLayoutFile(24)};
}

void DrawPage(TvlEMFPages& pages, int index, TvlCanvas& canvas, const TvlRect& target) {
  pages[index].Visible = true;
  pages.Draw(index, canvas, target);
  pages[index].Visible = false;
  pages.Draw(index, canvas, TvlRect{});  // lets the page's views go
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int qtArgc = 1;
  static char name[] = "fuzz_draw_prepared";
  static char* qtArgv[] = {name, nullptr};
  static QGuiApplication app(qtArgc, qtArgv);
  (void)argc;
  (void)argv;
  static TvlMemoryPrinter noPrinters;
  static TvlRecordingMessageBox box;
  vlResetPrinter(&noPrinters);
  vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, &noPrinters});
  vl::fuzz::WriteSeedsIfAsked(Seeds());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TvlReport report;
  TvlEMFPages& pages = report.EMFPages;
  try {
    TvlStreamReader r(data, size);
    pages.LoadFromStream(r);
  } catch (const TvlError&) {
    return 0;
  }
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  for (int k = 0; k < pages.Count() && k < kPagesDrawn; ++k) {
    const TvlPaperMetrics& m = pages[k].PaperMetrics;
    TvlRecordingCanvas recording;
    DrawPage(pages, k, recording, TvlRect{0, 0, m.PaperWidthU, m.PaperHeightU});
    DrawPage(pages, k, recording, TvlRect{kMin, kMin, kMax, kMax});
    TvlQtImageCanvas image(kImageWidth, kImageHeight);
    DrawPage(pages, k, image, TvlRect{0, 0, kImageWidth, kImageHeight});
  }
  return 0;
}
