#pragma once
// A file written piece by piece into a temporary file beside the target and
// renamed over it only when complete, so that a failed or interrupted save
// keeps the previous file and a large file never has to be whole in memory.
// The target follows the save rules: a symbolic link is followed and its
// file replaced; a read-only file, a device, a FIFO or a folder is refused.

#include <string>
#include <string_view>

namespace vl {

class TvlAtomicFile {
 public:
  // Raises TvlError ("Cannot write file PATH: " and the reason) when the
  // target must be left alone or the temporary file cannot be made.
  explicit TvlAtomicFile(const std::string& path);
  TvlAtomicFile(const TvlAtomicFile&) = delete;
  TvlAtomicFile& operator=(const TvlAtomicFile&) = delete;
  // Removes the temporary file unless committed.
  ~TvlAtomicFile();

  void Write(std::string_view bytes);  // raises TvlError with the reason
  // Gives the file the permissions of the one it replaces (or the usual
  // ones), flushes it to disk and renames it over the target.
  void Commit();

 private:
  [[noreturn]] void Fail();

  std::string requested_;  // the name the caller gave, for messages
  std::string path_;       // the file written, at the end of any links
  std::string tmp_;
  int fd_ = -1;
};

}  // namespace vl
