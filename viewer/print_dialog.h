#pragma once
// How the preview prints: the request starts from the report's DefaultCopies
// and DefaultCollate; the print dialog is shown unless the report's
// ShowPrintDialog is off; the choices become PrintPrepared's arguments
// (range text, copies, odd/even, collation).

#include <cstdint>

#include "engine/model/report.h"

class QWidget;

namespace vl {

// currentPage is the page the preview shows, counted from 1. Returns
// NoPrinter without asking when the platform has no printer, and Cancelled
// when the dialog was left without OK.
TvlPrintResult vlPrintWithDialog(TvlReport& report, std::int32_t currentPage, QWidget* parent = nullptr);

}  // namespace vl
