#include "engine/model/page_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "engine/core/error.h"
#include "platform/file_access.h"

namespace vl {

TvlPageFile::TvlPageFile(const std::string& path) : path_(path) {
  switch (vlOpenRegularFile(path, fd_, size_)) {
    case TvlReadOutcome::Read: return;
    case TvlReadOutcome::NotRegular: throw TvlError("Cannot read file " + path + ": not a regular file");
    default: throw TvlError("Cannot read file " + path + ": " + std::strerror(errno));
  }
}

TvlPageFile::~TvlPageFile() {
  if (fd_ >= 0) ::close(fd_);
}

void TvlPageFile::Read(std::uint64_t offset, std::size_t length, std::string& out) const {
  if (!vlReadAt(fd_, offset, length, out))
    throw TvlError("Cannot read file " + path_ + ": " + std::strerror(errno));
}

}  // namespace vl
