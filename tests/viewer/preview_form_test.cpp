// The preview window driven as a user would: zoom modes and the page
// rectangles they give, paging keys, find and find next, page links, page
// removal, save and open, the toolbar's buttons, placement, and the control
// that embeds the preview.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QPointer>
#include <QTextBrowser>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>
#include <filesystem>

#include "controls/placement.h"
#include "engine/core/units.h"
#include "engine/formation/report_windows.h"
#include "engine/model/report.h"
#include "viewer/help_window.h"
#include "viewer/preview_buttons.h"
#include "viewer/preview_page_setup.h"
#include "viewer/preview_search_form.h"
#include "viewer/print_form.h"
#include "engine/model/views.h"
#include "viewer/preview_control.h"
#include "viewer/preview_form.h"
#include "platform/memory_settings_store.h"
#include "tests/output/preview_fixture.h"
#include "tests/output/print_platform.h"
#include "tests/platform_qt/qt_application.h"

namespace vl {
namespace {

using testing::AddPage;
using testing::Text;

constexpr TvlSize kPage{400, 600};

class PreviewWindow : public ::testing::Test {
 protected:
  PreviewWindow() {
    vlInstallPlatform(TvlPlatform{nullptr, &settings, nullptr, nullptr});
    vlSharedPreviewZoom() = {};
    report.ModalPreview = false;
  }
  ~PreviewWindow() override {
    delete form;
    vlInstallPlatform(TvlPlatform{nullptr, previousSettings, nullptr, nullptr});
  }

  // Shows the report's pages in a window whose surface is 784 x 549 pixels.
  void Open() {
    form = new TvlPreviewForm;
    form->Connect(report);
    form->SetUp();
    form->ResetView(true);
    form->resize(800, 600);
    form->show();
    QApplication::processEvents();
    form->ResetView(true);
  }

  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(form->PBox(), &press);
  }

  // A point on the surface inside a view at (left, top) page units of page (from 1).
  QPoint On(int page, int left, int top) {
    const TvlRect& r = form->Pages()[page - 1].LayoutRect;
    const double f = form->Factor();
    return {r.Left + vlRound((left + 4) * f) + form->ScrollOffset().x(),
            r.Top + vlRound((top + 4) * f) + form->ScrollOffset().y()};
  }

