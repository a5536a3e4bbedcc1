// The barcode views of a page whose value fails to encode.

#include "engine/addins/barcode/barcode_problems.h"

#include "engine/addins/barcode/barcode_view.h"
#include "engine/model/page.h"

namespace vl {

std::vector<TvlBarCodeProblem> vlBarCodeProblems(const TvlPage& page) {
  std::vector<TvlBarCodeProblem> problems;
  for (const auto& view : page.Objects) {
    const auto* code = dynamic_cast<const TvlBarCodeView*>(view.get());
    if (!code) continue;
    std::string message = code->ValueError();
    if (!message.empty()) problems.push_back({code->Name, std::move(message)});
  }
  return problems;
}

}  // namespace vl
