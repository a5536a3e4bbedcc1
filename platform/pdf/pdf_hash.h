#pragma once
// A 128-bit hash of bytes, for telling repeated page parts and pictures
// apart without keeping them: two independent 64-bit lanes, so a false
// match is out of reach in any real document.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vl {

struct TvlPdfHash {
  std::uint64_t A = 0, B = 0;
  bool operator==(const TvlPdfHash&) const = default;
};

TvlPdfHash vlPdfHash(const void* data, std::size_t size);
inline TvlPdfHash vlPdfHash(std::string_view s) { return vlPdfHash(s.data(), s.size()); }

struct TvlPdfHashKey {
  std::size_t operator()(const TvlPdfHash& h) const { return static_cast<std::size_t>(h.A ^ (h.B >> 1)); }
};

}  // namespace vl