  void Click(QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, form->PBox()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(form->PBox(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, form->PBox()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(form->PBox(), &release);
  }

  QApplication& app = test::QtApp();
  TvlPrintPlatform platform;  // two printers held in memory
  TvlMemorySettingsStore settings;
  TvlSettingsStore* previousSettings = vlPlatform().Settings;
  TvlReport report;
  TvlPreviewForm* form = nullptr;
};

TEST_F(PreviewWindow, HoldsThePagesWhileConnected) {
  for (int i = 0; i < 3; ++i) AddPage(report.EMFPages, kPage);
  Open();
  EXPECT_EQ(report.EMFPages.Count(), 0);
  EXPECT_EQ(form->Pages().Count(), 3);
  EXPECT_EQ(form->PageLabel()->text(), "Page 1/3");
  form->Disconnect();
  EXPECT_EQ(report.EMFPages.Count(), 3);
  EXPECT_EQ(form->Pages().Count(), 0);
}

// The window opens maximised, which resizes it after it is shown: its panels
// and the surface take the whole new size (they stayed at the first size).
TEST_F(PreviewWindow, PanelsFollowTheWindowResizedAfterShowing) {
  AddPage(report.EMFPages, kPage);
  Open();
  form->resize(1000, 760);
  QApplication::processEvents();
  EXPECT_EQ(form->ToolbarPanel()->width(), 1000);
  const QRect panel = form->PreviewPanel()->geometry();
  EXPECT_EQ(panel.top(), form->ToolbarPanel()->height());
  EXPECT_EQ(panel.bottom(), 759);
  EXPECT_EQ(panel.width(), 1000);
  EXPECT_EQ(form->PBox()->width(), 1000 - form->RightPanel()->width());
  EXPECT_EQ(form->PBox()->height(), panel.height() - form->BottomBar()->height());
}

TEST_F(PreviewWindow, ZoomModesGiveThePageRectangles) {
  for (int i = 0; i < 3; ++i) AddPage(report.EMFPages, kPage);
  Open();
  const int w = form->PBox()->width(), h = form->PBox()->height();
  ASSERT_GT(w, 500);
  ASSERT_GT(h, 300);

  form->ChooseZoom(zmWholePage);
  double f = (h - 20.0) / 600;
  EXPECT_DOUBLE_EQ(form->Factor(), f);
  const int pw = vlRound(400 * f), ph = vlRound(600 * f);
  EXPECT_EQ(form->Pages()[0].LayoutRect, (TvlRect{(w - pw) / 2, 10, (w - pw) / 2 + pw, 10 + ph}));
  EXPECT_EQ(form->Pages()[1].LayoutRect.Top, 10 + ph + 10);
  EXPECT_TRUE(form->ZoomEntry(2)->isChecked());
  EXPECT_EQ(vlPreviewButtonCaption(form->ZoomBtn()), QStringLiteral("%1%").arg(vlRound(f * 100)));

  form->ChooseZoom(zmPageWidth);
  f = (w - 20.0) / 400;
  EXPECT_DOUBLE_EQ(form->Factor(), f);
  EXPECT_EQ(form->Pages()[0].LayoutRect.Left, 10);
  EXPECT_EQ(form->Pages()[0].LayoutRect.Right, 10 + vlRound(400 * f));
  EXPECT_FALSE(form->HScrollBar()->isEnabled());
  EXPECT_TRUE(form->VScrollBar()->isEnabled());

  form->ChooseZoom(zmTwoPages);
  f = (w - 30.0) / 800;
  EXPECT_EQ(form->Layout().PagesPerRow, 2);
  EXPECT_EQ(form->Pages()[1].LayoutRect.Left, 10 + vlRound(400 * f) + 10);
  EXPECT_EQ(form->Pages()[2].LayoutRect.Left, 10);

  form->ChooseZoom(50);
  EXPECT_DOUBLE_EQ(form->Factor(), 0.5);
  EXPECT_EQ(vlPreviewButtonCaption(form->ZoomBtn()), "50%");
  EXPECT_TRUE(form->ZoomEntry(50)->isChecked());
  // Three pages of 200 pixels fit one row of the surface.
  EXPECT_EQ(form->Layout().PagesPerRow, 3);
  EXPECT_EQ(form->Pages()[2].LayoutRect, (TvlRect{430, 10, 630, 310}));

  // The next preview starts with the zoom chosen last.
  EXPECT_DOUBLE_EQ(vlSharedPreviewZoom().Factor, 0.5);
  EXPECT_EQ(vlSharedPreviewZoom().Mode, zmPercent);
  report.InitialZoom = pzOnePage;
  form->Disconnect();
  form->Connect(report);
  form->SetUp();
  form->ResetView(true);
  EXPECT_EQ(form->Mode(), zmWholePage);
}

TEST_F(PreviewWindow, PagingKeys) {
  for (int i = 0; i < 5; ++i) AddPage(report.EMFPages, kPage);
  vlSharedPreviewZoom().Mode = zmWholePage;
  Open();
  QScrollBar* v = form->VScrollBar();
  Key(Qt::Key_PageDown, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentPage(), 2);
  EXPECT_EQ(v->value(), form->Pages()[1].LayoutRect.Top - 10);
  EXPECT_EQ(form->PageLabel()->text(), "Page 2/5");
  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentPage(), 5);
  Key(Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentPage(), 4);
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(v->value(), 0);
  EXPECT_EQ(form->CurrentPage(), 1);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(v->value(), 200);
  Key(Qt::Key_Down);
  EXPECT_EQ(v->value(), 210);
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);
  EXPECT_EQ(v->value(), 190);
  // Scrolling past a page's end makes the next page current.
  v->setValue(form->Pages()[2].LayoutRect.Top + 5);
  EXPECT_EQ(form->CurrentPage(), 3);
  // The page buttons at the bottom of the right panel.
  form->PgDownBtn()->click();
  EXPECT_EQ(form->CurrentPage(), 4);
  EXPECT_EQ(form->PgDownBtn()->y(), form->RightPanel()->height() - 16);
  EXPECT_EQ(form->PgUpBtn()->y(), form->RightPanel()->height() - 32);
}

TEST_F(PreviewWindow, FindAndFindNextAcrossPages) {
  AddPage(report.EMFPages, kPage, {Text("Memo1", "Cover")});
  AddPage(report.EMFPages, kPage, {Text("Memo1", "Nothing")});
  AddPage(report.EMFPages, kPage, {Text("Memo1", "Invoice 42", 20, 400)});
  AddPage(report.EMFPages, kPage, {Text("Memo1", "Nothing")});
  AddPage(report.EMFPages, kPage, {Text("Memo1", "second INVOICE", 20, 100)});
  vlSharedPreviewZoom() = {2.0, zmPercent};
  Open();
  Key(Qt::Key_F3);  // nothing searched yet
  EXPECT_EQ(form->CurrentPage(), 1);

  ASSERT_TRUE(form->FindText("invoice", false, false));
  EXPECT_EQ(form->CurrentPage(), 3);
  // Scrolled so that the found text is in view, highlighted.
  const QRect found = form->FoundRect();
  EXPECT_FALSE(found.isEmpty());
  EXPECT_TRUE(form->PBox()->rect().contains(found)) << found.top() << " " << found.bottom();
  const QImage shot = form->PBox()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(found.center()).lightness() < 128, true);  // white inverted

