#include "engine/model/stream_writer.h"

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/core/error.h"

namespace vl {

std::uint16_t TvlStreamWriter::CheckedLength(std::size_t n) {
  if (n > 0xFFFF) throw TvlStreamError("A text longer than 65535 bytes cannot be saved");
  return static_cast<std::uint16_t>(n);
}

void TvlStreamWriter::WriteString(std::string_view s) {
  WriteU16(CheckedLength(s.size()));
  buf_.append(s);
  WriteByte(0);
}

void TvlStreamWriter::WriteStringList(const std::vector<std::string>& lines) {
  // Readers ignore the count beyond zero/non-zero, so a long list is still read whole.
  WriteU16(static_cast<std::uint16_t>(lines.size() > 0xFFFF ? 0xFFFF : lines.size()));
  if (lines.empty()) {
    WriteByte(0);
    return;
  }
  for (std::size_t k = 0; k < lines.size(); ++k) {
    WriteU16(CheckedLength(lines[k].size()));
    buf_.append(lines[k]);
    WriteByte(k + 1 < lines.size() ? 13 : 0);
  }
}

void TvlStreamWriter::WriteInfoString(std::string_view s) {
  WriteU16(CheckedLength(s.size()));
  buf_.append(s);
}

void TvlStreamWriter::PatchOffset(std::size_t at) {
  const std::size_t pos = Position();
  if (pos > 0x7FFFFFFF) throw TvlStreamError("The stream is too large to be saved");
  const std::uint32_t v = static_cast<std::uint32_t>(pos);
  std::memcpy(&buf_[at], &v, sizeof v);
}

namespace {

std::string Reason(const std::string& path) {
  return "Cannot write file " + path + ": " + std::strerror(errno);
}

}  // namespace

void vlWriteFileAtomically(const std::string& path, std::string_view bytes) {
  // The temporary file sits in the target's folder so that the rename stays
  // on one file system and is atomic.
  const std::size_t slash = path.find_last_of('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string tmp = path.substr(0, nameStart) + ".~" + path.substr(nameStart) + ".XXXXXX";
  const int fd = ::mkstemp(tmp.data());
  if (fd < 0) throw TvlError(Reason(path));
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  bool ok = true;
  while (ok && left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else {
      p += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  if (ok) {
    if (::stat(path.c_str(), &st) == 0)
      ::fchmod(fd, st.st_mode & 07777);
    else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      ::fchmod(fd, 0666 & ~mask);
    }
    ok = ::fsync(fd) == 0;
  }
  const int saved = errno;
  if (::close(fd) != 0 && ok) ok = false;
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    const int err = errno ? errno : saved;
    ::unlink(tmp.c_str());
    errno = err;
    throw TvlError(Reason(path));
  }
}

bool vlReadFile(const std::string& path, std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) throw TvlError("Cannot read file " + path);
  return true;
}

}  // namespace vl
