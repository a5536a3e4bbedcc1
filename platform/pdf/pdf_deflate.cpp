#include "platform/pdf/pdf_deflate.h"

#include <libdeflate.h>

#include <memory>
#include <new>

namespace vl {
namespace {

struct CompressorFree {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

libdeflate_compressor& Compressor() {
  thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(kPdfDeflateLevel));
  if (!compressor) throw std::bad_alloc();
  return *compressor;
}

}  // namespace

void vlPdfDeflate(std::string_view data, std::string& out) {
  libdeflate_compressor& c = Compressor();
  const std::size_t bound = libdeflate_zlib_compress_bound(&c, data.size());
  const std::size_t start = out.size();
  out.resize(start + bound);
  const std::size_t n = libdeflate_zlib_compress(&c, data.data(), data.size(), out.data() + start, bound);
  // The bound always suffices; a zero would mean the library broke its word.
  if (n == 0) throw std::bad_alloc();
  out.resize(start + n);
}

}  // namespace vl
