#include "engine/data/open_data_source.h"

#include <cstring>
#include <filesystem>

#include "engine/data/csv_data_source.h"
#include "engine/data/sqlite_data_source.h"
#include "engine/data/vcard_data_source.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "platform/file_access.h"

namespace vl {
namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && vlSameText(s.substr(s.size() - tail.size()), tail);
}

// True when text starts with word (any case) followed by a blank or line break.
bool StartsWithWord(std::string_view text, std::string_view word) {
  return text.size() > word.size() && vlSameText(text.substr(0, word.size()), word) &&
         static_cast<unsigned char>(text[word.size()]) <= ' ';
}

// The kind a file shows in its first bytes; Csv when it shows none.
TvlSourceKind KindOfContent(const std::string& file, bool& known) {
  known = false;
  // A FIFO or device shows nothing (and is refused when read).
  std::string bytes;
  if (vlReadRegularFile(file, bytes, 512, true) != TvlReadOutcome::Read) return TvlSourceKind::Csv;
  const char* head = bytes.data();
  const std::size_t n = bytes.size();
  if (n >= 16 && std::memcmp(head, "SQLite format 3", 16) == 0) {
    known = true;
    return TvlSourceKind::SQLite;
  }
  std::string_view text(head, n);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  if (text.size() >= 11 && vlSameText(text.substr(0, 11), "BEGIN:VCARD")) {
    known = true;
    return TvlSourceKind::VCard;
  }
  return TvlSourceKind::Csv;
}

[[noreturn]] void BadSpec(const std::string& spec, int reason) {
  throw TvlError(vlLoadStr(str::kBadTableOrQuery) + spec + ": " + vlLoadStr(reason));
}

}  // namespace

const char* vlSourceKindName(TvlSourceKind kind) {
  switch (kind) {
    case TvlSourceKind::SQLite: return "sqlite";
    case TvlSourceKind::VCard: return "vcard";
    default: return "csv";
  }
}

TvlSourceSpec vlParseSourceSpec(const std::string& spec) {
  TvlSourceSpec out;
  out.FileName = spec;
  std::string what;
  bool hasWhat = false;
  if (!IsFile(spec)) {
    // The first "#" after which the name before it is a file; else the first "#".
    std::size_t split = std::string::npos;
    for (std::size_t at = spec.find('#'); at != std::string::npos; at = spec.find('#', at + 1)) {
      if (split == std::string::npos) split = at;
      if (IsFile(spec.substr(0, at))) {
        split = at;
        break;
      }
    }
    if (split != std::string::npos) {
      out.FileName = spec.substr(0, split);
      what = vlTrim(spec.substr(split + 1));
      hasWhat = true;
    }
  }
  if (out.FileName.empty()) throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + ": " + vlLoadStr(str::kNoFileNamed));
  if (hasWhat) {
    if (what.empty()) BadSpec(out.FileName, str::kNoTableOrQuery);
    out.Kind = TvlSourceKind::SQLite;
    if (StartsWithWord(what, "SELECT") || StartsWithWord(what, "WITH"))
      out.SQL = what;
    else
      out.Table = what;
    return out;
  }
  bool known = false;
  out.Kind = KindOfContent(out.FileName, known);
  if (!known && (EndsWith(out.FileName, ".vcf") || EndsWith(out.FileName, ".vcard"))) out.Kind = TvlSourceKind::VCard;
  return out;
}

std::unique_ptr<TvlDataSource> vlMakeDataSource(const TvlSourceSpec& spec, const std::string& name) {
  switch (spec.Kind) {
    case TvlSourceKind::SQLite: {
      auto s = std::make_unique<TvlSQLiteDataSource>(name);
      s->FileName = spec.FileName;
      s->TableName = spec.Table;
      s->SQL = spec.SQL;
      if (s->TableName.empty() && vlTrim(s->SQL).empty()) {
        const std::vector<std::string> tables = vlSQLiteTables(spec.FileName);
        if (tables.size() != 1) {
          std::string list;
          for (const std::string& t : tables) list += (list.empty() ? "" : ", ") + t;
          throw TvlError(vlLoadStr(str::kBadTableOrQuery) + spec.FileName + ": " + vlLoadStr(str::kNameATable) +
                         (list.empty() ? std::string() : " (" + list + ")"));
        }
        s->TableName = tables[0];
      }
      return s;
    }
    case TvlSourceKind::VCard: {
      auto s = std::make_unique<TvlVCardDataSource>(name);
      s->FileName = spec.FileName;
      return s;
    }
    default: {
      auto s = std::make_unique<TvlCsvDataSource>(name);
      s->FileName = spec.FileName;
      return s;
    }
  }
}

std::unique_ptr<TvlDataSource> vlMakeDataSource(const std::string& spec, const std::string& name) {
  return vlMakeDataSource(vlParseSourceSpec(spec), name);
}

std::unique_ptr<TvlDataSource> vlOpenDataSource(const std::string& spec, const std::string& name) {
  std::unique_ptr<TvlDataSource> source = vlMakeDataSource(spec, name);
  source->Open();
  return source;
}

}  // namespace vl
