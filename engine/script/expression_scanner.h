#pragma once
// The four scanning rules shared by the conversion to postfix, the evaluation
// and the function splitter. Positions are 0-based byte offsets; every scanner
// stays inside the text it is given.

#include <cstddef>
#include <string_view>

namespace vl {

// Characters that end an identifier (outside double quotes).
constexpr bool vlIsIdentifierDelimiter(char c) noexcept {
  switch (c) {
    case '\r': case ' ': case '(': case ')': case '*': case '+':
    case '-': case '/': case '<': case '=': case '>': case '[':
      return true;
    default:
      return false;
  }
}

struct TvlBracketScan {
  std::string_view Name;  // the text strictly between the outer brackets
  std::size_t Close;      // offset of the closing bracket, or the text's size when it never closes
  std::size_t Next;       // where scanning continues
};

// A bracketed name starting at pos. Brackets inside apostrophes or double
// quotes do not count. When text[pos] is not '[' the name is empty and Next is
// pos + 1.
TvlBracketScan vlScanBracket(std::string_view text, std::size_t pos) noexcept;

struct TvlIdentifierScan {
  std::size_t Start;  // first byte after the skipped control characters and blanks
  std::size_t End;    // the delimiter that ends it, or the text's size
  std::string_view Text(std::string_view text) const noexcept { return text.substr(Start, End - Start); }
};

// Skips bytes <= 32, then takes bytes up to the first delimiter; a delimiter
// after an odd number of double quotes belongs to the identifier, so that
// Table."Field name" is one name.
TvlIdentifierScan vlScanIdentifier(std::string_view text, std::size_t pos) noexcept;

// A literal starting at the apostrophe at pos: ends at the first apostrophe
// not followed by another; a doubled apostrophe is skipped as a pair. Returns
// the offset just after the closing apostrophe, or the text's size when the
// literal never closes (closed is then false).
std::size_t vlScanQuoted(std::string_view text, std::size_t pos, bool& closed) noexcept;

struct TvlArgumentScan {
  std::string_view Args[3];  // as written, blanks included; missing ones are empty
  std::size_t Next;          // just after the closing parenthesis
};

// The argument list starting at the '(' at pos, split at commas at depth 1
// outside apostrophes (inside apostrophes parentheses do not count either).
// A fourth and later argument stay part of the third, so nothing written is
// lost. Raises TvlError naming the text when the parentheses never balance.
TvlArgumentScan vlScanArguments(std::string_view text, std::size_t pos);

}  // namespace vl
