#pragma once
// A CSV file as an external data source: a header row naming the fields,
// RFC 4180 quoting (fields in double quotes may hold separators, line breaks
// and doubled quotes), comma or semicolon separator taken from the header.
// Every field is text. The file is UTF-8 when it starts with the UTF-8 byte
// order mark (and is then turned into the system code page), otherwise it is
// read as bytes of the system code page.
//
// Open reads the file once, a window at a time, checks every line and keeps
// where each record starts and how long it is; the file stays open and a
// list of a million addresses needs memory for those places only. A move
// only marks the record, and the first read after it splits that one record
// into reusable buffers (reading it from the file with the records after it,
// 64 KB at a time, so that a walk costs few reads), so walking allocates
// nothing. Text
// opened from memory (and a UTF-8 file on a system of another code page,
// turned whole) is kept in memory instead.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/text_file_source.h"

namespace vl {

class TvlCsvDataSource : public TvlTextFileSource {
 public:
  using TvlTextFileSource::TvlTextFileSource;
  ~TvlCsvDataSource() override;

  void Open() override;  // does nothing when already open
  void Close() override;

  using TvlDataSource::IsNull;
  using TvlDataSource::ReadValue;
  bool IsNull(int) const override { return false; }
  void ReadValue(int field, TvlValue& out) const override;
  std::string_view DisplayText(int field) const override;

  char Separator() const noexcept { return sep_; }

 protected:
  std::size_t ReadText(std::string text, bool utf8Bom, const std::string& sourceName) override;
  void RecordChanged() override { split_ = false; }

 private:
  struct Span {
    std::size_t Offset = 0;
    std::size_t Length = 0;
    bool Escaped = false;  // holds doubled quotes to undo
  };
  class Window;
  void Parse(Window& text, const std::string& sourceName);
  void Split() const;  // reads the current record and its spans

  std::string data_;  // the text, when held in memory
  int fd_ = -1;       // else the open file
  std::vector<std::uint64_t> starts_;   // offset of each data record
  std::vector<std::uint32_t> lengths_;  // its length with its line break
  char sep_ = ',';

  mutable bool split_ = false;
  std::uint64_t fileSize_ = 0;
  mutable std::string block_;  // records read from the file, from blockStart_
  mutable std::uint64_t blockStart_ = 0;
  mutable std::string_view view_;  // the current record's text
  mutable std::vector<Span> spans_;  // offsets within view_
  mutable std::vector<std::string> unescaped_;  // per field, reused
};

}  // namespace vl
