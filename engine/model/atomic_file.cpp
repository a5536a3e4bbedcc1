#include "engine/model/atomic_file.h"
#include "engine/core/project_texts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/core/error.h"
#include "platform/file_access.h"

namespace vl {

TvlAtomicFile::TvlAtomicFile(const std::string& path) : requested_(path) {
  const TvlWriteTarget target = vlWriteTarget(path);
  if (!target.Refusal.empty()) throw TvlError(vlTr("Cannot write file %1: %2", {path, target.Refusal}));
  path_ = target.Path;
  // The temporary file sits in the target's folder so that the rename stays
  // on one file system and is atomic.
  const std::size_t slash = path_.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  tmp_ = path_.substr(0, nameStart) + ".~" + path_.substr(nameStart) + ".XXXXXX";
  fd_ = ::mkstemp(tmp_.data());
  if (fd_ < 0) {
    tmp_.clear();
    Fail();
  }
}

TvlAtomicFile::~TvlAtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!tmp_.empty()) ::unlink(tmp_.c_str());
}

void TvlAtomicFile::Fail() {
  const int err = errno;
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!tmp_.empty()) ::unlink(tmp_.c_str());
  tmp_.clear();
  throw TvlError(vlTr("Cannot write file %1: %2", {requested_, std::string(std::strerror(err))}));
}

void TvlAtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0) throw TvlError(vlTr("Cannot write file %1", {requested_}));
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      Fail();
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

void TvlAtomicFile::Commit() {
  if (fd_ < 0) throw TvlError(vlTr("Cannot write file %1", {requested_}));
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0) {
    ::fchmod(fd_, st.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
  }
  if (::fsync(fd_) != 0) Fail();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail();
  if (::rename(tmp_.c_str(), path_.c_str()) != 0) Fail();
  tmp_.clear();
}

}  // namespace vl
