#include "engine/data/vcard_lines.h"

#include "engine/core/text.h"
#include "engine/data/data_limits.h"

namespace vl {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsBase64Char(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' ||
         c == '=';
}

std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// Splits at sep outside double quotes.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    else if (text[i] == sep && !quoted) {
      parts.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  parts.push_back(text.substr(start));
  return parts;
}

void ParseHead(std::string_view head, TvlVCardLine& out) {
  const std::vector<std::string_view> parts = SplitOutsideQuotes(head, ';');
  std::string_view name = parts[0];
  if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) {
    out.Group = std::string(name.substr(0, dot));
    name = name.substr(dot + 1);
  }
  out.Name = vlUpperCase(vlTrim(name));
  for (std::size_t k = 1; k < parts.size(); ++k) {
    const std::string_view p = parts[k];
    if (p.empty()) continue;
    const std::size_t eq = p.find('=');
    if (eq == std::string_view::npos) {
      // 2.1 allows a parameter's value alone: an encoding or a type.
      const std::string v = vlUpperCase(vlTrim(p));
      const bool encoding = v == "QUOTED-PRINTABLE" || v == "BASE64" || v == "8BIT" || v == "7BIT" || v == "B";
      out.Params.push_back({encoding ? "ENCODING" : "TYPE", v});
    } else {
      out.Params.push_back({vlUpperCase(vlTrim(p.substr(0, eq))), Unquote(vlTrim(p.substr(eq + 1)))});
    }
  }
}

}  // namespace

std::string TvlVCardLine::Param(std::string_view name) const {
  for (const TvlVCardParam& p : Params)
    if (p.Name == name) return p.Value;
  return {};
}

bool TvlVCardLine::HasParam(std::string_view name) const {
  for (const TvlVCardParam& p : Params)
    if (p.Name == name) return true;
  return false;
}

std::vector<std::string> TvlVCardLine::Types() const {
  std::vector<std::string> types;
  for (const TvlVCardParam& p : Params) {
    if (p.Name != "TYPE") continue;
    for (std::string_view t : SplitOutsideQuotes(p.Value, ','))
      if (std::string v = vlLowerCase(vlTrim(Unquote(vlTrim(t)))); !v.empty()) types.push_back(std::move(v));
  }
  return types;
}

bool TvlVCardLine::QuotedPrintable() const { return vlSameText(Param("ENCODING"), "QUOTED-PRINTABLE"); }

bool TvlVCardLine::Base64() const {
  const std::string e = Param("ENCODING");
  return vlSameText(e, "BASE64") || vlSameText(e, "B");
}

std::string_view TvlVCardReader::TakeLine() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
  const std::string_view line = text_.substr(start, pos_ - start);
  // CR LF, LF, CR, and also CR CR LF (as some phones write) end one line.
  std::size_t end = pos_;
  while (end < text_.size() && text_[end] == '\r') ++end;
  if (end < text_.size() && text_[end] == '\n')
    pos_ = end + 1;
  else if (pos_ < text_.size())
    ++pos_;
  ++line_;
  return line;
}

bool TvlVCardReader::AtContinuation() const {
  return pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t');
}

bool TvlVCardReader::Next(TvlVCardLine& out) {
  std::string_view first;
  do {
    if (pos_ >= text_.size()) return false;
    first = TakeLine();
  } while (vlTrim(first).empty());
  out = TvlVCardLine();
  out.Line = line_;
  std::string logical(first);
  // The head (name and parameters) is looked at once, when its colon is
  // found, so that joining many lines stays linear in their length.
  std::size_t colon = std::string::npos, scanned = 0;
  bool quoted = false, quotedPrintable = false;
  auto findColon = [&] {
    if (colon != std::string::npos) return;
    for (; colon == std::string::npos && scanned < logical.size(); ++scanned) {
      if (logical[scanned] == '"') quoted = !quoted;
      else if (logical[scanned] == ':' && !quoted) colon = scanned;
    }
    if (colon != std::string::npos)
      quotedPrintable = vlUpperCase(std::string_view(logical).substr(0, colon)).find("QUOTED-PRINTABLE") !=
                        std::string::npos;
  };
  for (;;) {
    findColon();
    if (logical.size() > data_limits::kMaxLineBytes) {
      out.TooLong = true;
      return true;
    }
    if (AtContinuation()) {
      logical.append(TakeLine().substr(1));
    } else if (pos_ < text_.size() && quotedPrintable && !logical.empty() && logical.back() == '=') {
      logical.pop_back();
      logical.append(TakeLine());
    } else {
      break;
    }
  }
  if (colon == std::string::npos) {
    out.Value = std::move(logical);
    return true;
  }
  ParseHead(std::string_view(logical).substr(0, colon), out);
  out.Value = logical.substr(colon + 1);
  return true;
}

std::size_t TvlVCardReader::SkipBase64Lines() {
  std::size_t skipped = 0;
  while (pos_ < text_.size()) {
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
    const std::string line = vlTrim(text_.substr(pos_, end - pos_));
    if (line.empty()) break;
    for (char c : line)
      if (!IsBase64Char(c)) return skipped;
    TakeLine();
    ++skipped;
  }
  return skipped;
}

std::string vlDecodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '=') {
      out += text[i];
      continue;
    }
    if (i + 2 < text.size()) {
      const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    // A soft break left inside the value ("=" then a line break) joins.
    if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
      ++i;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    if (i + 1 == text.size()) continue;  // a soft break at the very end
    out += '=';
  }
  return out;
}

std::string vlUnescapeVCardText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[i + 1];
    if (next == 'n' || next == 'N') {
      out += "\r\n";
      ++i;
    } else if (next == ',' || next == ';' || next == ':' || next == '\\') {
      out += next;
      ++i;
    } else {
      out += '\\';
    }
  }
  return out;
}

std::vector<std::string> vlSplitVCardValue(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;  // the escaped character never splits
    } else if (text[i] == ';') {
      parts.push_back(vlUnescapeVCardText(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  parts.push_back(vlUnescapeVCardText(text.substr(start < text.size() ? start : text.size())));
  return parts;
}

}  // namespace vl
