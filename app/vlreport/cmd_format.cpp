// vlreport format: how a view prints a value with a display format. The
// format is a code (decimal or 0x hexadecimal: category, kind, decimals,
// separator) or a bracket suffix such as N2,2, Ddd.mm.yyyy or BNo;Yes.

#include <QString>
#include <charconv>
#include <cstdio>

#include "app/vlreport/cli_values.h"
#include "app/vlreport/command.h"
#include "engine/core/display_format.h"
#include "engine/core/value_convert.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

bool ReadCode(const std::string& text, std::int32_t& code) {
  std::string_view digits = text;
  int base = 10;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) return false;
  code = static_cast<std::int32_t>(value);
  return true;
}

}  // namespace

int RunFormat(const Args& args) {
  ArgReader reader(args);
  const std::string format = reader.Option("--format");
  std::string text = vlFromQt(QString::fromUtf8(reader.Option("--text").c_str()));
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one value")};
  if (format.empty()) throw UsageError{vlTr("needs --format CODE")};
  std::int32_t code = 0;
  if (!ReadCode(format, code)) {
    const char first = format[0];
    if (first >= '0' && first <= '9') throw UsageError{vlTr("'%1' is neither a code nor a format suffix", {format})};
    vlApplyFormatSuffix(vlFromQt(QString::fromUtf8(format.c_str())), code, text);
  }
  const std::string out = vlFormatDisplayValue(ReadCliValue(vlFromQt(QString::fromUtf8(rest[0].c_str()))), code, text);
  std::printf("%s\n", vlToQt(out).toUtf8().constData());
  return 0;
}

}  // namespace vl::cli
