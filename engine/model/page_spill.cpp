#include "engine/model/page_spill.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "engine/core/error.h"
#include "platform/file_access.h"

namespace vl {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw TvlError(std::string("Cannot keep prepared pages in a temporary file: ") + what + ": " +
                 std::strerror(errno));
}

}  // namespace

TvlPageSpill::~TvlPageSpill() {
  if (fd_ >= 0) ::close(fd_);
}

std::uint64_t TvlPageSpill::Append(std::string_view bytes) {
  if (fd_ < 0) {
    const char* dir = std::getenv("TMPDIR");
    std::string name = std::string(dir && *dir ? dir : "/tmp") + "/vellora-pages.XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) Fail("create");
    ::unlink(name.c_str());  // nameless: nothing is left behind, whatever happens
  }
  const std::uint64_t at = size_;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(at + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      Fail("write");
    }
    done += static_cast<std::size_t>(n);
  }
  size_ += bytes.size();
  return at;
}

void TvlPageSpill::Read(std::uint64_t offset, std::size_t length, std::string& out) const {
  if (!vlReadAt(fd_, offset, length, out)) Fail("read");
}

void TvlPageSpill::Clear() {
  if (fd_ >= 0 && ::ftruncate(fd_, 0) != 0) {
    ::close(fd_);  // a fresh file next time
    fd_ = -1;
  }
  size_ = 0;
}

}  // namespace vl
