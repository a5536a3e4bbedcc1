#include "engine/model/prepared_pages.h"

namespace vl {

void TvlCompressor::Compress(const std::string&, std::string&) {}
void TvlCompressor::Decompress(const std::string&, std::string&) {}

namespace {
TvlCompressor g_plainCompressor;
TvlCompressor* g_compressor = &g_plainCompressor;
}  // namespace

TvlCompressor& vlCompressor() { return *g_compressor; }
void vlInstallCompressor(TvlCompressor* compressor) {
  g_compressor = compressor ? compressor : &g_plainCompressor;
}

TvlEMFPages::~TvlEMFPages() = default;

void TvlEMFPages::Clear() { pages_.clear(); }

}  // namespace vl
