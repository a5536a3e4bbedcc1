#pragma once
// Bounds-checked little-endian reader over bytes in memory: the template
// stream, prepared pages, the dictionary file and the designer's clipboard all
// read through it. Every read checks what remains and raises TvlStreamError
// instead of running past the end, so damaged files never crash or allocate
// without bound.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/error.h"

namespace vl {

class TvlStreamReader {
 public:
  // Positions are offsets from data, the start of the stream object (for a
  // file, the start of the file). inMemory tells a stream copied in memory
  // (never asked for a password) from one read from a file.
  TvlStreamReader(const void* data, std::size_t size, bool inMemory = true) noexcept
      : data_(static_cast<const std::uint8_t*>(data)), size_(size), inMemory_(inMemory) {}
  explicit TvlStreamReader(const std::string& bytes, bool inMemory = true) noexcept
      : TvlStreamReader(bytes.data(), bytes.size(), inMemory) {}

  std::size_t Size() const noexcept { return size_; }
  std::size_t Position() const noexcept { return pos_; }
  std::size_t Remaining() const noexcept { return size_ - pos_; }
  bool AtEnd() const noexcept { return pos_ >= size_; }
  bool InMemory() const noexcept { return inMemory_; }
  const std::uint8_t* Data() const noexcept { return data_; }
  // Moves to an absolute position; beyond the end is an error.
  void Seek(std::size_t pos);
  void Skip(std::size_t n) { Need(n); pos_ += n; }

  std::uint8_t ReadByte() { Need(1); return data_[pos_++]; }
  std::uint16_t ReadU16() { return Read<std::uint16_t>(); }
  std::int16_t ReadI16() { return static_cast<std::int16_t>(Read<std::uint16_t>()); }
  std::int32_t ReadI32() { return static_cast<std::int32_t>(Read<std::uint32_t>()); }
  std::uint32_t ReadU32() { return Read<std::uint32_t>(); }
  double ReadDouble();
  // Boolean16: any non-zero value is true.
  bool ReadBool16() { return ReadU16() != 0; }
  // n raw bytes.
  std::string ReadBytes(std::size_t n);
  void ReadBytes(std::size_t n, std::vector<std::uint8_t>& out);

  // Texts and text lists in the form of the stream version in force
  // (vlState().StreamVersion): from 23 on length-prefixed, before 23 ended by
  // a byte 0.
  std::string ReadString();
  void ReadStringList(std::vector<std::string>& lines);
  // The length-prefixed forms whatever the version: a 16-bit length, the bytes
  // and one byte 0 (dropped); a list as a 16-bit count, lines each followed by
  // byte 13 or, after the last, byte 0.
  std::string ReadString16();
  void ReadStringList16(std::vector<std::string>& lines);
  // The forms before version 23: bytes up to a byte 0; a list splits at byte 13.
  std::string ReadStringZ();
  void ReadStringListZ(std::vector<std::string>& lines);
  // The information block's form: a 16-bit length and the bytes, nothing after.
  std::string ReadInfoString();
  // One length byte and the characters (the oldest dictionary layout).
  std::string ReadShortString();

 private:
  void Need(std::size_t n) const {
    if (n > size_ - pos_) Fail();
  }
  [[noreturn]] static void Fail();
  template <typename T>
  T Read() {
    Need(sizeof(T));
    T v;
    std::memcpy(&v, data_ + pos_, sizeof(T));  // the engine runs on little-endian machines only
    pos_ += sizeof(T);
    return v;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool inMemory_;
};

}  // namespace vl
