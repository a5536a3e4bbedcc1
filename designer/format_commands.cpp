#include "designer/format_commands.h"

#include <cctype>
#include <cstdlib>

#include "designer/designer_restrictions.h"
#include "engine/model/memo_view.h"
#include "engine/model/views.h"

namespace vl {

namespace {

bool IsTextCommand(int tag) {
  switch (tag) {
    case ftFontName:
    case ftFontSize:
    case ftBold:
    case ftItalic:
    case ftUnderline:
    case ftAlignLeft:
    case ftAlignRight:
    case ftAlignCenter:
    case ftAlignWidth:
    case ftRotated:
    case ftVertical:
    case ftFontColor:
      return true;
    default:
      return false;
  }
}

std::string Trimmed(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

void SetBit(std::uint16_t& bits, std::uint16_t bit, bool on) {
  bits = static_cast<std::uint16_t>(on ? (bits | bit) : (bits & ~bit));
}

}  // namespace

std::optional<float> vlReadFrameWidth(const std::string& text) {
  std::string t = Trimmed(text);
  for (char& c : t)
    if (c == ',') c = '.';
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size()) return std::nullopt;
  return vlBoundFrameWidth(v);
}

std::optional<int> vlReadFontSize(const std::string& text) {
  const std::string t = Trimmed(text);
  if (t.empty()) return std::nullopt;
  char* end = nullptr;
  const long v = std::strtol(t.c_str(), &end, 10);
  if (end != t.c_str() + t.size() || v < -32768 || v > 32767) return std::nullopt;
  return static_cast<int>(v);
}

bool vlFormatApplies(const TvlView& view, int tag) {
  if (view.Typ == otBand || (view.Restrictions & rsDontModify)) return false;
  return !IsTextCommand(tag) || view.Typ == otMemo;
}

void vlApplyFormatCommand(TvlView& v, int tag, const TvlFormatControls& c, TvlLastUsedAttributes& last) {
  if (!vlFormatApplies(v, tag)) return;
  auto* memo = v.Typ == otMemo ? static_cast<TvlMemoView*>(&v) : nullptr;
  // Alignment bits: 0-1 horizontal, 2 rotation, 3-4 vertical.
  auto setAlignment = [&](std::int32_t mask, std::int32_t value) {
    memo->Alignment = (memo->Alignment & ~mask) | value;
    last.Alignment = memo->Alignment;
  };
  auto setStyle = [&](std::int32_t bit, bool on) {
    // Each memo keeps its other style bits; the last one processed gives the
    // last-used style.
    last.Font.Style = on ? (memo->Font.Style | bit) : (memo->Font.Style & ~bit);
    memo->Font.Style = last.Font.Style;
  };
  switch (tag) {
    case ftTopLine: SetBit(v.FrameTyp, vlftTop, c.TopLine); break;
    case ftLeftLine: SetBit(v.FrameTyp, vlftLeft, c.LeftLine); break;
    case ftBottomLine: SetBit(v.FrameTyp, vlftBottom, c.BottomLine); break;
    case ftRightLine: SetBit(v.FrameTyp, vlftRight, c.RightLine); break;
    case ftFillColor:
      v.FillColor = c.FillColor;
      last.FillColor = c.FillColor;
      break;
    case ftFrameWidth:
      v.FrameWidth = c.FrameWidth;
      (v.Typ == otLine ? last.LineWidth : last.FrameWidth) = c.FrameWidth;
      break;
    case ftFontName:
      memo->Font.Name = c.FontName;
      last.Font.Name = c.FontName;
      break;
    case ftFontSize:
      memo->Font.Size = c.FontSize;
      last.Font.Size = memo->Font.Size;
      break;
    case ftBold: setStyle(fsBold, c.Bold); break;
    case ftItalic: setStyle(fsItalic, c.Italic); break;
    case ftUnderline: setStyle(fsUnderline, c.Underline); break;
    case ftAlignLeft: setAlignment(3, vltaLeft); break;
    case ftAlignRight: setAlignment(3, vltaRight); break;
    case ftAlignCenter: setAlignment(3, vltaCenter); break;
    case ftAlignWidth: setAlignment(3, 3); break;
    case ftRotated: setAlignment(vltaVertical, c.Rotated ? vltaVertical : 0); break;
    case ftVertical: setAlignment(vltaMiddle | vltaDown, c.VCenter ? vltaMiddle : c.VBottom ? vltaDown : 0); break;
    case ftFontColor:
      memo->Font.Color = c.FontColor;
      last.Font.Color = c.FontColor;
      break;
    case ftFrameColor:
      v.FrameColor = c.FrameColor;
      last.FrameColor = c.FrameColor;
      break;
    case ftAllLines:
      v.FrameTyp = vlftTop | vlftLeft | vlftBottom | vlftRight;
      last.FrameLines = v.FrameTyp;
      break;
    case ftNoLines:
      v.FrameTyp = vlftNone;
      last.FrameLines = vlftNone;
      break;
    default:
      if (tag >= ftLineStyle && tag <= ftLastLineStyle) v.FrameStyle = static_cast<std::uint16_t>(tag - ftLineStyle);
      break;
  }
}

TvlMemoView* vlEditedMemo(const TvlDesignerForm& form, TvlView* view) {
  const std::vector<TvlView*> selected = form.Selection();
  if (selected.empty() || vlRestricted(dsNoEditObject) || (selected.back()->Restrictions & rsDontEditContents))
    return nullptr;
  if (view && view->Typ == otMemo) return static_cast<TvlMemoView*>(view);
  for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    if ((*it)->Typ == otMemo) return static_cast<TvlMemoView*>(*it);
  return nullptr;
}

}  // namespace vl
