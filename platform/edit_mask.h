#pragma once
// Edit masks: how a text is laid out in a masked field, as the template
// function FORMATTEXT uses them.
//
// A mask has up to three fields separated by ';': the mask itself; whether
// the text already holds the mask's literals ("0": no, anything else: yes,
// the default); and the character put where the text has run out ('_' by
// default). In the mask, L l A a C c 0 9 # each take one character of the
// text; '\' makes the next character a literal; ':' and '/' stand for the
// time and date separators and '_' for a blank; '!' fills from the right, so
// missing characters leave blanks at the front; '>' upper-cases and '<'
// lower-cases the characters taken after it, "<>" stops that. Every other
// character is a literal. The text's characters are not checked against
// their positions, and characters beyond the mask are kept at the end (at
// the front for '!'), so nothing of the text is lost.

#include <string>
#include <string_view>

namespace vl {

std::string vlFormatMaskText(std::string_view editMask, std::string_view text, char dateSeparator,
                             char timeSeparator);

}  // namespace vl
