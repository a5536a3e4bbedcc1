#include "engine/output/print_request.h"

namespace vl {

TvlPrintRequest vlDefaultPrintRequest(const TvlReport& report) {
  TvlPrintRequest request;
  request.Copies = report.DefaultCopies < 1 ? 1 : report.DefaultCopies;
  request.Collate = report.DefaultCollate;
  return request;
}

std::string vlRangeText(const TvlPrintRequest& request, std::int32_t currentPage) {
  switch (request.Range) {
    case rcCurrentPage: return std::to_string(currentPage);
    case rcPages: return request.PagesText;
    case rcAll: break;
  }
  return {};
}

TvlPrintResult vlPrintRequest(TvlReport& report, const TvlPrintRequest& request, std::int32_t currentPage) {
  return report.PrintPrepared(vlRangeText(request, currentPage), request.Copies, request.PrintPages,
                              request.Collate);
}

}  // namespace vl
