#pragma once
// The one pair of conversions between engine texts (bytes in the system code
// page) and Qt strings. The code page is UTF-8 unless VL_CODEPAGE names
// another iconv encoding (for example CP936 or CP1252).

#include <QString>
#include <string>

namespace vl {

QString vlToQt(const std::string& bytes);
std::string vlFromQt(const QString& text);
// The code page in force ("UTF-8" by default).
const std::string& vlCodePage();

}  // namespace vl
