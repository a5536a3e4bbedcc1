#pragma once
// Prepared pages written as one PDF document: every page on its own paper
// size and orientation, at 600 dpi, text kept as text (fonts embedded as
// subsets, selectable and searchable).
//
// vlWritePdf draws through the PDF surface of our own (the parts every page
// repeats are written once, pages are compressed on a second thread);
// vlWriteQtPdf draws the same pages through Qt's PDF engine and stays as the
// reference the output is compared with.

#include <functional>
#include <string>
#include <vector>

#include "engine/model/prepared_pages.h"

namespace vl {

// The PDF's resolution: what page coordinates become before PDF points.
inline constexpr int kPdfDpi = 600;

// Writes the pages at the given indexes, in that order, to path; progress
// hears the number of pages done after each. The file appears only once the
// whole document is written (an existing file is replaced then). Raises
// TvlError when the file cannot be written or a page cannot be read, and
// leaves a read-only file, a device or a FIFO alone (a symbolic link keeps
// pointing at the new file).
void vlWritePdf(TvlEMFPages& pages, const std::vector<int>& indexes, const std::string& path,
                const std::string& title, const std::function<void(int)>& progress = {});

// The same through Qt's PDF engine.
void vlWriteQtPdf(TvlEMFPages& pages, const std::vector<int>& indexes, const std::string& path,
                  const std::string& title, const std::function<void(int)>& progress = {});

}  // namespace vl
