#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "viewer/feed_calibration_form.h"
#include "viewer/print_form.h"
#include "platform/memory_settings_store.h"
#include "tests/platform_qt/qt_application.h"
#include "tests/output/print_platform.h"

namespace vl {
namespace {

class PrintForm : public ::testing::Test {
 protected:
  QApplication& app = test::QtApp();  // before the window
  TvlPrintPlatform platform;
  TvlPrintForm form;
};

void Click(QWidget* w, bool twice = false) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(w, &press);
  if (twice) {
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &dbl);
  }
}

void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &key);
  }
}

QImage Picture(QWidget* w) { return w->grab().toImage(); }

TEST_F(PrintForm, ShowsTheControlsWithTheirCaptions) {
  EXPECT_EQ(form.windowTitle(), "Print");
  EXPECT_EQ(form.size(), QSize(485, 226));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.GroupBox1()->title(), "Printer");
  EXPECT_EQ(form.Label4()->text(), "&Name:");
  EXPECT_EQ(form.PropButton()->text(), "Properties");
  EXPECT_EQ(form.GroupBox2()->title(), "Page range");
  EXPECT_EQ(form.RB1()->text(), "&All");
  EXPECT_EQ(form.RB2()->text(), "Current pa&ge");
  EXPECT_EQ(form.RB3()->text(), "&Pages:");
  EXPECT_EQ(form.Label2()->text(),
            "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12");
  EXPECT_EQ(form.GroupBox3()->title(), "Copies");
  EXPECT_EQ(form.Label1()->text(), "Number of &copies:");
  EXPECT_EQ(form.Label3()->text(), "Co&llate");
  EXPECT_EQ(form.Label5()->text(), "P&rint");
  EXPECT_EQ(form.OkButton()->text(), "OK");
  EXPECT_EQ(form.CancelButton()->text(), "Cancel");
  // Defaults: all pages, one copy, collated, every page number.
  EXPECT_TRUE(form.RB1()->isChecked());
  EXPECT_EQ(form.E1()->text(), "1");
  EXPECT_TRUE(form.CollateCB()->isChecked());
  ASSERT_EQ(form.CB2()->count(), 3);
  EXPECT_EQ(form.CB2()->itemText(0), "All pages");
  EXPECT_EQ(form.CB2()->itemText(1), "Odd pages");
  EXPECT_EQ(form.CB2()->itemText(2), "Even pages");
  EXPECT_EQ(form.CB2()->currentIndex(), 0);
  EXPECT_EQ(form.CB2()->x(), form.Label5()->geometry().right() + 1 + 11);
  // The platform's printers, without the virtual one, the current one chosen.
  ASSERT_EQ(form.CB1()->count(), 2);
  EXPECT_EQ(form.CB1()->itemText(0), "Office laser");
  EXPECT_EQ(form.CB1()->itemText(1), "Envelope printer");
  EXPECT_EQ(form.CB1()->currentIndex(), 1);
  EXPECT_EQ(form.CB1()->iconSize(), QSize(18, 16));
  EXPECT_GE(form.PB1()->width(), 92);
  EXPECT_GE(form.PB1()->height(), 53);
}

TEST_F(PrintForm, RangeEditChoosesPagesAndCollateLabelToggles) {
  Type(form.E2(), "2-4");
  EXPECT_TRUE(form.RB3()->isChecked());
  EXPECT_EQ(form.E2()->text(), "2-4");

  const QImage collated = Picture(form.PB1());
  Click(form.Label3());
  EXPECT_FALSE(form.CollateCB()->isChecked());
  EXPECT_NE(Picture(form.PB1()), collated);  // the uncollated stacks
  Click(form.Label3(), true);  // a double click is a click and a double click
  EXPECT_FALSE(form.CollateCB()->isChecked());
  Click(form.Label3());
  EXPECT_TRUE(form.CollateCB()->isChecked());
  EXPECT_EQ(Picture(form.PB1()), collated);

  // The arrows count up and down, never below one copy.
  form.E1()->stepUp();
  form.E1()->stepUp();
  EXPECT_EQ(form.E1()->value(), 3);
  for (int k = 0; k < 5; ++k) form.E1()->stepDown();
  EXPECT_EQ(form.E1()->value(), 1);

  form.CB2()->setCurrentIndex(2);
  const TvlPrintRequest request = form.Request();
  EXPECT_EQ(request.Range, rcPages);
  EXPECT_EQ(request.PagesText, "2-4");
  EXPECT_EQ(request.Copies, 1);
  EXPECT_TRUE(request.Collate);
  EXPECT_EQ(request.PrintPages, 2);
}

