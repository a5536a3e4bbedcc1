#include "platform/pdf/pdf_deflate.h"

#include <libdeflate.h>

#include <new>

namespace vl {

TvlPdfDeflate::TvlPdfDeflate() : compressor_(libdeflate_alloc_compressor(kPdfDeflateLevel)) {
  if (!compressor_) throw std::bad_alloc();
}

TvlPdfDeflate::~TvlPdfDeflate() { libdeflate_free_compressor(compressor_); }

void TvlPdfDeflate::Append(std::string_view data, std::string& out) {
  const std::size_t bound = libdeflate_zlib_compress_bound(compressor_, data.size());
  const std::size_t start = out.size();
  out.resize(start + bound);
  const std::size_t n = libdeflate_zlib_compress(compressor_, data.data(), data.size(), out.data() + start, bound);
  // The bound always suffices; a zero would mean the library broke its word.
  if (n == 0) throw std::bad_alloc();
  out.resize(start + n);
}

}  // namespace vl
