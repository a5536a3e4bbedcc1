#include "engine/data/csv_data_source.h"

#include "engine/data/code_page.h"
#include "engine/data/data_file.h"
#include "engine/data/data_limits.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"

namespace vl {
namespace {

enum class CsvError { None, Unclosed, TextAfterQuote, LineTooLong, FieldTooLong, TooManyFields };

struct Span {
  std::size_t Offset, Length;
  bool Escaped;
};

// Consumes one line break (CR LF, LF or CR) at i; true when there was one.
bool SkipBreak(std::string_view d, std::size_t& i) {
  if (i >= d.size()) return false;
  if (d[i] == '\r') {
    ++i;
    if (i < d.size() && d[i] == '\n') ++i;
    return true;
  }
  if (d[i] == '\n') {
    ++i;
    return true;
  }
  return false;
}

std::size_t CountBreaks(std::string_view d, std::size_t from, std::size_t to) {
  std::size_t n = 0;
  for (std::size_t k = from; k < to; ++k)
    if (d[k] == '\n' || (d[k] == '\r' && (k + 1 >= d.size() || d[k + 1] != '\n'))) ++n;
  return n;
}

// Parses the record that starts at i into spans and moves i past its line
// break. line counts the line breaks passed; on an error errorLine is the
// line where the faulty field starts. A record longer than the line limit,
// a field longer than the field limit or more than maxFields fields stop
// the parse at once, so that one huge line costs one pass over it.
template <class SpanT>
CsvError ParseRecord(std::string_view d, char sep, std::size_t& i, std::vector<SpanT>& out,
                     std::size_t& line, std::size_t& errorLine, std::size_t maxFields) {
  out.clear();
  const std::size_t n = d.size();
  const std::size_t start = i;
  for (;;) {
    if (out.size() == maxFields) {
      errorLine = line;
      return CsvError::TooManyFields;
    }
    SpanT s{};
    if (i < n && d[i] == '"') {
      errorLine = line;
      std::size_t j = i + 1;
      bool escaped = false;
      for (;;) {
        const std::size_t q = d.find('"', j);
        if (q == std::string_view::npos) return CsvError::Unclosed;
        line += CountBreaks(d, j, q);
        if (q + 1 < n && d[q + 1] == '"') {
          escaped = true;
          j = q + 2;
          continue;
        }
        s.Offset = i + 1;
        s.Length = q - (i + 1);
        s.Escaped = escaped;
        i = q + 1;
        break;
      }
      if (i < n && d[i] != sep && d[i] != '\r' && d[i] != '\n') {
        errorLine = line;
        return CsvError::TextAfterQuote;
      }
    } else {
      std::size_t j = i;
      while (j < n && d[j] != sep && d[j] != '\r' && d[j] != '\n') ++j;
      s.Offset = i;
      s.Length = j - i;
      s.Escaped = false;
      i = j;
    }
    if (i - start > data_limits::kMaxLineBytes) {
      errorLine = line;
      return CsvError::LineTooLong;
    }
    if (s.Length > data_limits::kMaxFieldBytes) {
      errorLine = line;
      return CsvError::FieldTooLong;
    }
    out.push_back(s);
    if (i < n && d[i] == sep) {
      ++i;
      continue;
    }
    if (SkipBreak(d, i)) ++line;
    return CsvError::None;
  }
}

void SkipBlankLines(std::string_view d, std::size_t& i, std::size_t& line) {
  while (SkipBreak(d, i)) ++line;
}

// More semicolons than commas outside quotes in the header: semicolon.
char DetectSeparator(std::string_view d, std::size_t i) {
  std::size_t commas = 0, semicolons = 0;
  bool quoted = false;
  for (; i < d.size(); ++i) {
    const char ch = d[i];
    if (ch == '"') quoted = !quoted;
    else if (!quoted && (ch == '\r' || ch == '\n')) break;
    else if (!quoted && ch == ',') ++commas;
    else if (!quoted && ch == ';') ++semicolons;
  }
  return semicolons > commas ? ';' : ',';
}

// Characters of UTF-8 text (bytes of a single-byte code page).
std::size_t CharacterCount(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

void Unescape(std::string_view raw, std::string& out) {
  out.clear();
  for (std::size_t k = 0; k < raw.size(); ++k) {
    out += raw[k];
    if (raw[k] == '"' && k + 1 < raw.size() && raw[k + 1] == '"') ++k;
  }
}

}  // namespace

std::size_t TvlCsvDataSource::ReadText(std::string text, bool utf8Bom, const std::string& sourceName) {
  if (utf8Bom && !vlSystemCodePageIsUtf8()) text = vlUtf8ToSystemCodePage(text);
  data_ = std::move(text);
  Parse(sourceName);
  return starts_.size();
}

void TvlCsvDataSource::Parse(const std::string& sourceName) {
  const std::string_view d = data_;
  std::size_t i = 0, line = 1, errorLine = 1;
  auto malformed = [&sourceName](std::size_t at, const std::string& why) {
    throw TvlError(vlLoadStr(str::kMalformedCsv) + sourceName + vlLoadStr(str::kCsvLine) +
                   std::to_string(at) + ": " + why);
  };
  auto limit = [](int text, std::size_t value, int unit) {
    return vlLoadStr(text) + std::to_string(value) + (unit ? vlLoadStr(unit) : std::string());
  };
  auto check = [&](CsvError e) {
    std::string why;
    switch (e) {
      case CsvError::None: return;
      case CsvError::Unclosed: why = vlLoadStr(str::kCsvUnclosedQuote); break;
      case CsvError::TextAfterQuote: why = vlLoadStr(str::kCsvTextAfterQuote); break;
      case CsvError::LineTooLong: why = limit(str::kLineTooLong, data_limits::kMaxLineBytes, str::kBytesUnit); break;
      case CsvError::FieldTooLong: why = limit(str::kFieldTooLong, data_limits::kMaxFieldBytes, str::kBytesUnit); break;
      case CsvError::TooManyFields: why = limit(str::kTooManyColumns, data_limits::kMaxColumns, 0); break;
    }
    malformed(errorLine, why);
  };

  SkipBlankLines(d, i, line);
  if (i >= d.size()) malformed(line, vlLoadStr(str::kCsvNoHeader));
  sep_ = DetectSeparator(d, i);
  std::vector<Span> spans;
  const std::size_t headerLine = line;
  check(ParseRecord(d, sep_, i, spans, line, errorLine, data_limits::kMaxColumns));
  std::string name;
  defs_.reserve(spans.size());
  for (const Span& s : spans) {
    Unescape(d.substr(s.Offset, s.Length), name);
    if (CharacterCount(name) > data_limits::kMaxColumnNameChars)
      malformed(headerLine, limit(str::kColumnNameTooLong, data_limits::kMaxColumnNameChars, str::kCharactersUnit));
    defs_.push_back({name, TvlFieldKind::fkString, false});
  }
  for (;;) {
    SkipBlankLines(d, i, line);
    if (i >= d.size()) break;
    const std::size_t start = i, recordLine = line;
    check(ParseRecord(d, sep_, i, spans, line, errorLine, std::string_view::npos));
    if (spans.size() != defs_.size())
      malformed(recordLine, std::to_string(spans.size()) + vlLoadStr(str::kCsvFieldCount) +
                                std::to_string(defs_.size()));
    starts_.push_back(start);
  }
  spans_.reserve(defs_.size());
  unescaped_.assign(defs_.size(), std::string());
}

void TvlCsvDataSource::Close() {
  SetClosed();
  data_.clear();
  data_.shrink_to_fit();
  defs_.clear();
  starts_.clear();
  starts_.shrink_to_fit();
  spans_.clear();
  unescaped_.clear();
  split_ = false;
}

void TvlCsvDataSource::Split() const {
  if (split_) return;
  std::size_t i = starts_[Position()], line = 0, errorLine = 0;
  // Checked at Open, so this cannot fail.
  (void)ParseRecord(data_, sep_, i, spans_, line, errorLine, defs_.size());
  split_ = true;
}

std::string_view TvlCsvDataSource::DisplayText(int field) const {
  if (!HasRecord() || field < 0 || static_cast<std::size_t>(field) >= defs_.size()) return {};
  Split();
  const Span& s = spans_[static_cast<std::size_t>(field)];
  const std::string_view raw(data_.data() + s.Offset, s.Length);
  if (!s.Escaped) return raw;
  std::string& buffer = unescaped_[static_cast<std::size_t>(field)];
  Unescape(raw, buffer);
  return buffer;
}

void TvlCsvDataSource::ReadValue(int field, TvlValue& out) const { vlAssignText(out, DisplayText(field)); }

}  // namespace vl
