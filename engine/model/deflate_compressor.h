#pragma once
// The prepared pages' deflate compressor (zlib): a dense list page of about
// 28 KB of view records shrinks to under 1 KB in the prepared-report file.
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
  // zlib format (with its check sum), fast level: a file is written once per
  // run, so speed matters more than the last few bytes.
  void Compress(const std::string& source, std::string& destination) override;
  // Raises TvlStreamError for a stream that is not zlib data, is cut short,
  // fails its check sum or would grow beyond MaxStreamBytes.
  void Decompress(const std::string& source, std::string& destination) override;
};

// Installs one deflate compressor, enabled, as the store's compressor.
void vlInstallDeflateCompressor();

}  // namespace vl
