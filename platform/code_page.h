#pragma once
// The system code page as the platform layer sees it (UTF-8 unless
// VL_CODEPAGE names another iconv encoding), without Qt: counting whole
// characters and converting texts that pictures bring in other encodings.

#include <cstddef>
#include <string>
#include <string_view>

namespace vl {

// The code page's name, "UTF-8" by default.
const std::string& vlPlatformCodePage();
// Length in bytes of the character that starts at text[pos] (at least 1).
std::size_t vlCharLength(std::string_view text, std::size_t pos);
// True when iconv can convert from the named encoding to UTF-8.
bool vlEncodingKnown(const char* name);
// Converts between two iconv encodings; characters that do not convert
// become "?". Never fails.
std::string vlConvertEncoding(std::string_view text, const char* from, const char* to);

}  // namespace vl
