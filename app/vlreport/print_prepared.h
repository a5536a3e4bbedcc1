#pragma once
// Printing a prepared report on a named printer without a window, as
// vlreport print and vlreport labels print: the feed calibration the user
// set for that printer applies.

#include <nlohmann/json.hpp>
#include <string>

#include "engine/model/report.h"

namespace vl::cli {

struct PrintTarget {
  std::string Printer;  // as vlreport printers lists it
  std::string Range;    // the print dialog's page text; empty for all
  long Copies = 1;
  int Parity = 0;       // 0 all pages, 1 odd, 2 even
  bool Collate = false;
};

// The printer's index, checked before anything is prepared: a UsageError
// for a name no printer has and for the virtual printer.
int PrinterIndex(const std::string& name);
// Prints report on printer index (selected again: loading and preparing
// select the report's own printer). The JSON result's "Printer", "Pages",
// "Result", the warnings given and "Feed"; printed tells whether the job
// went out.
nlohmann::ordered_json PrintPrepared(TvlReport& report, int index, const PrintTarget& target,
                                     const nlohmann::ordered_json* warnings, bool& printed);

}  // namespace vl::cli
