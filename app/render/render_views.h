#pragma once
// A page of views drawn onto an image at a resolution: what
// "vlreport render-template" writes as PNG.

#include <QImage>
#include <vector>

#include "engine/model/view.h"

namespace vl {

// The page is widthU x heightU page units (91.6256 per inch); the image is
// white, sized to the page at dpi (rounded), and every view is drawn scaled
// to fill it.
QImage vlRenderViewsToImage(const std::vector<TvlView*>& views, std::int32_t widthU, std::int32_t heightU,
                            double dpi);

}  // namespace vl
