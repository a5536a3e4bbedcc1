// Text views measured and drawn with the installed fonts: wrapping agrees
// with the real widths, never splits a character and does not depend on the
// draw's scale.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/render/render_views.h"
#include "engine/core/engine_state.h"
#include "engine/model/memo_view.h"
#include "engine/model/scratch_canvas.h"
#include "platform/qt/qt_canvas.h"
#include "platform/recording_canvas.h"

namespace vl {
namespace {

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (std::size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

TEST(MemoQtLayout, WrapsByInstalledFontWidthsAtEveryScale) {
  int argc = 1;
  char name[] = "memo_qt_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  TvlQtImageCanvas scratch(1, 1, 96);
  vlSetScratchCanvas(&scratch);
  vlState().DocMode = TvlDocMode::dmPrinting;

  TvlMemoView v;
  v.Width = 120, v.Height = 200;
  v.Memo = {"The quick brown fox jumps over the lazy dog and runs far away", "中文字符测试中文字符测试中文字符测试"};
  v.PrintedMemo = v.Memo;
  v.WrapMemo();
  const std::vector<std::string> lines = v.WrappedLines;
  ASSERT_GT(lines.size(), 4u);
  TvlCanvasFont f;
  f.Height = 13;
  scratch.SetFont(f);
  for (const std::string& line : lines) {
    std::string text = line;
    if (!text.empty() && text.back() == '\x01') text.pop_back();
    EXPECT_TRUE(ValidUtf8(text)) << text;
    EXPECT_LE(scratch.TextWidth(text), 116) << text;
  }

  // The same lines are drawn at twice the size.
  TvlRecordingCanvas measured({2000, 2000}, 96, &scratch);
  v.DrawScaleX = v.DrawScaleY = 2.0;
  v.Draw(measured);
  std::vector<std::string> drawn;
  for (const TvlTextRun& r : measured.TextRuns()) drawn.push_back(r.Text);
  ASSERT_EQ(drawn.size(), lines.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    std::string expected = lines[k];
    if (!expected.empty() && expected.back() == '\x01') expected.pop_back();
    EXPECT_EQ(drawn[k], expected);
  }

  // The text shows on a rendered page.
  TvlMemoView one;
  one.Left = 10, one.Top = 10, one.Width = 200, one.Height = 30;
  one.Memo = {"Hello"};
  const QImage img = vlRenderViewsToImage({&one}, 300, 60, 96);
  int dark = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) dark += (img.pixel(x, y) & 0xFF) < 128;
  EXPECT_GT(dark, 20);

  vlSetScratchCanvas(nullptr);
  vlState().DocMode = TvlDocMode::dmDesign;
}

}  // namespace
}  // namespace vl
