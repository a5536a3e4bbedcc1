// The flat speed button: clicks and latching in groups, the pressed and
// latched states, the greyed look and the images derived for each state.

#include <QPainter>

#include "controls/button_glyphs.h"
#include "controls/edges.h"
#include "controls/speed_button.h"
#include "tests/controls/controls_fixture.h"

namespace vl {
namespace {

TEST(SpeedButton, ClicksLatchAndReleaseByGroupRules) {
  struct Case {
    const char* what;
    int group;
    bool allowAllUp;
    bool downAfterFirst, downAfterSecond;
  };
  const Case cases[] = {
      {"no group never latches", 0, false, false, false},
      {"group latches and cannot be clicked up", 1, false, true, true},
      {"group with all up latches and releases", 1, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QWidget parent;
    TvlSpeedButton button(&parent);
    EXPECT_EQ(button.size(), QSize(22, 22));
    button.SetGroupIndex(c.group);
    button.SetAllowAllUp(c.allowAllUp);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    Click(&button);
    EXPECT_EQ(button.Down(), c.downAfterFirst);
    EXPECT_EQ(button.State(), c.downAfterFirst ? bsExclusive : bsUp);
    Click(&button);
    EXPECT_EQ(button.Down(), c.downAfterSecond);
    EXPECT_EQ(clicks, 2) << "a release inside always clicks";
  }
}

TEST(SpeedButton, PressedStateFollowsTheMouseAndAReleaseOutsideDoesNotClick) {
  TvlSpeedButton button;
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  Press(&button, {5, 5});
  EXPECT_EQ(button.State(), bsDown);
  Drag(&button, {40, 5});
  EXPECT_EQ(button.State(), bsUp);
  Drag(&button, {6, 6});
  EXPECT_EQ(button.State(), bsDown);
  Drag(&button, {-3, 6});
  Release(&button, {-3, 6});
  EXPECT_EQ(button.State(), bsUp);
  EXPECT_EQ(clicks, 0);

  // A latched button stays latched while pressed, inside or out.
  button.SetGroupIndex(3);
  button.SetDown(true);
  Press(&button, {5, 5});
  EXPECT_EQ(button.State(), bsExclusive);
  Drag(&button, {40, 5});
  EXPECT_EQ(button.State(), bsExclusive);
  Release(&button, {40, 5});
  EXPECT_TRUE(button.Down());
  EXPECT_EQ(button.State(), bsExclusive);
}

TEST(SpeedButton, LatchingReleasesTheGroupWhichTakesOverAllowAllUp) {
  QWidget parent;
  TvlSpeedButton a(&parent), b(&parent), c(&parent), other(&parent);
  for (TvlSpeedButton* button : {&a, &b, &c}) button->SetGroupIndex(1);
  other.SetGroupIndex(2);
  a.SetDown(true);
  other.SetDown(true);
  b.SetAllowAllUp(true);
  b.SetDown(true);
  EXPECT_FALSE(a.Down());
  EXPECT_EQ(a.State(), bsUp);
  EXPECT_TRUE(b.Down());
  EXPECT_TRUE(other.Down()) << "another group is left alone";
  EXPECT_TRUE(a.AllowAllUp());
  EXPECT_TRUE(c.AllowAllUp());
  b.SetDown(false);
  EXPECT_FALSE(b.Down()) << "all up is allowed now";

  TvlSpeedButton loose(&parent);
  loose.SetDown(true);
  EXPECT_FALSE(loose.Down()) << "a button without a group never latches";
}

TEST(SpeedButton, DoubleClickOnALatchedButtonIsReported) {
  TvlSpeedButton button;
  button.SetGroupIndex(1);
  int doubles = 0;
  button.OnDblClick = [&] { ++doubles; };
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(&button, &dbl);
  EXPECT_EQ(doubles, 0);
  button.SetDown(true);
  QApplication::sendEvent(&button, &dbl);
  EXPECT_EQ(doubles, 1);
}

// A 16 x 16 glyph: a red square on a white ground (white, the bottom-left
// pixel, is its transparent colour).
QImage RedGlyph() {
  QImage glyph(16, 16, QImage::Format_RGB32);
  glyph.fill(Qt::white);
  QPainter(&glyph).fillRect(4, 4, 8, 8, QColor(255, 0, 0));
  return glyph;
}

TEST(SpeedButton, GreyedFlatButtonShowsItsGlyphInGreyUntilTheMouseIsOverIt) {
  QWidget parent;
  parent.resize(60, 60);
  TvlSpeedButton button(&parent);
  button.SetFlat(true);
  button.SetGlyph(RedGlyph());
  parent.show();
  const QPoint centre(11, 11);  // the glyph sits at (3, 3)
  auto pixel = [&] { return button.grab().toImage().pixelColor(centre); };

  EXPECT_EQ(button.PaintState(), bsGrayed);
  EXPECT_EQ(pixel(), QColor(76, 76, 76)) << "pure red is grey level 76";
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.MouseInControl());
  EXPECT_EQ(pixel(), QColor(255, 0, 0));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&button, &leave);
  EXPECT_EQ(pixel(), QColor(76, 76, 76));

