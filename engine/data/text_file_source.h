#pragma once
// A data source read whole from one text file (CSV, vCard): the file name,
// the size limit, reading the file, the byte order mark, and the name that
// messages give the source. The file formats only turn the text into
// records and fields.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "engine/data/record_list_source.h"

namespace vl {

class TvlTextFileSource : public TvlRecordListSource {
 public:
  using TvlRecordListSource::TvlRecordListSource;

  // Larger files are refused rather than read into memory.
  static constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

  std::string FileName;

  void Open() override;  // does nothing when already open
  // Opens on text already in memory; sourceName stands for the file in
  // messages. A text that cannot be read leaves the source closed.
  void OpenText(std::string text, const std::string& sourceName);

  const std::vector<TvlFieldDef>& FieldDefs() const override { return defs_; }

 protected:
  const std::string& SourceFile() const override { return Active() ? name_ : FileName; }
  // Turns the text (without its UTF-8 byte order mark, utf8Bom telling
  // whether it had one) into fields and records; the record count.
  virtual std::size_t ReadText(std::string text, bool utf8Bom, const std::string& sourceName) = 0;
  // Opens the source on what read finds (the record count); anything read
  // raises leaves the source closed.
  void OpenWith(const std::string& sourceName, const std::function<std::size_t()>& read);

  std::vector<TvlFieldDef> defs_;

 private:
  std::string name_;  // the file or what stands for it, while open
};

}  // namespace vl