TEST_F(PrintForm, StartsFromTheRequestAndGivesItBack) {
  TvlPrintRequest in;
  in.Range = rcCurrentPage;
  in.PagesText = "5-";
  in.Copies = 4;
  in.Collate = false;
  in.PrintPages = 1;
  form.SetRequest(in);
  EXPECT_TRUE(form.RB2()->isChecked());
  const TvlPrintRequest out = form.Request();
  EXPECT_EQ(out.Range, rcCurrentPage);
  EXPECT_EQ(out.PagesText, "5-");
  EXPECT_EQ(out.Copies, 4);
  EXPECT_FALSE(out.Collate);
  EXPECT_EQ(out.PrintPages, 1);
}

TEST_F(PrintForm, ChoosingAPrinterSelectsItAndCancelGoesBack) {
  TvlPrinter& printer = vlPrinter();
  ASSERT_EQ(printer.SelectedIndex, 1);
  form.CB1()->setCurrentIndex(0);
  EXPECT_EQ(printer.SelectedIndex, 0);  // at once
  EXPECT_EQ(platform.Printers.CurrentIndex(), 0);
  form.CancelButton()->click();
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(printer.SelectedIndex, 1);
  EXPECT_EQ(platform.Printers.CurrentIndex(), 1);
}

TEST_F(PrintForm, OkKeepsTheChosenPrinter) {
  vlPrinter().SelectPrinter(vlPrinter().VirtualIndex);  // a template chose the virtual printer
  TvlPrintForm dialog;
  EXPECT_EQ(dialog.CB1()->currentIndex(), 1);  // the platform's current printer
  dialog.CB1()->setCurrentIndex(0);
  dialog.OkButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(vlPrinter().SelectedIndex, 0);
  EXPECT_EQ(platform.Printers.CurrentIndex(), 0);
}

TEST_F(PrintForm, CancelRestoresTheVirtualPrinterAndThePlatformsPrinter) {
  vlPrinter().SelectPrinter(vlPrinter().VirtualIndex);
  TvlPrintForm dialog;
  dialog.CB1()->setCurrentIndex(0);
  dialog.reject();
  EXPECT_TRUE(vlPrinter().IsVirtual());
  // The next print re-attaches to the platform's current printer: the one of before.
  EXPECT_EQ(platform.Printers.CurrentIndex(), 1);
}

TEST_F(PrintForm, OkRefusesARangeItCannotRead) {
  form.RB3()->setChecked(true);
  form.E2()->setText("1,a");
  form.OkButton()->click();
  EXPECT_NE(form.result(), QDialog::Accepted);
  ASSERT_EQ(platform.Messages.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages.Messages[0].Text,
            "Cannot read the page range \"1,a\": only page numbers, \"-\" and \",\" may be used");
  EXPECT_EQ(platform.Messages.Messages[0].Caption, "Error");
  // "All" ignores what the edit holds.
  form.RB1()->setChecked(true);
  form.OkButton()->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

// The feed calibration opens from the printer group's context menu, for the
// printer chosen there; OK stores what the boxes say, Cancel stores nothing.
TEST_F(PrintForm, FeedCalibrationIsReachedFromThePrinterAndStoredOnOk) {
  TvlMemorySettingsStore settings;
  TvlSettingsStore* previous = vlPlatform().Settings;
  vlInstallPlatform(TvlPlatform{nullptr, &settings});
  EXPECT_TRUE(form.GroupBox1()->actions().contains(form.FeedCalibrationAction()));
  EXPECT_TRUE(form.CB1()->actions().contains(form.FeedCalibrationAction()));
  EXPECT_EQ(form.FeedCalibrationAction()->text(), "Feed calibration...");
  form.CB1()->setCurrentIndex(0);
  for (bool ok : {false, true}) {
    TvlFeedCalibrationForm feed;
    EXPECT_EQ(feed.windowTitle(), "Feed calibration - Office laser");
    feed.ShiftRight()->setValue(1.5);
    feed.ShiftDown()->setValue(-0.75);  // kept in tenths of a millimetre
    feed.Turned()->setChecked(true);
    if (ok)
      feed.accept();
    else
      feed.reject();
    const TvlFeedCalibration stored = ok ? TvlFeedCalibration{15, -8, true} : TvlFeedCalibration{};
    EXPECT_EQ(vlReadFeedCalibration("Office laser"), stored);
  }
  EXPECT_TRUE(vlReadFeedCalibration("Envelope printer").IsNone());
  TvlFeedCalibrationForm again;
  EXPECT_DOUBLE_EQ(again.ShiftRight()->value(), 1.5);
  EXPECT_TRUE(again.Turned()->isChecked());
  vlInstallPlatform(TvlPlatform{nullptr, previous});
}

}  // namespace
}  // namespace vl
