#pragma once
// Prepared pages written as PNG pictures, one file per page, each its paper
// at a resolution, drawn through the Qt surface exactly as the page would be
// drawn into any rectangle.

#include <functional>
#include <string>
#include <vector>

#include "engine/model/prepared_pages.h"

namespace vl {

// The largest picture made in memory before it is saved.
inline constexpr double kMaxPngPixels = 100e6;

// The file of page number pageNo (from 1): prefix, "-", the number, ".png".
std::string vlPngPageName(const std::string& prefix, int pageNo);

// Writes the pages at the given indexes to prefix-N.png, N the page number;
// progress hears the number of pages done after each. Every file appears
// whole or not at all. Raises TvlError when a page would exceed
// kMaxPngPixels, a file cannot be written or a page cannot be read. Returns
// the files written.
std::vector<std::string> vlWritePngPages(TvlEMFPages& pages, const std::vector<int>& indexes,
                                         const std::string& prefix, double dpi,
                                         const std::function<void(int)>& progress = {});

}  // namespace vl
