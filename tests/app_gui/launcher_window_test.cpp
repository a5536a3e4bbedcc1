// The launcher window as the user meets it: layout, texts, the hover frame
// round the artwork and the two web links.

#include <QMouseEvent>
#include <QScreen>

#include "platform/platform.h"
#include "platform/recording_shell.h"
#include "tests/app_gui/launcher_fixture.h"

namespace vl {
namespace {

void MoveMouseOver(QWidget* widget) {
  const QPointF local(3, 3);
  QMouseEvent event(QEvent::MouseMove, local, widget->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST_F(LauncherWindow, IsAFixedCentredWindowWithCaptionAndFont) {
  EXPECT_EQ(form.size(), QSize(601, 227));
  EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the border must not resize";
  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("翎盒信封打印软件"));
  EXPECT_EQ(form.font().family(), QStringLiteral("宋体"));
  EXPECT_EQ(form.font().pixelSize(), 12);
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((form.geometry().center() - desktop.center()).manhattanLength(), 2);
}

TEST_F(LauncherWindow, ControlsSitWhereTheLayoutPutsThem) {
  struct Expected {
    const char* name;
    QRect bounds;
  };
  const Expected table[] = {
      {"Shape1", {32, 32, 169, 161}},        {"Image1", {47, 48, 140, 130}},
      {"SpeedButton1", {224, 32, 105, 41}},  {"SpeedButton2", {344, 32, 105, 41}},
      {"SpeedButton3", {464, 32, 105, 41}},  {"SpeedButton4", {224, 88, 105, 41}},
      {"SpeedButton5", {344, 88, 105, 41}},  {"SpeedButton6", {464, 88, 105, 41}},
      {"SpeedButton7", {224, 152, 105, 41}}, {"SpeedButton8", {464, 152, 105, 41}},
  };
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    const QWidget* w = form.findChild<QWidget*>(QString::fromLatin1(e.name));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), e.bounds);
    EXPECT_EQ(w->cursor().shape(), Qt::PointingHandCursor);
  }
  // The picture lies above the shape, which frames it.
  EXPECT_GT(form.children().indexOf(form.Image1), form.children().indexOf(form.Shape1));
}

TEST_F(LauncherWindow, ButtonsShowTheirActionsCaptions) {
  const QString captions[8] = {QStringLiteral("信封模板（一）"), QStringLiteral("信封模板（二）"),
                               QStringLiteral("信封模板（三）"), QStringLiteral("信封模板（四）"),
                               QStringLiteral("信封模板（五）"), QStringLiteral("信封模板（六）"),
                               QStringLiteral("访问主页"),       QStringLiteral("相关推荐")};
  TvlSpeedButton* buttons[8] = {form.SpeedButton1, form.SpeedButton2, form.SpeedButton3, form.SpeedButton4,
                             form.SpeedButton5, form.SpeedButton6, form.SpeedButton7, form.SpeedButton8};
  ASSERT_EQ(form.ActionList1.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(buttons[i]->Action(), form.ActionList1[static_cast<size_t>(i)]);
    EXPECT_EQ(buttons[i]->Caption(), captions[i]);
    EXPECT_TRUE(buttons[i]->Flat());
  }
  // The web buttons carry the 32 x 32 glyphs of the image list.
  ASSERT_EQ(form.ImageList1.size(), 2u);
  for (const QImage& glyph : form.ImageList1) EXPECT_EQ(glyph.size(), QSize(32, 32));
  EXPECT_EQ(form.SpeedButton7->Glyph().size(), QSize(32, 32));
  EXPECT_EQ(form.SpeedButton8->Glyph().size(), QSize(32, 32));
  EXPECT_TRUE(form.SpeedButton1->Glyph().isNull());
}

TEST_F(LauncherWindow, ArtworkIsTheEmbeddedEnvelopePictureWithTheDesignHint) {
  EXPECT_EQ(form.Image1->Picture().size(), QSize(140, 130)) << "the JPEG resource did not decode";
  EXPECT_EQ(form.Shape1->toolTip(), QStringLiteral("信封设计"));
  EXPECT_EQ(form.Image1->toolTip(), QStringLiteral("信封设计"));
}

TEST_F(LauncherWindow, FrameTurnsSkyBlueOverTheArtworkAndWhiteOverTheWindow) {
  EXPECT_EQ(form.Shape1->BrushColor(), 0xFFFFFFu) << "the frame starts white";
  struct Step {
    QWidget* over;
    TvlColor expected;
  };
  const Step steps[] = {{form.Shape1, 0xF0CAA6}, {&form, 0xFFFFFF}, {form.Image1, 0xF0CAA6},
                        {form.Shape1, 0xF0CAA6}, {&form, 0xFFFFFF}, {&form, 0xFFFFFF}};
  for (const Step& s : steps) {
    MoveMouseOver(s.over);
    EXPECT_EQ(form.Shape1->BrushColor(), s.expected) << s.over->objectName().toStdString();
  }
  // Sky blue is red 166, green 202, blue 240.
  EXPECT_EQ(vlColorToQt(kHoverColor), QColor(166, 202, 240));
}

TEST_F(LauncherWindow, WebButtonsAskTheShellToOpenTheVendorPages) {
  TvlRecordingShell shell;
  TvlShell* previous = vlPlatform().Shell;
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, &shell, nullptr});
  form.SpeedButton7->Click();
  shell.Succeeds = false;  // a failing shell is not reported
  form.SpeedButton8->Click();
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, previous, nullptr});

  ASSERT_EQ(shell.Requests.size(), 2u);
  EXPECT_EQ(shell.Requests[0].Address, kVendorHomePage);
  EXPECT_EQ(shell.Requests[0].Verb, "open");
  EXPECT_EQ(shell.Requests[1].Address, kVendorProductPage);
  EXPECT_EQ(shell.Requests[1].Verb, "open");
  EXPECT_NE(std::string(kVendorHomePage), kVendorProductPage);
}

}  // namespace
}  // namespace vl
