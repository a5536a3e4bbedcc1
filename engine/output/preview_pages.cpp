#include "engine/output/preview_pages.h"

namespace vl {
namespace {

TvlPreviewPagesHook& Hook() {
  static TvlPreviewPagesHook hook;
  return hook;
}

}  // namespace

void vlSetPreviewPagesHook(TvlPreviewPagesHook hook) { Hook() = std::move(hook); }

TvlEMFPages* vlPreviewPages(TvlPreview& preview) { return Hook() ? Hook()(preview) : nullptr; }

}  // namespace vl
