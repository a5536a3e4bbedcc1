#pragma once
// The prepared pages' deflate compressor (zlib): a dense list page of about
// 28 KB of view records shrinks to about 1.8 KB in the prepared-report file.
// Programs install it at start-up; the store's plain compressor stays the
// default for everything else.

#include <cstddef>
#include <string>

#include "engine/model/prepared_pages.h"

namespace vl {

class TvlDeflateCompressor final : public TvlCompressor {
 public:
  // A page stream inflating beyond this is damage (or a bomb), not a page.
  static constexpr std::size_t kMaxPageStreamBytes = std::size_t{256} << 20;
  std::size_t MaxStreamBytes = kMaxPageStreamBytes;

  TvlDeflateCompressor() { Enabled = true; }
  // zlib format (with its check sum), zlib's default level: a dense list
  // page of 28 KB becomes 1.8 KB (level 1 leaves it at 1.9 KB, no faster
  // overall, since writing the smaller file saves as much).
  void Compress(const std::string& source, std::string& destination) override;
  // Raises TvlStreamError for a stream that is not zlib data, is cut short,
  // fails its check sum or would grow beyond MaxStreamBytes.
  void Decompress(const std::string& source, std::string& destination) override;
};

// Installs one deflate compressor, enabled, as the store's compressor.
void vlInstallDeflateCompressor();

}  // namespace vl
