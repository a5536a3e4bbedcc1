#pragma once
// A prepared-report file kept open after loading, so that its pages are
// read when they are drawn instead of all at once: a store of a million
// pages then needs memory for the page records only. The descriptor stays
// on the file that was loaded even when a save renames another over it.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl {

class TvlPageFile {
 public:
  // Opens a regular file without blocking (a FIFO or device is refused);
  // raises TvlError with the reason when it cannot be read.
  explicit TvlPageFile(const std::string& path);
  TvlPageFile(const TvlPageFile&) = delete;
  TvlPageFile& operator=(const TvlPageFile&) = delete;
  ~TvlPageFile();

  const std::string& Path() const noexcept { return path_; }
  std::uint64_t Size() const noexcept { return size_; }
  // Reads length bytes at offset into out; raises TvlError when the bytes
  // are not there (the file was cut short after loading) or cannot be read.
  void Read(std::uint64_t offset, std::size_t length, std::string& out) const;

 private:
  std::string path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace vl
