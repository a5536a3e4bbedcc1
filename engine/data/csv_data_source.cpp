#include "engine/data/csv_data_source.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

#include "engine/data/code_page.h"
#include "engine/data/data_file.h"
#include "engine/data/data_limits.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "platform/file_access.h"

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
      // A closing quote is looked for no further than a record may reach,
      // so that the answer does not depend on how much text follows.
      const std::size_t reach = std::min(n, start + data_limits::kMaxLineBytes + 1);
      for (;;) {
        const std::size_t q = d.substr(0, reach).find('"', j);
        if (q == std::string_view::npos) return reach < n ? CsvError::LineTooLong : CsvError::Unclosed;
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

// Bytes a record may span with its line break, and a margin: the window
// always holds that much ahead of a record's start, so a record is parsed
// exactly as in the whole text.
constexpr std::size_t kRecordReach = data_limits::kMaxLineBytes + 16;
constexpr std::size_t kWindowBytes = 4 * kRecordReach;
// Records are read from the file in blocks of this size at least.
constexpr std::size_t kReadBlock = std::size_t{64} << 10;

[[noreturn]] void CannotRead(const std::string& sourceName, const std::string& why) {
  throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + sourceName + ": " + why);
}

// Closes a descriptor unless it was handed on.
struct FileGuard {
  int Fd;
  ~FileGuard() {
    if (Fd >= 0) ::close(Fd);
  }
  int Release() { return std::exchange(Fd, -1); }
};

}  // namespace

// The text being checked: the whole of it in memory, or a window over the
// open file moved on as parsing goes.
class TvlCsvDataSource::Window {
 public:
  explicit Window(std::string_view whole) : view_(whole) {}
  Window(int fd, std::uint64_t start, std::uint64_t size, const std::string& sourceName)
      : fd_(fd), next_(start), size_(size), atEnd_(false), sourceName_(sourceName) {
    base_ = start;
    Fill();
  }

  std::string_view View() const noexcept { return view_; }
  // The offset in the file of the view's first byte.
  std::uint64_t Base() const noexcept { return base_; }
  // Makes sure the view holds kRecordReach bytes from i on, or the rest of
  // the text, moving the window on (i is then 0).
  void Ensure(std::size_t& i) {
    if (atEnd_ || view_.size() - i >= kRecordReach) return;
    buffer_.erase(0, i);
    base_ += i;
    i = 0;
    Fill();
  }

 private:
  void Fill() {
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::uint64_t>(kWindowBytes - std::min(kWindowBytes, buffer_.size()), size_ - next_));
    if (n > 0) {
      if (!vlReadAt(fd_, next_, n, chunk_)) CannotRead(sourceName_, std::strerror(errno));
      buffer_ += chunk_;
      next_ += n;
    }
    atEnd_ = next_ >= size_;
    view_ = buffer_;
  }

  std::string_view view_;
  int fd_ = -1;
  std::uint64_t base_ = 0, next_ = 0, size_ = 0;
  bool atEnd_ = true;
  std::string sourceName_;
  std::string buffer_, chunk_;
};

TvlCsvDataSource::~TvlCsvDataSource() {
  if (fd_ >= 0) ::close(fd_);
}

void TvlCsvDataSource::Open() {
  if (Active()) return;
  std::uint64_t size = 0;
  FileGuard file{vlOpenDataFile(FileName, kMaxFileSize, size)};
  std::string head;
  if (!vlReadAt(file.Fd, 0, static_cast<std::size_t>(std::min<std::uint64_t>(size, 3)), head))
    CannotRead(FileName, std::strerror(errno));
  const bool utf8Bom = vlTakeUtf8Bom(head, FileName);
  if (utf8Bom && !vlSystemCodePageIsUtf8()) {
    // Turned into the system code page whole, and kept in memory.
    TvlTextFileSource::Open();
    return;
  }
  OpenWith(FileName, [&] {
    fd_ = file.Release();
    fileSize_ = size;
    Window text(fd_, utf8Bom ? 3 : 0, size, FileName);
    Parse(text, FileName);
    return starts_.size();
  });
}

std::size_t TvlCsvDataSource::ReadText(std::string text, bool utf8Bom, const std::string& sourceName) {
  if (utf8Bom && !vlSystemCodePageIsUtf8()) text = vlUtf8ToSystemCodePage(text);
  data_ = std::move(text);
  Window whole(data_);
  Parse(whole, sourceName);
  return starts_.size();
}