  Key(Qt::Key_F3);
  EXPECT_EQ(form->CurrentPage(), 5);
  // After moving to another page F3 goes on from there.
  Key(Qt::Key_Home, Qt::ControlModifier);
  Key(Qt::Key_F3);
  EXPECT_EQ(form->CurrentPage(), 3);
  EXPECT_FALSE(form->FindText("invoice", true, false));  // case-sensitive: no match
}

TEST_F(PreviewWindow, LinksJumpToPages) {
  AddPage(report.EMFPages, kPage, {Text("URL1", "to three", 20, 20, "@3")});
  AddPage(report.EMFPages, kPage,
          {Text("URL2", "to the start", 20, 20, "@0"), Text("URL3", "nowhere", 20, 100, "@99"),
           Text("URL4", "mail", 20, 200, "info@example.org")});
  for (int i = 0; i < 3; ++i) AddPage(report.EMFPages, kPage);
  vlSharedPreviewZoom().Mode = zmWholePage;
  Open();
  form->SurfaceMouseMove(On(1, 20, 20));
  EXPECT_EQ(form->LinkLabel()->text(), "Page 3");
  EXPECT_EQ(form->PBox()->cursor().shape(), Qt::PointingHandCursor);
  Click(On(1, 20, 20));
  EXPECT_EQ(form->CurrentPage(), 3);

  form->GoToPage(2);
  Click(On(2, 20, 100));  // page 99 of 5
  EXPECT_EQ(form->CurrentPage(), 2);
  Click(On(2, 20, 200));  // no page number after the "@"
  EXPECT_EQ(form->CurrentPage(), 2);
  form->SurfaceMouseMove(On(2, 20, 200));
  EXPECT_EQ(form->LinkLabel()->text(), "info@example.org");
  Click(On(2, 20, 20));
  EXPECT_EQ(form->CurrentPage(), 1);
}

