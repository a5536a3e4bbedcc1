#pragma once
// The temporary file that holds prepared pages' streams set aside from
// memory, so that a run of a million envelopes prepares in bounded memory.
// The file has no name (it is removed as soon as it is made) and vanishes
// with the store or the process.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vl {

class TvlPageSpill {
 public:
  TvlPageSpill() = default;
  TvlPageSpill(const TvlPageSpill&) = delete;
  TvlPageSpill& operator=(const TvlPageSpill&) = delete;
  ~TvlPageSpill();

  // Appends the bytes (made on first use, in $TMPDIR or /tmp); their offset.
  // Raises TvlError when the file cannot be made or written (a full disk).
  std::uint64_t Append(std::string_view bytes);
  // Reads length bytes at offset into out; raises TvlError when they cannot
  // be read back.
  void Read(std::uint64_t offset, std::size_t length, std::string& out) const;
  // Drops everything written.
  void Clear();
  std::uint64_t Size() const noexcept { return size_; }

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace vl
