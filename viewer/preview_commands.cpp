// The preview window's commands: showing and closing with the window's
// placement, text search, prepared-report files, page setup, page editing
// and context help. Printing is in preview_print.cpp.

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "controls/placement.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/units.h"
#include "engine/model/report.h"
#include "viewer/preview_form.h"
#include "viewer/preview_page_setup.h"
#include "viewer/preview_search_form.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

QString Text(int id) { return vlToQt(vlLoadStr(id)); }

QString ReportFilter() { return Text(str::kReportFile) + QStringLiteral(" (*.vlp)"); }

}  // namespace

// ---- Showing and closing. ----

void TvlPreviewForm::Show(TvlReport& report) {
  Connect(report);
  SetUp();
  ResetView(true);
  RestorePlacement();
  if (report.ModalPreview) {
    exec();
  } else {
    show();
    QApplication::processEvents();
  }
}

// The window opens maximised unless it was closed otherwise.
void TvlPreviewForm::RestorePlacement() {
  setWindowState(windowState() | Qt::WindowMaximized);
  RestoreFormPlacement(*this, "TvlPreviewForm");
}

void TvlPreviewForm::SavePlacement() { SaveFormPlacement(*this, "TvlPreviewForm"); }

void TvlPreviewForm::CloseWindow() {
  if (isModal() || testAttribute(Qt::WA_ShowModal)) {
    SavePlacement();
    accept();
  } else {
    close();
  }
}

void TvlPreviewForm::closeEvent(QCloseEvent* event) {
  if (ToolbarInWindow) SavePlacement();
  QDialog::closeEvent(event);
}

// ---- Find. ----

void TvlPreviewForm::Find() {
  TvlPreviewSearchForm form(this);
  if (form.exec() != QDialog::Accepted) return;
  const std::string text = vlFromQt(form.Edit1()->text());
  if (text.empty()) return;
  FindText(text, form.CB1()->isChecked(), form.RB2()->isChecked());
}

bool TvlPreviewForm::FindText(const std::string& text, bool caseSensitive, bool fromCurrentPage) {
  vlStartSearch(search_, text, caseSensitive, fromCurrentPage, curPage_);
  if (!vlFindNext(*pages_, search_)) return false;
  ShowFound();
  return true;
}

bool TvlPreviewForm::FindNext() {
  if (search_.Text.empty()) return false;
  if (search_.Found && search_.FoundPage != curPage_ - 1) {
    search_.Page = curPage_ - 1;
    search_.Object = 0;
  }
  if (!vlFindNext(*pages_, search_)) return false;
  ShowFound();
  return true;
}

// The page top 10 pixels from the view's top, or further down until the
// text is in view; the same across.
void TvlPreviewForm::ShowFound() {
  const int page = search_.FoundPage + 1;
  const TvlRect& r = (*pages_)[search_.FoundPage].LayoutRect;
  const QRect text = FoundRect().translated(-ofsx_, -ofsy_);
  int v = r.Top - kPageGap;
  if (text.bottom() + 1 > v + pbox_->height()) v = text.bottom() + 1 - pbox_->height() + kPageGap;
  int h = r.Left - kPageGap;
  if (text.right() + 1 > h + pbox_->width()) h = text.right() + 1 - pbox_->width() + kPageGap;
  vScroll_->setValue(v);
  hScroll_->setValue(std::max(0, h));
  curPage_ = page;
  ShowStatus();
  pbox_->repaint();
}

// ---- Files. ----

void TvlPreviewForm::Open() {
  if (!report_) return;
  const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), ReportFilter());
  if (!path.isEmpty()) LoadReport(vlFromQt(path));
}

void TvlPreviewForm::Save() {
  if (!report_) return;
  QString path = QFileDialog::getSaveFileName(this, QString(), QString(), ReportFilter());
  if (path.isEmpty()) return;
  // The extension is always .vlp.
  const int slash = path.lastIndexOf('/');
  const int dot = path.lastIndexOf('.');
  if (dot > slash) path.truncate(dot);
  SaveReport(vlFromQt(path + QStringLiteral(".vlp")));
}

// The pages go back to the report for a file operation and are taken again;
// a failure is shown and reported as false.
bool TvlPreviewForm::WithReportPages(const std::function<void()>& operation) {
  if (!report_) return false;
  Disconnect();
  bool ok = true;
  try {
    operation();
  } catch (const std::exception& e) {
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    ok = false;
  }
  Connect(*report_);
  return ok;
}

bool TvlPreviewForm::LoadReport(const std::string& path) {
  if (!report_) return false;
  const bool ok = WithReportPages([&] { report_->LoadPreparedReport(path); });
  ResetView(true);
  return ok;
}

bool TvlPreviewForm::SaveReport(const std::string& path) {
  if (!report_) return false;
  const bool ok = WithReportPages([&] { report_->SavePreparedReport(path); });
  painter_.ReleaseAll(*pages_);
  pbox_->update();
  return ok;
}

// ---- Page setup. ----

void TvlPreviewForm::PageSetup() {
  if (!report_ || !HasPrinters()) return;
  TvlPageSetupChoice choice;
  choice.Mode = vlPrinter().DeviceMode;
  if (pages_->Count() > 0) {
    const TvlRect& m = (*pages_)[0].Margins;
    choice.Margins = {m.Left * 500 / 18, m.Top * 500 / 18, m.Right * 500 / 18, m.Bottom * 500 / 18};
  }
  if (!vlPageSetupDialog()(choice, this)) return;
  vlApplyPageSetup(*report_, choice);
  Disconnect();
  report_->Prepare();
  Connect(*report_);
  ResetView(true);
}

// ---- Page editing. ----

void TvlPreviewForm::EditPage() {
  if (!report_ || !PageEditingAllowed() || pages_->Count() == 0) return;
  Disconnect();
  report_->EditPreparedPage(curPage_ - 1);
  Connect(*report_);
  ResetView(false);
}

void TvlPreviewForm::AddPage() {
  if (!report_ || report_->Pages.Count() == 0) return;
  pages_->Insert(curPage_ - 1, *report_->Pages[0]);
  ResetView(false);
}

void TvlPreviewForm::RemovePage() {
  if (pages_->Count() < 2) return;
  if (vlPlatform().MessageBox->Show(vlLoadStr(str::kRemovePageQuestion), vlLoadStr(str::kConfirm),
                                    TvlMsgIcon::Question, TvlMsgButtons::YesNo) != TvlMsgResult::Yes)
    return;
  pages_->Delete(curPage_ - 1);
  ResetView(true);
}

// ---- Help. ----

// The next click anywhere in the window comes through the application's
// event filter, so that no control acts on it.
void TvlPreviewForm::StartContextHelp() {
  if (contextHelp_) return;
  contextHelp_ = true;
  qApp->installEventFilter(this);
  QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void TvlPreviewForm::HelpClick(QWidget* clicked) {
  contextHelp_ = false;
  qApp->removeEventFilter(this);
  QApplication::restoreOverrideCursor();
  if (clicked == helpBtn_) return;
  int context = 0;
  for (QWidget* w = clicked; w; w = w->parentWidget()) {
    const QVariant tag = w->property("vlHelpContext");
    if (tag.isValid()) {
      context = tag.toInt();
      break;
    }
  }
  vlPlatform().Help->ShowHelp(kPreviewHelpFile, context);
}

}  // namespace vl
