#pragma once
// The content lines of a vCard file (versions 2.1, 3.0 and 4.0) and the
// decoding of their values. A content line is "[group.]NAME[;PARAM...]:VALUE";
// a physical line that starts with a blank or a tab continues the line before
// it (the break and that one blank are dropped), and a quoted-printable value
// that ends with "=" continues on the next physical line as it stands.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

struct TvlVCardParam {
  std::string Name;   // upper case; a bare 2.1 parameter is TYPE or ENCODING
  std::string Value;  // without enclosing double quotes
};

struct TvlVCardLine {
  std::string Group;  // "item1" of "item1.ADR"; empty when none
  std::string Name;   // upper case, without the group
  std::vector<TvlVCardParam> Params;
  std::string Value;  // as written: folding undone, nothing decoded
  std::size_t Line = 0;  // the physical line it starts on, from 1
  bool TooLong = false;  // longer than the line limit: nothing else is filled in

  // The value of the first parameter of that name (upper case); empty when none.
  std::string Param(std::string_view name) const;
  bool HasParam(std::string_view name) const;
  // Every TYPE value, lower case, comma lists split.
  std::vector<std::string> Types() const;
  bool QuotedPrintable() const;
  bool Base64() const;
};

// Reads content lines one by one from text held by the caller. CR LF, LF,
// CR and CR CR LF each end a physical line.
class TvlVCardReader {
 public:
  explicit TvlVCardReader(std::string_view text) : text_(text) {}

  // The next content line; false at the end of the text. Blank lines are
  // skipped. A line without ":" fills out with Name empty and Value holding
  // the line, so that the caller can report or skip it.
  bool Next(TvlVCardLine& out);
  // Skips physical lines that hold only base64 characters (the unfolded
  // continuation of a 2.1 picture); returns how many were skipped.
  std::size_t SkipBase64Lines();

 private:
  // The physical line at pos_ (without its break); moves past it.
  std::string_view TakeLine();
  bool AtContinuation() const;

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 0;  // physical lines taken
};

// Undoes quoted-printable encoding: "=XX" becomes the byte XX, a "=" at the
// end of a line joins it with the next; a "=" that starts no pair stays.
std::string vlDecodeQuotedPrintable(std::string_view text);
// Undoes the text escapes: "\n" and "\N" become CR LF, "\," "\;" "\:" and
// "\\" the character itself; any other backslash stays as written.
std::string vlUnescapeVCardText(std::string_view text);
// Splits a structured value (N, ADR, ORG) at every ";" that is not escaped,
// then unescapes each part.
std::vector<std::string> vlSplitVCardValue(std::string_view text);

}  // namespace vl
