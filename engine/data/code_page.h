#pragma once
// UTF-8 text from external sources (SQLite, CSV files marked as UTF-8) turned
// into the engine's system code page: UTF-8 unless VL_CODEPAGE names another
// iconv encoding.

#include <string>
#include <string_view>

namespace vl {

bool vlSystemCodePageIsUtf8();
// Characters the code page lacks become '?'.
std::string vlUtf8ToSystemCodePage(std::string_view utf8);

}  // namespace vl
