#include "viewer/print_dialog.h"

#include "engine/output/print_request.h"
#include "viewer/print_form.h"
#include "engine/printer/printer.h"

namespace vl {

TvlPrintResult vlPrintWithDialog(TvlReport& report, std::int32_t currentPage, QWidget* parent) {
  if (vlPrinter().VirtualIndex == 0) return TvlPrintResult::NoPrinter;
  TvlPrintRequest request = vlDefaultPrintRequest(report);
  if (report.ShowPrintDialog) {
    TvlPrintForm form(parent);
    form.SetRequest(request);
    if (form.exec() != QDialog::Accepted) return TvlPrintResult::Cancelled;
    request = form.Request();
  }
  return vlPrintRequest(report, request, currentPage);
}

}  // namespace vl
