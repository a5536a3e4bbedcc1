#include "engine/model/deflate_compressor.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "engine/core/error.h"

namespace vl {
namespace {

constexpr int kLevel = 6;
constexpr std::size_t kChunk = 64 * 1024;

// zlib counts in unsigned int; larger inputs go in slices.
uInt SliceOf(std::size_t left) { return static_cast<uInt>(std::min<std::size_t>(left, UINT_MAX)); }

}  // namespace

void TvlDeflateCompressor::Compress(const std::string& source, std::string& destination) {
  z_stream z{};
  if (deflateInit(&z, kLevel) != Z_OK) throw TvlError("Cannot start the page compressor");
  destination.clear();
  destination.reserve(compressBound(static_cast<uLong>(source.size())));
  const auto* in = reinterpret_cast<const Bytef*>(source.data());
  std::size_t left = source.size();
  char out[kChunk];
  int status = Z_OK;
  do {
    if (z.avail_in == 0 && left > 0) {
      z.next_in = const_cast<Bytef*>(in);
      z.avail_in = SliceOf(left);
      in += z.avail_in;
      left -= z.avail_in;
    }
    z.next_out = reinterpret_cast<Bytef*>(out);
    z.avail_out = kChunk;
    status = deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
    destination.append(out, kChunk - z.avail_out);
  } while (status == Z_OK || status == Z_BUF_ERROR);
  deflateEnd(&z);
  if (status != Z_STREAM_END) throw TvlError("The page compressor failed");
}

void TvlDeflateCompressor::Decompress(const std::string& source, std::string& destination) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw TvlError("Cannot start the page decompressor");
  destination.clear();
  const auto* in = reinterpret_cast<const Bytef*>(source.data());
  std::size_t left = source.size();
  char out[kChunk];
  int status = Z_OK;
  while (status != Z_STREAM_END) {
    if (z.avail_in == 0) {
      if (left == 0) break;  // cut short
      z.next_in = const_cast<Bytef*>(in);
      z.avail_in = SliceOf(left);
      in += z.avail_in;
      left -= z.avail_in;
    }
    z.next_out = reinterpret_cast<Bytef*>(out);
    z.avail_out = kChunk;
    status = inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) break;
    const std::size_t produced = kChunk - z.avail_out;
    if (destination.size() + produced > MaxStreamBytes) {
      status = Z_MEM_ERROR;
      break;
    }
    destination.append(out, produced);
  }
  const bool trailing = z.avail_in > 0 || left > 0;
  inflateEnd(&z);
  if (status != Z_STREAM_END || trailing) {
    destination.clear();
    throw TvlStreamError("A compressed page stream is damaged");
  }
}

void vlInstallDeflateCompressor() {
  static TvlDeflateCompressor compressor;
  vlInstallCompressor(&compressor);
}

}  // namespace vl
