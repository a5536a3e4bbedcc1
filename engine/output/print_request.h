#pragma once
// What the preview asks of a print and how it reaches PrintPrepared: the
// request starts from the report's DefaultCopies and DefaultCollate, the
// print dialog (when the report's ShowPrintDialog is on) changes it, and the
// range choice becomes the range text.

#include <cstdint>
#include <string>

#include "engine/model/report.h"

namespace vl {

enum TvlRangeChoice : std::uint8_t { rcAll, rcCurrentPage, rcPages };

struct TvlPrintRequest {
  TvlRangeChoice Range = rcAll;
  std::string PagesText;       // the range edit's text, for rcPages
  std::int32_t Copies = 1;
  std::int32_t PrintPages = 0;  // 0 all, 1 odd, 2 even page numbers
  bool Collate = true;
};

// The request before the dialog: every page, the report's default copies and collation.
TvlPrintRequest vlDefaultPrintRequest(const TvlReport& report);
// The range text PrintPrepared reads: empty for all pages, the current page's
// number (from 1) for the current page, the edit's text for pages.
std::string vlRangeText(const TvlPrintRequest& request, std::int32_t currentPage);
// Prints the report's prepared pages as the request says.
TvlPrintResult vlPrintRequest(TvlReport& report, const TvlPrintRequest& request, std::int32_t currentPage);

}  // namespace vl
