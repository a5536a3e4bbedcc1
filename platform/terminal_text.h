#pragma once
// Text made safe to write to a terminal: a message may quote a template's or
// a data file's text, whose control characters (escape sequences that change
// the title, clear the screen ...) must be shown, not obeyed.

#include <string>
#include <string_view>

namespace vl {

// Line breaks (CR LF, CR, LF) become LF and tabs stay; every other control
// character becomes "\xHH" (C1 controls in UTF-8 "\u00HH"), so a message
// still shows what the text held.
std::string vlTerminalText(std::string_view text);

}  // namespace vl
