#pragma once
// Byte-string helpers for texts in the system code page. Case folding touches
// ASCII letters only, so multi-byte characters pass through unchanged.

#include <string>
#include <string_view>
#include <vector>

namespace vl {

std::string vlUpperCase(std::string_view s);
std::string vlLowerCase(std::string_view s);
bool vlSameText(std::string_view a, std::string_view b);  // equal ignoring case
int vlCompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring case
std::string vlTrim(std::string_view s);  // strips bytes <= 32 at both ends

// A string list's text form: lines joined with CR LF.
std::string vlJoinLines(const std::vector<std::string>& lines);
// Splits at CR LF, CR or LF; a final line break adds no empty line.
std::vector<std::string> vlSplitLines(std::string_view text);
// Splits at a separator character; every piece is kept, empty ones too.
std::vector<std::string> vlSplit(std::string_view text, char separator);

}  // namespace vl
