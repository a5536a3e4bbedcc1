#pragma once
// The pages a preview control holds while it shows them. Printing takes them
// back from there when the report's own store is empty; the preview installs
// the answer when it is built. Until then no control holds pages.

#include <functional>

namespace vl {

class TvlEMFPages;
class TvlPreview;

using TvlPreviewPagesHook = std::function<TvlEMFPages*(TvlPreview& preview)>;
void vlSetPreviewPagesHook(TvlPreviewPagesHook hook);
// The store the control holds, or null.
TvlEMFPages* vlPreviewPages(TvlPreview& preview);

}  // namespace vl
