#include "engine/binding/colour_names.h"

#include "engine/core/text.h"

namespace vl {
namespace {

// A high byte 0xFF marks a system colour index.
constexpr TvlColourName kColours[] = {
    {"clWhite", 0xFFFFFF}, {"clBlack", 0x000000}, {"clMaroon", 0x000080},
    {"clGreen", 0x008000}, {"clOlive", 0x008080}, {"clNavy", 0x800000},
    {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF}, {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clScrollBar", 0xFF000000}, {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002}, {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004}, {"clWindow", 0xFF000005}, {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007}, {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009}, {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B}, {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D}, {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F}, {"clBtnShadow", 0xFF000010}, {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012}, {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014}, {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016}, {"clInfoText", 0xFF000017}, {"clInfoBk", 0xFF000018},
    {"clTransparent", 0x1FFFFFFF},
};

}  // namespace

std::span<const TvlColourName> vlColourNames() { return kColours; }

const char* vlColourName(std::uint32_t colour) {
  for (const TvlColourName& c : kColours)
    if (c.Value == colour) return c.Name;
  return nullptr;
}

std::optional<std::uint32_t> vlNamedColour(const std::string& name) {
  for (const TvlColourName& c : kColours)
    if (vlSameText(c.Name, name)) return c.Value;
  return std::nullopt;
}

}  // namespace vl
