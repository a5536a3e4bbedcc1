#pragma once
// Little-endian reads from a byte span, every one checked against what
// remains: a read past the end yields zero and marks the reader failed.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vl {

class TvlByteReader {
 public:
  TvlByteReader(const void* data, std::size_t size)
      : p_(static_cast<const std::uint8_t*>(data)), size_(size) {}
  explicit TvlByteReader(std::string_view bytes) : TvlByteReader(bytes.data(), bytes.size()) {}

  bool Ok() const { return ok_; }
  std::size_t Pos() const { return pos_; }
  std::size_t Size() const { return size_; }
  std::size_t Remaining() const { return size_ - pos_; }
  const std::uint8_t* Data() const { return p_; }
  bool Has(std::size_t n) const { return n <= size_ - pos_; }
  void Seek(std::size_t pos) {
    if (pos > size_) ok_ = false, pos_ = size_;
    else pos_ = pos;
  }
  void Skip(std::size_t n) { Seek(Has(n) ? pos_ + n : size_ + 1); }

  std::uint8_t U8() { return static_cast<std::uint8_t>(Read(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Read(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Read(4)); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  float F32() {
    std::uint32_t u = U32();
    float f;
    static_assert(sizeof f == sizeof u);
    __builtin_memcpy(&f, &u, sizeof f);
    return f;
  }

 private:
  std::uint64_t Read(std::size_t n) {
    if (!Has(n)) {
      ok_ = false;
      pos_ = size_;
      return 0;
    }
    std::uint64_t v = 0;
    for (std::size_t k = 0; k < n; ++k) v |= static_cast<std::uint64_t>(p_[pos_ + k]) << (8 * k);
    pos_ += n;
    return v;
  }

  const std::uint8_t* p_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace vl
