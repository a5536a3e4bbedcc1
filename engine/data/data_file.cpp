#include "engine/data/data_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unistd.h>

#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "platform/file_access.h"

namespace vl {

namespace {

// Raises the message for a file that was not read.
void CheckRead(TvlReadOutcome outcome, const std::string& fileName) {
  auto cannot = [&fileName](const std::string& why) {
    throw TvlError(vlLoadStr(str::kCannotOpenDataFile) + fileName + ": " + why);
  };
  switch (outcome) {
    case TvlReadOutcome::Read: break;
    case TvlReadOutcome::NotRegular: cannot(vlLoadStr(str::kNotRegularFile)); break;
    case TvlReadOutcome::TooLarge: cannot(vlLoadStr(str::kFileTooLarge)); break;
    default: cannot(std::strerror(errno));
  }
}

}  // namespace

std::string vlReadDataFile(const std::string& fileName, std::size_t maxSize) {
  std::string text;
  CheckRead(vlReadRegularFile(fileName, text, maxSize), fileName);
  return text;
}

int vlOpenDataFile(const std::string& fileName, std::size_t maxSize, std::uint64_t& size) {
  int fd = -1;
  CheckRead(vlOpenRegularFile(fileName, fd, size), fileName);
  if (size > maxSize) {
    ::close(fd);
    CheckRead(TvlReadOutcome::TooLarge, fileName);
  }
  return fd;
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
