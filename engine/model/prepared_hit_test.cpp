// The hit test behind clickable objects of a prepared page: the report's
// click and mouse-over events, and the "URL" views whose tag is a link.

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/core/units.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/report.h"
#include "platform/platform.h"

namespace vl {

bool vlIsWebAddress(const std::string& text) {
  for (const char* scheme : {"http://", "https://"}) {
    const std::size_t n = std::char_traits<char>::length(scheme);
    if (text.size() > n && vlSameText(text.substr(0, n), scheme)) return true;
  }
  return false;
}

TvlHitResult TvlEMFPages::HitTest(int index, TvlPoint pt, bool isClick) {
  TvlHitResult result;
  TvlPreparedPage* p = At(index);
  if (!p) return result;
  TvlPage* page = nullptr;
  try {
    page = Expand(index);
  } catch (const TvlError&) {
    return result;  // a record that cannot be read has nothing to hit
  }

  // A page stretched to the printable area is drawn there less its margins.
  double kx = 1, ky = 1, ox = 0, oy = 0;
  const TvlPaperMetrics& m = p->PaperMetrics;
  if (!p->UseMargins && m.PaperWidthU > 0 && m.PaperHeightU > 0) {
    kx = static_cast<double>(m.PrintableWidthU - p->Margins.Left - p->Margins.Right) / m.PaperWidthU;
    ky = static_cast<double>(m.PrintableHeightU - p->Margins.Top - p->Margins.Bottom) / m.PaperHeightU;
    ox = static_cast<double>(p->Margins.Left) + m.OffsetXU;
    oy = static_cast<double>(p->Margins.Top) + m.OffsetYU;
  }

  // Topmost first; only the first view hit counts.
  TvlView* hit = nullptr;
  for (auto it = page->Objects.rbegin(); it != page->Objects.rend(); ++it) {
    const TvlView& v = **it;
    const std::int32_t left = vlRound(v.Left * kx + ox), top = vlRound(v.Top * ky + oy);
    const std::int32_t right = vlRound(ox + kx * (static_cast<double>(v.Left) + v.Width));
    const std::int32_t bottom = vlRound(oy + ky * (static_cast<double>(v.Top) + v.Height));
    if (pt.X >= left && pt.X < right && pt.Y >= top && pt.Y < bottom) {
      hit = it->get();
      break;
    }
  }
  if (!hit) return result;

  // The handlers may change the page; what the link needs is taken first.
  const bool isLink = hit->Name.rfind("URL", 0) == 0;
  const std::string tag = hit->Tag;
  if (isClick) {
    if (report_ && report_->OnObjectClick) {
      report_->OnObjectClick(hit);
      result.Handled = true;
    }
    if (!isLink) return result;
    result.Handled = true;
    // Only web addresses go to the shell; a tag with "@" (a page jump, a
    // mail address) or anything else comes back for the caller to show.
    if (tag.find('@') == std::string::npos && vlIsWebAddress(tag))
      vlPlatform().Shell->Open(tag, "open");
    else
      result.LinkText = tag;
    return result;
  }
  if (report_ && report_->OnMouseOverObject) {
    report_->OnMouseOverObject(hit, result.Cursor);
    result.Handled = true;
  }
  if (!isLink) return result;
  result.Cursor = crHandPoint;
  result.LinkText = tag;
  result.Handled = true;
  return result;
}

}  // namespace vl
