// Printing from the preview: the print dialog as the caller protocol has it,
// a report prepared again for a printer chosen in the dialog when the report
// asks for that, and the pages handed back to the report for the print.

#include <QDialog>

#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/output/print_request.h"
#include "viewer/preview_form.h"
#include "viewer/print_form.h"
#include "engine/printer/printer.h"

namespace vl {

void TvlPreviewForm::Print() {
  if (!report_ || !HasPrinters()) return;
  TvlPrinter& printer = vlPrinter();
  const int before = printer.SelectedIndex;
  TvlPrintRequest request = vlDefaultPrintRequest(*report_);
  if (report_->ShowPrintDialog) {
    TvlPrintForm form(this);
    form.SetRequest(request);
    if (form.exec() != QDialog::Accepted) return;
    request = form.Request();
  }
  const int chosen = printer.SelectedIndex;
  if (report_->RebuildPrinter && chosen != before && report_->Rebuildable) {
    TvlReport& report = *report_;
    const bool changed = vlChangePrinter(before, chosen, report.PrinterName, [&report] {
      for (int i = 0; i < report.Pages.Count(); ++i) report.Pages[i]->ApplyPaper();
      return true;
    });
    if (!changed) return;
    Disconnect();
    report_->Prepare();
    Connect(*report_);
  }
  Disconnect();
  lastPrint_ = vlPrintRequest(*report_, request, curPage_);
  Connect(*report_);
  ResetView(false);
}

}  // namespace vl
