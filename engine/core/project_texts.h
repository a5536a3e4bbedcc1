#pragma once
// The project's own user-visible texts (those beyond the numbered string
// table), keyed by their English wording. Wrap a literal to make it follow
// the interface language:
//     vlTr("Clear address list")
//     vlTr("%1 of %2 envelopes", {std::to_string(done), std::to_string(total)})
// and add its Chinese text to project_texts_zh.cpp (a test finds every
// wrapped literal in the sources and fails while one has no translation).
// %1 ... %9 are replaced by the arguments after translation, so a
// translation may put them in another order.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vl {

// The text in the interface language, in the system code page.
std::string vlTr(std::string_view english, std::initializer_list<std::string> args = {});
// The Chinese text for an English key, UTF-8; null when the catalogue lacks it.
const char* vlChineseText(std::string_view english);

}  // namespace vl
