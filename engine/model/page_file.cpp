#include "engine/model/page_file.h"
#include "engine/core/project_texts.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "engine/core/error.h"
#include "platform/file_access.h"

namespace vl {

TvlPageFile::TvlPageFile(const std::string& path) : path_(path) {
  switch (vlOpenRegularFile(path, fd_, size_)) {
    case TvlReadOutcome::Read: return;
    case TvlReadOutcome::NotRegular: throw TvlError(vlTr("Cannot read file %1: not a regular file", {path}));
    default: throw TvlError(vlTr("Cannot read file %1: %2", {path, std::string(std::strerror(errno))}));
  }
}

TvlPageFile::~TvlPageFile() {
  if (fd_ >= 0) ::close(fd_);
}

void TvlPageFile::Read(std::uint64_t offset, std::size_t length, std::string& out) const {
  if (!vlReadAt(fd_, offset, length, out))
    throw TvlError(vlTr("Cannot read file %1: %2", {path_, std::string(std::strerror(errno))}));
}

}  // namespace vl
