// The deflate compressor of prepared-report files: pages come back byte for
// byte, files written without compression keep loading once it is
// installed, and damaged or oversized compressed streams are refused.

#include <gtest/gtest.h>

#include <string>

#include "engine/core/error.h"
#include "engine/model/deflate_compressor.h"
#include "engine/model/stream_reader.h"
#include "tests/model/prepared_fixture.h"
#include "tests/model/template_fixture.h"

#include <zlib.h>

namespace vl::testing {
namespace {

class DeflateFileTest : public TemplateTest {
 protected:
  void TearDown() override { vlInstallCompressor(nullptr); }

  static std::string Save(TvlEMFPages& store) {
    TvlStreamWriter w;
    store.SaveToStream(w);
    return w.TakeBytes();
  }
  static void Load(TvlEMFPages& store, const std::string& bytes) {
    TvlStreamReader r(bytes);
    store.LoadFromStream(r);
  }
};

TEST_F(DeflateFileTest, InstalledEnabledPagesRoundTripSmaller) {
  vlInstallDeflateCompressor();
  EXPECT_TRUE(vlCompressor().Enabled);
  TvlEMFPages plain(nullptr);
  Load(plain, CurrentLayoutFile(25));  // an uncompressed file still loads
  // A page of many alike records, as a list page is.
  std::string dense = plain[0].Stream.Bytes();
  for (int i = 0; i < 50; ++i) dense += plain[0].Stream.Bytes().substr(1);
  plain[0].Stream = TvlStreamWriter();
  plain[0].Stream.WriteBytes(dense);

  const std::string packed = Save(plain);
  EXPECT_EQ(packed[1], 1);  // the file says its pages are compressed
  EXPECT_LT(packed.size() * 5, dense.size());
  TvlEMFPages back(nullptr);
  Load(back, packed);
  ASSERT_EQ(back.Count(), plain.Count());
  for (int k = 0; k < plain.Count(); ++k) EXPECT_EQ(back[k].Stream.Bytes(), plain[k].Stream.Bytes()) << k;
}

TEST_F(DeflateFileTest, DamagedStreamsAreRefused) {
  TvlDeflateCompressor compressor;
  const std::string page = SampleStream();
  std::string packed;
  compressor.Compress(page, packed);
  std::string out;
  compressor.Decompress(packed, out);
  EXPECT_EQ(out, page);

  std::string flipped = packed;
  flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x40);
  std::string withTail = packed + "x";
  const std::string cases[] = {
      {},                                   // nothing at all
      "not zlib data",                      // no zlib header
      packed.substr(0, packed.size() - 3),  // cut short
      flipped,                              // fails its check sum or its codes
      withTail,                             // bytes after the stream's end
  };
  for (const std::string& bad : cases) {
    out = "left over";
    EXPECT_THROW(compressor.Decompress(bad, out), TvlStreamError) << bad.size();
    EXPECT_TRUE(out.empty());
  }
}

TEST_F(DeflateFileTest, AStreamInflatingBeyondTheLimitIsRefused) {
  // A few kilobytes that would inflate past the page limit (lowered here
  // from its 256 MB so that the test stays small).
  TvlDeflateCompressor compressor;
  compressor.MaxStreamBytes = 4 << 20;
  z_stream z{};
  ASSERT_EQ(deflateInit(&z, 9), Z_OK);
  const std::string zeros(1 << 20, '\0');
  std::string bomb;
  char out[1 << 16];
  const std::size_t rounds = compressor.MaxStreamBytes / zeros.size() + 1;
  for (std::size_t i = 0; i < rounds; ++i) {
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zeros.data()));
    z.avail_in = static_cast<uInt>(zeros.size());
    const int flush = i + 1 == rounds ? Z_FINISH : Z_NO_FLUSH;
    do {
      z.next_out = reinterpret_cast<Bytef*>(out);
      z.avail_out = sizeof out;
      deflate(&z, flush);
      bomb.append(out, sizeof out - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  ASSERT_LT(bomb.size(), 64u << 10);
  std::string result;
  EXPECT_THROW(compressor.Decompress(bomb, result), TvlStreamError);
  EXPECT_TRUE(result.empty());
}

}  // namespace
}  // namespace vl::testing
