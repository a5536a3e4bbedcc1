#include "platform/message_box.h"

namespace vl {

TvlMsgStyle vlMessageBoxStyle(std::int32_t flags) {
  TvlMsgStyle style;
  int buttonCount = 1;
  switch (flags & 0x0F) {
    case 1: style.Buttons = TvlMsgButtons::OkCancel; buttonCount = 2; break;
    case 2: style.Buttons = TvlMsgButtons::AbortRetryIgnore; buttonCount = 3; break;
    case 3: style.Buttons = TvlMsgButtons::YesNoCancel; buttonCount = 3; break;
    case 4: style.Buttons = TvlMsgButtons::YesNo; buttonCount = 2; break;
    case 5: style.Buttons = TvlMsgButtons::RetryCancel; buttonCount = 2; break;
    default: break;
  }
  switch (flags & 0xF0) {
    case 0x10: style.Icon = TvlMsgIcon::Error; break;
    case 0x20: style.Icon = TvlMsgIcon::Question; break;
    case 0x30: style.Icon = TvlMsgIcon::Warning; break;
    case 0x40: style.Icon = TvlMsgIcon::Information; break;
    default: break;
  }
  const int defaultButton = (flags >> 8) & 0x0F;
  style.DefaultButton = defaultButton < buttonCount ? defaultButton : 0;
  return style;
}

}  // namespace vl
