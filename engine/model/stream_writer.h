#pragma once
// Little-endian writer into memory for the template stream and the formats
// that share its encodings. A file is written by handing the finished bytes to
// the file layer in one piece (see vlWriteFileAtomically), or in pieces
// through TvlAtomicFile.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlStreamWriter {
 public:
  // Positions count from the start of this writer's bytes.
  std::size_t Position() const noexcept { return buf_.size(); }
  const std::string& Bytes() const noexcept { return buf_; }
  std::string TakeBytes() noexcept { return std::move(buf_); }
  // Drops the bytes and gives their memory back (assigning an empty writer
  // would keep the old buffer's capacity).
  void Release() noexcept { std::string().swap(buf_); }
  void Reserve(std::size_t n) { buf_.reserve(n); }

  void WriteByte(std::uint8_t v) { buf_.push_back(static_cast<char>(v)); }
  void WriteU16(std::uint16_t v) { Write(v); }
  void WriteI16(std::int16_t v) { Write(static_cast<std::uint16_t>(v)); }
  void WriteI32(std::int32_t v) { Write(static_cast<std::uint32_t>(v)); }
  void WriteU32(std::uint32_t v) { Write(v); }
  void WriteDouble(double v) { Write(v); }
  // Boolean16: 0 or 0xFFFF.
  void WriteBool16(bool v) { WriteU16(v ? 0xFFFF : 0); }
  void WriteBytes(const void* data, std::size_t n) {
    buf_.append(static_cast<const char*>(data), n);
  }
  void WriteBytes(std::string_view bytes) { buf_.append(bytes); }

  // The current encodings: a 16-bit length, the bytes and a byte 0; a list as
  // a 16-bit count, each line with its length and bytes, byte 13 between lines
  // and byte 0 after the last. A text or line over 65535 bytes cannot be
  // stored and raises TvlStreamError rather than writing a damaged stream.
  void WriteString(std::string_view s);
  void WriteStringList(const std::vector<std::string>& lines);
  // The information block's form: a 16-bit length and the bytes.
  void WriteInfoString(std::string_view s);

  // End offsets: a placeholder is written and filled in once the data after
  // it is written.
  std::size_t WriteOffsetPlaceholder() {
    const std::size_t at = Position();
    WriteI32(0);
    return at;
  }
  // Writes the current position into the placeholder at `at`; base is where
  // these bytes will start in the file when they are written in pieces.
  void PatchOffset(std::size_t at, std::size_t base = 0);

 private:
  template <typename T>
  void Write(T v) {
    char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));  // the engine runs on little-endian machines only
    buf_.append(b, sizeof(T));
  }
  static std::uint16_t CheckedLength(std::size_t n);

  std::string buf_;
};

// Writes bytes to path through a temporary file in the same folder renamed
// over the target, so a failed save keeps the previous file. A symbolic link
// is followed and its file replaced; a read-only file, a device, a FIFO or a
// folder is refused. Raises TvlError with the reason when refused or when
// the file system fails.
void vlWriteFileAtomically(const std::string& path, std::string_view bytes);
// Reads a whole file; false when it does not exist or cannot be opened.
// Raises TvlError when it exists but reading fails or it is not a regular
// file (checked before opening, so a FIFO never blocks).
bool vlReadFile(const std::string& path, std::string& bytes);

}  // namespace vl
