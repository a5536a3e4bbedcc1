#pragma once
// A CSV file as an external data source: a header row naming the fields,
// RFC 4180 quoting (fields in double quotes may hold separators, line breaks
// and doubled quotes), comma or semicolon separator taken from the header.
// Every field is text. The file is UTF-8 when it starts with the UTF-8 byte
// order mark (and is then turned into the system code page), otherwise it is
// read as bytes of the system code page.
//
// Open reads the file once, checks every line and keeps where each record
// starts; a move only marks the record, and the first read after it splits
// that one record into reusable buffers, so walking allocates nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/text_file_source.h"

namespace vl {

class TvlCsvDataSource : public TvlTextFileSource {
 public:
  using TvlTextFileSource::TvlTextFileSource;

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
  void Parse(const std::string& sourceName);
  void Split() const;  // spans of the current record

  std::string data_;
  std::vector<std::size_t> starts_;  // offset of each data record
  char sep_ = ',';

  mutable bool split_ = false;
  mutable std::vector<Span> spans_;
  mutable std::vector<std::string> unescaped_;  // per field, reused
};

}  // namespace vl
