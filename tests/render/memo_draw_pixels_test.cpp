// Text views drawn on the image surface, pixel by pixel: text is transparent
// (what lies beneath keeps every pixel) and spaced text is drawn as wide as
// it is measured, at every resolution.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "app/render/render_views.h"
#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "engine/model/line_view.h"
#include "engine/model/memo_view.h"
#include "engine/model/scratch_canvas.h"
#include "platform/qt/qt_canvas.h"

namespace vl {
namespace {

class MemoDrawPixels : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    scratch_ = std::make_unique<TvlQtImageCanvas>(1, 1, 96);
    vlSetScratchCanvas(scratch_.get());
  }
  void TearDown() override {
    vlSetScratchCanvas(nullptr);
    scratch_.reset();
    app_.reset();
  }

 private:
  int argc_ = 1;
  char name_[16] = "memo_draw_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
  std::unique_ptr<TvlQtImageCanvas> scratch_;
};

constexpr QRgb kWhite = 0xFFFFFF;
QRgb Rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

// Two resolutions: page units one to one, and a printer's 300 dpi.
constexpr double kResolutions[] = {kPageUnitsPerInch, 300};

TEST_F(MemoDrawPixels, TextLeavesWhatLiesBeneathItWhole) {
  struct Case {
    const char* Name;
    std::uint32_t Fill = clNone;
    std::uint16_t FrameTyp = 0, FrameStyle = psSolid, Flags = 0;
    float FrameWidth = 1;
    std::int32_t GapY = 2;
  };
  const Case cases[] = {
      {.Name = "line beneath unfilled text"},
      {.Name = "text on a fill", .Fill = vlRGB(255, 255, 0)},
      {.Name = "double frame", .FrameTyp = vlftTop | vlftLeft, .FrameStyle = psDouble, .FrameWidth = 2},
      {.Name = "top line with GapY 0", .FrameTyp = vlftTop, .GapY = 0},
      {.Name = "underlines", .Flags = flUnderlines, .FrameWidth = 2},
  };
  for (const double dpi : kResolutions) {
    for (const Case& k : cases) {
      SCOPED_TRACE(testing::Message() << k.Name << " at " << dpi << " dpi");
      // The address line of an envelope with the address written over it.
      TvlLineView line;
      line.Left = 10, line.Top = 30, line.Width = 300, line.Height = 1;
      TvlMemoView text;
      text.Left = 20, text.Top = 20, text.Width = 200, text.Height = 20;
      text.FillColor = k.Fill;
      text.FrameTyp = k.FrameTyp, text.FrameStyle = k.FrameStyle, text.FrameWidth = k.FrameWidth;
      text.Flags = static_cast<std::uint16_t>(text.Flags | k.Flags);
      text.GapY = k.GapY;
      const std::vector<TvlView*> views = {&line, &text};

      const QImage bare = vlRenderViewsToImage(views, 340, 60, dpi);
      text.Memo = {"Hello over line"};
      const QImage written = vlRenderViewsToImage(views, 340, 60, dpi);
      int kept = 0, lost = 0, ink = 0;
      for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x) {
          ink += Rgb(written, x, y) != Rgb(bare, x, y);
          if (Rgb(bare, x, y) == kWhite) continue;
          ++(Rgb(written, x, y) == kWhite ? lost : kept);
        }
      EXPECT_GT(ink, 20);  // the text is there
      EXPECT_GT(kept, 100);
      EXPECT_EQ(lost, 0);
    }
  }
}

// The ink of a text, along its reading direction.
int InkLength(const QImage& img, bool turned) {
  int first = -1, last = -1;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (Rgb(img, x, y) != kWhite) {
        const int at = turned ? y : x;
        if (first < 0 || at < first) first = at;
        last = std::max(last, at);
      }
  return first < 0 ? 0 : last - first + 1;
}

TEST_F(MemoDrawPixels, SpacedTextIsDrawnAsWideAsItIsMeasured) {
  struct Case {
    double Dpi;
    std::int32_t Spacing;
    bool Turned;
  };
  std::vector<Case> cases;
  for (const double dpi : {72.0, 96.0, 192.0, 300.0, 600.0})
    for (const bool turned : {false, true}) {
      cases.push_back({dpi, 8, turned});
      cases.push_back({dpi, -1, turned});
    }
  const std::string postcode = "123456";
  const int n = static_cast<int>(postcode.size());
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.Dpi << " dpi, spacing " << k.Spacing << (k.Turned ? ", turned" : ""));
    // A right-aligned postcode; turned, the same reading up the view.
    TvlMemoView v;
    v.Left = 10, v.Top = 10;
    v.Width = k.Turned ? 40 : 150;
    v.Height = k.Turned ? 150 : 40;
    v.Alignment = k.Turned ? vltaVertical : vltaRight;
    v.Font.Size = 14;
    v.Memo = {postcode};
    const QImage plain = vlRenderViewsToImage({&v}, 200, 200, k.Dpi);
    v.CharSpacing = k.Spacing;
    const QImage spaced = vlRenderViewsToImage({&v}, 200, 200, k.Dpi);

    // The widths as measured with the draw's font and spacing.
    const double scale = k.Dpi / kPageUnitsPerInch;
    TvlQtImageCanvas measure(1, 1, static_cast<int>(k.Dpi));
    TvlCanvasFont font;
    font.Name = v.Font.Name;
    font.Height = static_cast<std::int32_t>(v.Font.Size * 96.0 / 72.0 * scale);
    measure.SetFont(font);
    const int measuredPlain = measure.TextWidth(postcode);
    measure.SetCharSpacing(vlRound(k.Spacing * scale));
    const int extra = measure.TextWidth(postcode) - measuredPlain;
    EXPECT_EQ(extra, n * vlRound(k.Spacing * scale));

    // The spacing after the last character is not ink.
    const int inkPlain = InkLength(plain, k.Turned), inkSpaced = InkLength(spaced, k.Turned);
    ASSERT_GT(inkPlain, 0);
    EXPECT_NEAR(inkSpaced - inkPlain, extra * (n - 1) / n, n);
  }
}

}  // namespace
}  // namespace vl
