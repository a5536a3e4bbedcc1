#include "engine/data/text_file_source.h"

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/data/data_file.h"

namespace vl {

void TvlTextFileSource::Open() {
  if (Active()) return;
  OpenText(vlReadDataFile(FileName, kMaxFileSize), FileName);
}

void TvlTextFileSource::OpenText(std::string text, const std::string& sourceName) {
  Close();
  if (text.size() > kMaxFileSize)
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + sourceName + ": " + vlLoadStr(str::kFileTooLarge));
  const bool utf8Bom = vlTakeUtf8Bom(text, sourceName);
  OpenWith(sourceName, [&] { return ReadText(std::move(text), utf8Bom, sourceName); });
}

void TvlTextFileSource::OpenWith(const std::string& sourceName, const std::function<std::size_t()>& read) {
  Close();
  std::size_t count = 0;
  try {
    count = read();
  } catch (...) {
    Close();
    throw;
  }
  name_ = sourceName;
  SetOpen(count);
}

}  // namespace vl