TEST_F(PreviewWindow, DraggingMovesTheView) {
  for (int i = 0; i < 3; ++i) AddPage(report.EMFPages, kPage);
  vlSharedPreviewZoom() = {2.0, zmPercent};
  Open();
  const QPoint start(300, 300);
  QMouseEvent press(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(form->PBox(), &press);
  form->SurfaceMouseMove(start - QPoint(0, 50));
  EXPECT_EQ(form->VScrollBar()->value(), 50);
  form->SurfaceMouseUp();
  form->SurfaceMouseMove(start - QPoint(0, 100));
  EXPECT_EQ(form->VScrollBar()->value(), 50);
}

class PreviewWithDesigner : public PreviewWindow {
 protected:
  PreviewWithDesigner() { vlReportWindows().EditPage = [](TvlReport&, int) { return false; }; }
  ~PreviewWithDesigner() override { vlReportWindows().EditPage = nullptr; }
};

TEST_F(PreviewWithDesigner, RemovePageOnlyWithMoreThanOnePage) {
  AddPage(report.EMFPages, kPage);
  Open();
  EXPECT_FALSE(form->RemovePageEntry()->isEnabled());
  form->AddPage();
  report.Pages.Add();  // the template page new pages take their paper from
  form->AddPage();
  ASSERT_EQ(form->Pages().Count(), 2);
  EXPECT_TRUE(form->RemovePageEntry()->isEnabled());
  platform.Messages.Answers = {TvlMsgResult::No};
  form->RemovePage();
  EXPECT_EQ(form->Pages().Count(), 2);
  platform.Messages.Answers = {TvlMsgResult::Yes};
  form->RemovePage();
  EXPECT_EQ(form->Pages().Count(), 1);
  ASSERT_EQ(platform.Messages.Messages.size(), 2u);
  EXPECT_EQ(platform.Messages.Messages[0].Text, "Remove this page?");
  EXPECT_EQ(platform.Messages.Messages[0].Caption, "Confirm");
  EXPECT_EQ(platform.Messages.Messages[0].Icon, TvlMsgIcon::Question);
  EXPECT_FALSE(form->RemovePageEntry()->isEnabled());
}

TEST_F(PreviewWindow, PageEntriesHiddenWithoutDesigner) {
  AddPage(report.EMFPages, kPage);
  AddPage(report.EMFPages, kPage);
  Open();
  EXPECT_FALSE(form->EditPageEntry()->isVisible());
  EXPECT_FALSE(form->RemovePageEntry()->isEnabled());
}

TEST_F(PreviewWindow, SaveThenOpenGivesTheSamePages) {
  AddPage(report.EMFPages, kPage, {Text("Memo1", "First")});
  AddPage(report.EMFPages, {500, 300}, {Text("Memo1", "Second"), Text("Memo2", "More", 20, 60)});
  Open();
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "vl_preview_test.vlp";
  ASSERT_TRUE(form->SaveReport(file.string()));
  std::vector<std::string> streams;
  for (int i = 0; i < form->Pages().Count(); ++i) streams.push_back(form->Pages().StreamBytes(i));
  form->GoToPage(2);
  ASSERT_TRUE(form->LoadReport(file.string()));
  std::filesystem::remove(file);
  ASSERT_EQ(form->Pages().Count(), 2);
  EXPECT_EQ(form->CurrentPage(), 1);
  // Read through the store: the opened file keeps its pages on disk.
  for (int i = 0; i < 2; ++i) EXPECT_EQ(form->Pages().StreamBytes(i), streams[static_cast<std::size_t>(i)]);
  EXPECT_FALSE(report.Rebuildable);
  // A file that is not one leaves a message and an empty view.
  EXPECT_FALSE(form->LoadReport("/nonexistent/none.vlp"));
  EXPECT_EQ(platform.Messages.Messages.back().Caption, "Error");
}

TEST_F(PreviewWindow, ToolbarFollowsPreviewButtons) {
  AddPage(report.EMFPages, kPage);
  report.PreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
  Open();
  EXPECT_FALSE(form->PageSetupBtn()->isVisibleTo(form));
  for (QWidget* b : {form->ZoomBtn(), form->LoadBtn(), form->SaveBtn(), form->PrintBtn(), form->FindBtn(),
                     form->HelpBtn(), form->ExitBtn()})
    EXPECT_TRUE(b->isVisibleTo(form)) << b->objectName().toStdString();
  EXPECT_EQ(form->LoadBtn()->toolTip(), "Open report");
  EXPECT_EQ(form->ExitBtn()->toolTip(), "Close preview");
  EXPECT_TRUE(form->PrintBtn()->isEnabled());

  report.PreviewButtons = pbLoad | pbPrint;
  report.GrayedButtons = true;
  form->SetUp();
  EXPECT_FALSE(form->ZoomBtn()->isVisibleTo(form));
  EXPECT_FALSE(form->Separator(0)->isVisibleTo(form));
  EXPECT_FALSE(form->Separator(2)->isVisibleTo(form));
  EXPECT_TRUE(vlPreviewButtonGrayed(form->LoadBtn()));
  EXPECT_EQ(form->ZoomEntry(1)->text(), "&Page width");
}

TEST_F(PreviewWindow, PrintAndPageSetupNeedAPrinter) {
  AddPage(report.EMFPages, kPage);
  TvlMemoryPrinter none({}, -1);
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, &none});
  vlResetPrinter(&none);
  Open();
  EXPECT_FALSE(form->PrintBtn()->isEnabled());
  EXPECT_FALSE(form->PageSetupBtn()->isEnabled());
  Key(Qt::Key_P, Qt::ControlModifier);  // nothing happens
  vlInstallPlatform(TvlPlatform{nullptr, nullptr, nullptr, &platform.Printers});
  vlResetPrinter(&platform.Printers);
}

