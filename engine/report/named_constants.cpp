#include <cstdint>

#include "engine/report/globals.h"

namespace vl {
namespace {

struct TvlIntConstant {
  const char* Name;
  std::int64_t Value;
};

// Dialog results, font styles (the engine's style bits), frame lines, text
// and band alignment, line styles and message-box flags.
constexpr TvlIntConstant kCodes[] = {
    {"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrYes", 6}, {"mrNo", 7},
    {"fsBold", 2}, {"fsItalic", 1}, {"fsUnderline", 4}, {"fsStrikeOut", 8},
    {"vlftNone", 0}, {"vlftRight", 1}, {"vlftBottom", 2}, {"vlftLeft", 4}, {"vlftTop", 8},
    {"vltaLeft", 0}, {"vltaRight", 1}, {"vltaCenter", 2}, {"vltaVertical", 4}, {"vltaMiddle", 8},
    {"vltaDown", 16},
    {"baNone", 0}, {"baLeft", 1}, {"baRight", 2}, {"baCenter", 3}, {"baWidth", 4},
    {"baBottom", 5}, {"baTop", 6}, {"baRest", 7},
    {"psSolid", 0}, {"psDash", 1}, {"psDot", 2}, {"psDashDot", 3}, {"psDashDotDot", 4},
    {"psDouble", 5},
    {"mb_Ok", 0}, {"mb_OkCancel", 1}, {"mb_YesNo", 4}, {"mb_YesNoCancel", 3},
    {"mb_IconError", 16}, {"mb_IconQuestion", 32}, {"mb_IconInformation", 64},
    {"mb_IconWarning", 48},
    // Picture kinds of the picture view.
    {"btBMP", 0}, {"btJPG", 1}, {"btICO", 2}, {"btWMF", 3},
};

// Colours; a high byte 0xFF marks a system colour index. Stored as signed
// 32-bit values, as scripts compare them with colour properties.
constexpr TvlIntConstant kColours[] = {
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

void vlAddNamedConstants(TvlVariables& constants) {
  for (const TvlIntConstant& c : kCodes) constants.Set(c.Name, TvlValue(static_cast<std::int32_t>(c.Value)));
  for (const TvlIntConstant& c : kColours)
    constants.Set(c.Name, TvlValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(c.Value))));
  constants.Set("CRLF", TvlValue("\r\n"));
  constants.Set("Null", TvlValue::Null());
}

}  // namespace vl
