#include "platform/file_access.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vl {
namespace {

// Links deeper than this are a loop (the kernel's own limit).
constexpr int kMaxLinkDepth = 40;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

TvlReadOutcome vlOpenRegularFile(const std::string& path, int& fd, std::uint64_t& size) {
  fd = -1;
  size = 0;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? TvlReadOutcome::Missing : TvlReadOutcome::Failed;
  if (!S_ISREG(st.st_mode)) return TvlReadOutcome::NotRegular;
  // O_NONBLOCK: should the name be swapped for a FIFO after the check, the
  // open still returns at once.
  const int opened = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (opened < 0) return errno == ENOENT ? TvlReadOutcome::Missing : TvlReadOutcome::Failed;
  if (::fstat(opened, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int reason = errno;
    const bool regular = S_ISREG(st.st_mode);
    ::close(opened);
    errno = reason;
    return regular ? TvlReadOutcome::Failed : TvlReadOutcome::NotRegular;
  }
  fd = opened;
  size = static_cast<std::uint64_t>(st.st_size);
  return TvlReadOutcome::Read;
}

bool vlReadAt(int fd, std::uint64_t offset, std::size_t length, std::string& out) {
  out.resize(length);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;  // the file ends early
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

TvlReadOutcome vlReadRegularFile(const std::string& path, std::string& bytes, std::size_t maxSize,
                                 bool headOnly) {
  bytes.clear();
  int fd = -1;
  std::uint64_t fileSize = 0;
  const TvlReadOutcome opened = vlOpenRegularFile(path, fd, fileSize);
  if (opened != TvlReadOutcome::Read) return opened;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  const auto size = static_cast<std::size_t>(fileSize);
  if (size > maxSize && !headOnly) return TvlReadOutcome::TooLarge;
  bytes.reserve(size < maxSize ? size : maxSize);
  char buf[65536];
  while (bytes.size() < maxSize || !headOnly) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return TvlReadOutcome::Failed;
    if (n == 0) break;
    const std::size_t room = maxSize - bytes.size();
    if (static_cast<std::size_t>(n) > room) {
      // The file grew while being read.
      if (!headOnly) return TvlReadOutcome::TooLarge;
      bytes.append(buf, room);
      break;
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  return TvlReadOutcome::Read;
}

TvlWriteTarget vlWriteTarget(const std::string& path) {
  TvlWriteTarget target{path, {}};
  for (int depth = 0;; ++depth) {
    struct stat st {};
    if (::lstat(target.Path.c_str(), &st) != 0) {
      if (errno != ENOENT) target.Refusal = std::strerror(errno);
      return target;  // a new file
    }
    if (S_ISLNK(st.st_mode)) {
      if (depth == kMaxLinkDepth) {
        target.Refusal = std::strerror(ELOOP);
        return target;
      }
      std::string link(4096, '\0');
      const ssize_t n = ::readlink(target.Path.c_str(), link.data(), link.size());
      if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) {
        target.Refusal = std::strerror(n < 0 ? errno : n == 0 ? ENOENT : ENAMETOOLONG);
        return target;
      }
      link.resize(static_cast<std::size_t>(n));
      target.Path = link.front() == '/' ? link : FolderOf(target.Path) + link;
      continue;
    }
    if (!S_ISREG(st.st_mode)) {
      target.Refusal = "not a regular file";
    } else if ((st.st_mode & 0222) == 0 || ::access(target.Path.c_str(), W_OK) != 0) {
      // The mode bits count even for root, who could otherwise write anything.
      target.Refusal = "the file is read-only";
    }
    return target;
  }
}

}  // namespace vl
