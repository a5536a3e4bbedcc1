#include "platform/pdf/pdf_hash.h"

#include <cstring>

namespace vl {
namespace {

inline std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  h ^= h >> 33;
  return h;
}

inline std::uint64_t Rotl(std::uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

}  // namespace

TvlPdfHash vlPdfHash(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  std::uint64_t a = 0x9E3779B97F4A7C15ULL ^ size, b = 0xC2B2AE3D27D4EB4FULL + size;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, p + i, 8);
    a = Rotl(a ^ (w * 0x87c37b91114253d5ULL), 31) * 0x4cf5ad432745937fULL;
    b = Rotl(b + (w ^ 0x52dce729ULL), 27) * 0x9E3779B185EBCA87ULL + a;
  }
  std::uint64_t tail = 0;
  for (std::size_t k = 0; i + k < size; ++k) tail |= static_cast<std::uint64_t>(p[i + k]) << (8 * k);
  a ^= tail * 0x87c37b91114253d5ULL;
  b ^= Rotl(tail, 17) + 0x165667B19E3779F9ULL;
  return {Mix(a + Rotl(b, 13)), Mix(b ^ Rotl(a, 29))};
}

}  // namespace vl
