#include "engine/data/data_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "engine/core/error.h"
#include "engine/core/string_table.h"

namespace vl {

std::string vlReadDataFile(const std::string& fileName, std::size_t maxSize) {
  auto cannot = [&fileName](const std::string& why) {
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + fileName + ": " + why);
  };
  std::ifstream in(fileName, std::ios::binary);
  if (!in) cannot(std::strerror(errno));
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) cannot(std::strerror(errno));
  if (static_cast<std::uint64_t>(size) > maxSize) cannot(vlLoadStr(str::kFileTooLarge));
  in.seekg(0, std::ios::beg);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), size)) cannot(std::strerror(errno));
  return text;
}

bool vlTakeUtf8Bom(std::string& text, const std::string& sourceName) {
  auto starts = [&text](const char* bom) { return text.compare(0, std::strlen(bom), bom) == 0; };
  if (starts("\xFF\xFE") || starts("\xFE\xFF"))
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + sourceName + ": " + vlLoadStr(str::kUtf16File));
  if (!starts("\xEF\xBB\xBF")) return false;
  text.erase(0, 3);
  return true;
}

}  // namespace vl
