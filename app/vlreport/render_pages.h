#pragma once
// Drawing a prepared report's pages into one PDF or into PNG files, as
// vlreport render and vlreport labels write them.

#include <nlohmann/json.hpp>
#include <string>

#include "app/vlreport/console_progress.h"
#include "engine/model/report.h"

namespace vl::cli {

struct RenderTarget {
  bool ToPdf = true;
  std::string Pdf;          // the PDF's name
  std::string PngPrefix;    // PREFIX-N.png
  double Dpi = 96;
  std::string Range;        // the pages, as the print dialog takes them; empty for all
};

// Draws the pages target's range selects (a range that selects none, or a
// report without pages, raises TvlError: no file is written). title: the
// PDF's title. The JSON result's "Pages", "Drawn" and "Output".
nlohmann::ordered_json RenderPages(TvlReport& report, const RenderTarget& target, const std::string& title,
                                   ConsoleProgress& line);

}  // namespace vl::cli
