#include <cstdint>

#include "engine/binding/colour_names.h"
#include "engine/binding/globals.h"

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

}  // namespace

void vlAddNamedConstants(TvlVariables& constants) {
  for (const TvlIntConstant& c : kCodes) constants.Set(c.Name, TvlValue(static_cast<std::int32_t>(c.Value)));
  // Colours are stored as signed 32-bit values, as scripts compare them
  // with colour properties.
  for (const TvlColourName& c : vlColourNames())
    constants.Set(c.Name, TvlValue(static_cast<std::int32_t>(c.Value)));
  constants.Set("CRLF", TvlValue("\r\n"));
  constants.Set("Null", TvlValue::Null());
}

}  // namespace vl
