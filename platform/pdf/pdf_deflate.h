#pragma once
// Deflate (zlib format, what /FlateDecode reads) of whole buffers through
// libdeflate, several times faster than zlib at the same size. One
// compressor serves one thread at a time.

#include <string>
#include <string_view>

struct libdeflate_compressor;

namespace vl {

// The level chosen by measurement (bench/README.md): beyond it the streams
// shrink by less than a percent at twice the time.
inline constexpr int kPdfDeflateLevel = 6;

class TvlPdfDeflate {
 public:
  TvlPdfDeflate();
  ~TvlPdfDeflate();
  TvlPdfDeflate(const TvlPdfDeflate&) = delete;
  TvlPdfDeflate& operator=(const TvlPdfDeflate&) = delete;

  // Appends the compressed form of data to out.
  void Append(std::string_view data, std::string& out);

 private:
  libdeflate_compressor* compressor_;
};

}  // namespace vl