  button.SetGrayedInactive(false);
  EXPECT_EQ(button.PaintState(), bsUp);
  EXPECT_EQ(pixel(), QColor(255, 0, 0));
  button.SetGrayedInactive(true);
  button.setEnabled(false);
  EXPECT_EQ(button.PaintState(), bsDisabled) << "only an enabled button greys";
  button.SetFlat(false);
  button.setEnabled(true);
  EXPECT_EQ(button.PaintState(), bsUp) << "only a flat button greys";
}

TEST(SpeedButton, StateImagesComeFromTheGlyphOrAreDerived) {
  const TvlGlyphColors colors{QColor(0xF0, 0xF0, 0xF0), QColor(0xFF, 0xFF, 0xFE), QColor(0xA0, 0xA0, 0xA0)};
  // Four images side by side, 2 x 2 each, filled with 10, 20, 30, 40 in red
  // but for a bottom-left pixel in the glyph's transparent colour (blue, the
  // bottom-left pixel of the whole glyph).
  QImage four(8, 2, QImage::Format_RGB32);
  for (int n = 0; n < 4; ++n) {
    QPainter(&four).fillRect(2 * n, 0, 2, 2, QColor(10 * (n + 1), 0, 0));
    four.setPixel(2 * n, 1, qRgb(0, 0, 255));
  }
  struct Case {
    int numGlyphs, state, red;
  };
  const Case cases[] = {{4, bsUp, 10}, {4, bsDown, 30}, {4, bsExclusive, 40}, {3, bsDown, 30},
                        {3, bsExclusive, 10}, {2, bsDown, 10}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.numGlyphs << " images, state " << c.state);
    QImage glyph = four.copy(0, 0, 2 * c.numGlyphs, 2);
    const QImage image = vlButtonImage(glyph, c.numGlyphs, c.state, colors);
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(image.pixelColor(1, 0).red(), c.red);
    EXPECT_EQ(qAlpha(image.pixel(0, 1)), 0) << "the transparent colour lets the face through";
  }

  // Disabled from a second image: white to highlight, grey to shadow,
  // transparent to face.
  QImage two(4, 1, QImage::Format_RGB32);
  two.setPixel(0, 0, qRgb(0, 0, 255));
  two.setPixel(1, 0, qRgb(9, 9, 9));
  two.setPixel(2, 0, qRgb(255, 255, 255));
  two.setPixel(3, 0, qRgb(0x80, 0x80, 0x80));
  QImage second = two;
  second.setPixel(2, 0, qRgb(0, 0, 255));  // the second image: transparent, white
  second.setPixel(3, 0, qRgb(255, 255, 255));
  const QImage disabled2 = vlButtonImage(second, 2, bsDisabled, colors);
  EXPECT_EQ(disabled2.pixelColor(0, 0), colors.Face);
  EXPECT_EQ(disabled2.pixelColor(1, 0), colors.Highlight);

  // Disabled from a single image: the shape in shadow, highlight one pixel
  // down and right of it.
  QImage single(3, 3, QImage::Format_RGB32);
  single.fill(Qt::white);
  single.setPixel(0, 0, qRgb(200, 0, 0));
  const QImage embossed = vlButtonImage(single, 1, bsDisabled, colors);
  EXPECT_EQ(embossed.pixelColor(0, 0), colors.Shadow);
  EXPECT_EQ(embossed.pixelColor(1, 1), colors.Highlight);
  EXPECT_EQ(qAlpha(embossed.pixel(2, 2)), 0);

  // Greyed: the face colour and the transparent colour stay.
  QImage mixed(3, 1, QImage::Format_RGB32);
  mixed.setPixel(0, 0, qRgb(0, 0, 255));  // transparent (bottom-left)
  mixed.setPixel(1, 0, colors.Face.rgb());
  mixed.setPixel(2, 0, qRgb(0, 255, 0));
  const QImage greyed = vlGreyedImage(mixed, TvlGlyphTransparency(mixed), colors.Face);
  EXPECT_EQ(greyed.pixelColor(0, 0), QColor(0, 0, 255));
  EXPECT_EQ(greyed.pixelColor(1, 0), colors.Face);
  EXPECT_EQ(greyed.pixelColor(2, 0), QColor(149, 149, 149));  // 150 * 255 / 256
}

TEST(SpeedButton, LatchedFlatButtonIsDitheredAndSunkenUntilHovered) {
  QWidget parent;
  TvlSpeedButton button(&parent);
  button.SetFlat(true);
  button.SetGrayedInactive(false);
  button.SetGroupIndex(1);
  button.SetDown(true);
  parent.show();
  const TvlControlColors colors = TvlControlColors::Of(&button);
  QImage image = button.grab().toImage();
  EXPECT_EQ(image.pixel(0, 0), colors.Shadow.rgb()) << "a latched button's frame is sunken";
  EXPECT_EQ(image.pixel(21, 21), colors.Highlight.rgb());
  EXPECT_NE(image.pixel(10, 10), image.pixel(11, 10)) << "the face is dithered";
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&button, &enter);
  image = button.grab().toImage();
  EXPECT_EQ(image.pixel(10, 10), image.pixel(11, 10)) << "hovered, the face is plain";
}

}  // namespace
}  // namespace vl