TEST_F(PreviewWindow, PrintsTheRangeThroughTheReport) {
  for (int i = 0; i < 3; ++i) AddPage(report.EMFPages, kPage, {Text("Memo1", "Page")});
  report.ShowPrintDialog = false;
  report.ShowProgress = false;
  Open();
  form->Print();
  EXPECT_EQ(form->LastPrintResult(), TvlPrintResult::Printed);
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Pages.size(), 3u);
  // The pages came back to the window.
  EXPECT_EQ(form->Pages().Count(), 3);
  EXPECT_EQ(report.EMFPages.Count(), 0);
}

// A report built from a template: one page with one text.
void OneTextTemplate(TvlReport& report) {
  TvlPage* page = report.Pages.Add();
  auto memo = std::make_unique<TvlMemoView>();
  memo->Name = "Memo1";
  memo->Left = 40, memo->Top = 40, memo->Width = 200, memo->Height = 20;
  memo->Memo = {"Hello"};
  page->Objects.push_back(std::move(memo));
  report.ShowProgress = false;
}

// A printer chosen in the print dialog becomes the report's, and the report
// is prepared again for it before printing, when RebuildPrinter is on.
TEST_F(PreviewWindow, PrinterChangedInTheDialogRebuildsTheReport) {
  OneTextTemplate(report);
  ASSERT_TRUE(report.Prepare());
  report.RebuildPrinter = true;
  Open();
  QTimer::singleShot(0, [] {
    auto* dialog = dynamic_cast<TvlPrintForm*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->CB1()->setCurrentIndex(0);  // "Office laser"; "Envelope printer" was current
    dialog->OkButton()->click();
  });
  form->Print();
  EXPECT_EQ(form->LastPrintResult(), TvlPrintResult::Printed);
  EXPECT_EQ(report.PrinterName, "Office laser");
  ASSERT_EQ(platform.Job.Jobs.size(), 1u);
  EXPECT_EQ(platform.Job.Jobs[0].Printer, "Office laser");
  EXPECT_EQ(form->Pages().Count(), 1);
}

// Page setup: the margins come back to every template page (hundredths of a
// millimetre to page units) and the report is prepared again.
TEST_F(PreviewWindow, PageSetupTakesTheMarginsAndRebuilds) {
  OneTextTemplate(report);
  report.Pages[0]->Margins = {36, 36, 36, 36};
  ASSERT_TRUE(report.Prepare());
  Open();
  TvlPageSetupChoice seen;
  const TvlPageSetupDialog previous = vlPageSetupDialog();
  vlPageSetupDialog() = [&seen](TvlPageSetupChoice& choice, QWidget*) {
    seen = choice;
    choice.Margins = {2000, 1000, 500, 0};
    return true;
  };
  form->PageSetup();
  vlPageSetupDialog() = previous;
  EXPECT_EQ(seen.Margins, (TvlRect{1000, 1000, 1000, 1000}));  // 36 units shown as 10 mm
  EXPECT_EQ(report.Pages[0]->Margins, (TvlRect{72, 36, 18, 0}));
  ASSERT_EQ(form->Pages().Count(), 1);
  EXPECT_EQ(form->Pages()[0].Margins, (TvlRect{72, 36, 18, 0}));
  EXPECT_EQ(form->CurrentPage(), 1);
}

// ShowPrepared opens a window of its own: non-modal, it returns at once, and
// closing it destroys the window with the pages it holds.
TEST_F(PreviewWindow, ShowPreparedOpensANonModalWindowThatClosesWithItsPages) {
  const TvlReportWindows previous = vlReportWindows();
  vlInstallPreviewWindow();
  for (int i = 0; i < 2; ++i) AddPage(report.EMFPages, kPage);
  report.Title = "Envelopes";
  report.ShowPrepared();
  TvlPreviewForm* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = dynamic_cast<TvlPreviewForm*>(w); f && f->isVisible()) shown = f;
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->windowTitle(), "Preview - Envelopes");
  EXPECT_TRUE(shown->isMaximized());
  EXPECT_EQ(shown->Pages().Count(), 2);
  EXPECT_EQ(report.EMFPages.Count(), 0);
  QPointer<TvlPreviewForm> guard(shown);
  shown->KeyDown(Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(report.EMFPages.Count(), 0);
  vlReportWindows() = previous;
}