void TvlCsvDataSource::Parse(Window& text, const std::string& sourceName) {
  std::size_t i = 0, line = 1, errorLine = 1;
  auto malformed = [&sourceName](std::size_t at, const std::string& why) {
    throw TvlError(vlLoadStr(str::kMalformedCsv) + sourceName + vlLoadStr(str::kCsvLine) +
                   std::to_string(at) + ": " + why);
  };
  auto limit = [](int what, std::size_t value, int unit) {
    return vlLoadStr(what) + std::to_string(value) + (unit ? vlLoadStr(unit) : std::string());
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
  auto skipBlankLines = [&] {
    for (;;) {
      text.Ensure(i);
      if (!SkipBreak(text.View(), i)) return;
      ++line;
    }
  };

  skipBlankLines();
  if (i >= text.View().size()) malformed(line, vlLoadStr(str::kCsvNoHeader));
  sep_ = DetectSeparator(text.View(), i);
  std::vector<Span> spans;
  const std::size_t headerLine = line;
  check(ParseRecord(text.View(), sep_, i, spans, line, errorLine, data_limits::kMaxColumns));
  std::string name;
  defs_.reserve(spans.size());
  for (const Span& s : spans) {
    Unescape(text.View().substr(s.Offset, s.Length), name);
    if (CharacterCount(name) > data_limits::kMaxColumnNameChars)
      malformed(headerLine, limit(str::kColumnNameTooLong, data_limits::kMaxColumnNameChars, str::kCharactersUnit));
    defs_.push_back({name, TvlFieldKind::fkString, false});
  }
  for (;;) {
    skipBlankLines();
    if (i >= text.View().size()) break;
    const std::size_t start = i, recordLine = line;
    check(ParseRecord(text.View(), sep_, i, spans, line, errorLine, std::string_view::npos));
    if (spans.size() != defs_.size())
      malformed(recordLine, std::to_string(spans.size()) + vlLoadStr(str::kCsvFieldCount) +
                                std::to_string(defs_.size()));
    starts_.push_back(text.Base() + start);
    lengths_.push_back(static_cast<std::uint32_t>(i - start));  // at most the line limit
  }
  spans_.reserve(defs_.size());
  unescaped_.assign(defs_.size(), std::string());
}

void TvlCsvDataSource::Close() {
  SetClosed();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  data_.clear();
  data_.shrink_to_fit();
  defs_.clear();
  starts_.clear();
  starts_.shrink_to_fit();
  lengths_.clear();
  lengths_.shrink_to_fit();
  fileSize_ = 0;
  block_.clear();
  block_.shrink_to_fit();
  blockStart_ = 0;
  view_ = {};
  spans_.clear();
  unescaped_.clear();
  split_ = false;
}

void TvlCsvDataSource::Split() const {
  if (split_) return;
  const std::size_t p = Position();
  if (fd_ >= 0) {
    const std::uint64_t at = starts_[p];
    const std::size_t length = lengths_[p];
    if (at < blockStart_ || at + length > blockStart_ + block_.size()) {
      const std::size_t want = static_cast<std::size_t>(
          std::min<std::uint64_t>(std::max(length, kReadBlock), fileSize_ - std::min(fileSize_, at)));
      if (want < length || !vlReadAt(fd_, at, want, block_)) {
        block_.clear();
        CannotRead(SourceFile(), want < length ? "the file changed after it was opened" : std::strerror(errno));
      }
      blockStart_ = at;
    }
    view_ = std::string_view(block_).substr(static_cast<std::size_t>(at - blockStart_), length);
  } else {
    view_ = std::string_view(data_).substr(static_cast<std::size_t>(starts_[p]), lengths_[p]);
  }
  std::size_t i = 0, line = 0, errorLine = 0;
  // Checked at Open; a file changed since then is refused rather than read wrong.
  if (ParseRecord(view_, sep_, i, spans_, line, errorLine, defs_.size()) != CsvError::None ||
      spans_.size() != defs_.size())
    CannotRead(SourceFile(), "the file changed after it was opened");
  split_ = true;
}

std::string_view TvlCsvDataSource::DisplayText(int field) const {
  if (!HasRecord() || field < 0 || static_cast<std::size_t>(field) >= defs_.size()) return {};
  Split();
  const Span& s = spans_[static_cast<std::size_t>(field)];
  const std::string_view raw = view_.substr(s.Offset, s.Length);
  if (!s.Escaped) return raw;
  std::string& buffer = unescaped_[static_cast<std::size_t>(field)];
  Unescape(raw, buffer);
  return buffer;
}

void TvlCsvDataSource::ReadValue(int field, TvlValue& out) const { vlAssignText(out, DisplayText(field)); }

}  // namespace vl
