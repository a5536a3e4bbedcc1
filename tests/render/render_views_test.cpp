#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/render/render_views.h"
#include "engine/core/engine_state.h"
#include "engine/core/units.h"

namespace vl {
namespace {

std::uint32_t Rgb(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

TEST(RenderViews, DrawsFillAndFrameScaledToTheResolution) {
  int argc = 1;
  char name[] = "render_test";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);

  TvlView filled;
  filled.Left = 10, filled.Top = 10, filled.Width = 50, filled.Height = 20;
  filled.FillColor = vlRGB(255, 0, 0);
  filled.FrameTyp = vlftLeft | vlftRight | vlftTop | vlftBottom;
  TvlView outline;  // no fill: only its bottom line shows
  outline.Left = 100, outline.Top = 50, outline.Width = 40, outline.Height = 10;
  outline.FrameTyp = vlftBottom;
  outline.FrameColor = vlRGB(0, 0, 255);
  TvlView hidden;
  hidden.Left = 150, hidden.Top = 0, hidden.Width = 40, hidden.Height = 40;
  hidden.FillColor = clBlack;
  hidden.Visible = false;
  const std::vector<TvlView*> views = {&filled, &outline, &hidden};

  vlState().DocMode = TvlDocMode::dmDesign;
  const QImage one = vlRenderViewsToImage(views, 200, 100, kPageUnitsPerInch);
  ASSERT_EQ(one.size(), QSize(200, 100));
  EXPECT_EQ(Rgb(one, 30, 20), 0xFF0000u);
  EXPECT_EQ(Rgb(one, 10, 20), 0x000000u);  // left frame line
  EXPECT_EQ(Rgb(one, 5, 5), 0xFFFFFFu);
  EXPECT_EQ(Rgb(one, 120, 55), 0xFFFFFFu);  // no fill
  EXPECT_EQ(Rgb(one, 120, 60), 0x0000FFu);
  EXPECT_EQ(Rgb(one, 170, 20), 0xFFFFFFu);  // hidden
  EXPECT_EQ(vlState().DocMode, TvlDocMode::dmDesign);
  EXPECT_EQ(filled.Left, 10);  // geometry is never left scaled

  const QImage two = vlRenderViewsToImage(views, 200, 100, 2 * kPageUnitsPerInch);
  ASSERT_EQ(two.size(), QSize(400, 200));
  EXPECT_EQ(Rgb(two, 60, 40), 0xFF0000u);
  EXPECT_EQ(Rgb(two, 20, 40), 0x000000u);
  EXPECT_EQ(Rgb(two, 240, 120), 0x0000FFu);
}

}  // namespace
}  // namespace vl