TEST_F(PreviewWindow, PlacementIsSavedOnClose) {
  AddPage(report.EMFPages, kPage);
  Open();
  form->move(30, 40);
  form->resize(640, 480);
  form->CloseWindow();
  const std::string key = vlPlacementRoot() + "\\Form\\TvlPreviewForm";
  EXPECT_EQ(settings.ReadInteger(key, "Width", 0), 640);
  EXPECT_EQ(settings.ReadInteger(key, "Height", 0), 480);
  EXPECT_TRUE(settings.ValueExists(key, "XPosition"));
  EXPECT_FALSE(settings.ReadBool(key, "Maximized", true));
}

TEST_F(PreviewWindow, EmbeddedControlRelaysPageChanges) {
  for (int i = 0; i < 4; ++i) AddPage(report.EMFPages, kPage);
  QWidget host;
  host.resize(700, 500);
  TvlPreview preview(&host);
  preview.setGeometry(0, 0, 700, 500);
  std::vector<int> pages;
  preview.OnPageChanged = [&](TvlPreview* sender, int page) {
    EXPECT_EQ(sender, &preview);
    pages.push_back(page);
  };
  preview.SetScrollBars(ssVertical);
  host.show();
  preview.Connect(report);
  QApplication::processEvents();
  EXPECT_EQ(preview.Pages().Count(), 4);
  EXPECT_EQ(report.EMFPages.Count(), 0);
  EXPECT_EQ(preview.Form()->PreviewPanel()->parentWidget(), &preview);
  EXPECT_FALSE(preview.Form()->BottomBar()->isVisibleTo(&preview));
  EXPECT_EQ(preview.Form()->WheelFactor, 3);
  preview.Form()->GoToPage(3);
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages.back(), 3);
}

// The Help button, then a click on a control: the user guide opens at that
// control's topic; a click on the Help button itself only ends the mode.
TEST_F(PreviewWindow, ContextHelpOpensTheTopicOfTheControlClicked) {
  vlInstallPlatform(TvlPlatform{.Help = &vlQtHelpViewer()});
  AddPage(report.EMFPages, kPage);
  Open();
  vlClickPreviewButton(form->HelpBtn());
  ASSERT_TRUE(form->InContextHelp());
  const QPoint at(3, 3);
  QMouseEvent press(QEvent::MouseButtonPress, at, form->FindBtn()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
  QApplication::sendEvent(form->FindBtn(), &press);
  EXPECT_FALSE(form->InContextHelp());
  ASSERT_NE(vlHelpWindow(), nullptr);
  EXPECT_EQ(vlHelpWindow()->Browser()->source().fragment(), "context-204");
  EXPECT_TRUE(vlHelpWindow()->Browser()->toPlainText().contains("Find text"));
  // Help belongs to the window it was asked from: it stays above it and is
  // usable while that window is modal.
  EXPECT_EQ(vlHelpWindow()->parentWidget(), form);
  EXPECT_TRUE(vlHelpWindow()->isWindow());
  vlHelpWindow()->close();
  EXPECT_TRUE(platform.Messages.Messages.empty());
}

TEST(PreviewSearchForm, ShowsItsControls) {
  test::QtApp();
  TvlPreviewSearchForm form;
  EXPECT_EQ(form.windowTitle(), "Find text");
  EXPECT_EQ(form.size(), QSize(262, 158));
  EXPECT_EQ(form.Label1()->text(), "Text to &find");
  EXPECT_EQ(form.GroupBox1()->title(), "Options");
  EXPECT_EQ(form.CB1()->text(), "&Case sensitive");
  EXPECT_EQ(form.GroupBox2()->title(), "Origin");
  EXPECT_TRUE(form.RB1()->isChecked());
  EXPECT_EQ(form.RB1()->text(), "&1st page");
  EXPECT_EQ(form.RB2()->text(), "Current &page");
}

}  // namespace
}  // namespace vl
