#pragma once
// Barcodes that cannot be made, asked of a page: a batch of envelopes is
// checked before it prints, and a value that its symbology refuses would
// otherwise show only as an error box on paper.

#include <string>
#include <vector>

namespace vl {

class TvlPage;

struct TvlBarCodeProblem {
  std::string View;     // the barcode view's name
  std::string Message;  // the error box's text: symbology and reason
  bool operator==(const TvlBarCodeProblem&) const = default;
};

// Every barcode view on the page (a prepared page once expanded, or a
// template page) whose value cannot be encoded, in the page's order, texts
// in the system code page. Empty values are no problem: they print nothing.
std::vector<TvlBarCodeProblem> vlBarCodeProblems(const TvlPage& page);

}  // namespace vl
