#pragma once
// Texts of the system code page taken as whole characters, and the locale's
// letter case for every character the code page holds (not only ASCII): what
// the template functions LENGTH, POS, UPPERCASE, LOWERCASE and NAMECASE and
// edit masks need.

#include <cstddef>
#include <string>
#include <string_view>

namespace vl {

// Number of whole characters (a broken multi-byte sequence counts byte by byte).
std::size_t vlCharCount(std::string_view text);

// Upper or lower case by the user's locale when it knows case beyond ASCII,
// otherwise by the Unicode rules of C.UTF-8. Characters without a case, bytes
// that form no character and characters whose other case the code page lacks
// stay as they are.
std::string vlLocaleUpperCase(std::string_view text);
std::string vlLocaleLowerCase(std::string_view text);

}  // namespace vl
