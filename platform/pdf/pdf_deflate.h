#pragma once
// Deflate (zlib format, what /FlateDecode reads) of whole buffers through
// libdeflate, several times faster than zlib at the same size. Each thread
// keeps its own compressor.

#include <string>
#include <string_view>

namespace vl {

// The level chosen by measurement (bench/README.md): beyond it the streams
// shrink by less than a percent at twice the time.
inline constexpr int kPdfDeflateLevel = 6;

// Appends the compressed form of data to out.
void vlPdfDeflate(std::string_view data, std::string& out);

}  // namespace vl
