#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>
#include <unistd.h>

#include "engine/core/error.h"
#include "engine/core/units.h"
#include "engine/model/picture_view.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/line_view.h"
#include "engine/model/print_sink.h"
#include "platform/recording_canvas.h"
#include "tests/model/prepared_fixture.h"
#include "tests/model/template_fixture.h"
#include "tests/platform/picture_fixtures.h"

namespace vl::testing {
namespace {

class PreparedFileTest : public TemplateTest {
 protected:
  void TearDown() override {
    vlInstallCompressor(nullptr);
    vlCompressor().Enabled = false;
  }

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

// Streams are compared through the store, which reads a page kept in a file.
void ExpectSamePages(TvlEMFPages& a, TvlEMFPages& b) {
  ASSERT_EQ(a.Count(), b.Count());
  for (int k = 0; k < a.Count(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(a[k].PaperSize, b[k].PaperSize);
    EXPECT_EQ(a[k].PaperWidth, b[k].PaperWidth);
    EXPECT_EQ(a[k].PaperHeight, b[k].PaperHeight);
    EXPECT_EQ(a[k].Orientation, b[k].Orientation);
    EXPECT_EQ(a[k].Bin, b[k].Bin);
    EXPECT_EQ(a[k].UseMargins, b[k].UseMargins);
    EXPECT_EQ(a[k].Margins, b[k].Margins);
    EXPECT_EQ(a[k].PaperMetrics, b[k].PaperMetrics);
    EXPECT_EQ(a.StreamBytes(k), b.StreamBytes(k));
  }
}

std::string Metafile() {
  fixtures::EmfWriter emf(14800, 21000);
  emf.Rect(10, 10, 200, 100);
  return emf.Finish();
}

// Each layout the reader knows: the first load gives what the file holds;
// saving it and loading again gives the same pages byte for byte, and a
// second save the same file.
TEST_F(PreparedFileTest, SaveThenLoadReproducesEveryLayout) {
  struct Case {
    const char* name;
    std::function<std::string()> file;
    std::int32_t bin;
    TvlRect margins;
    bool compressed = false;
  };
  const Case cases[] = {
      {"version 25", [] { return CurrentLayoutFile(25); }, 7, {11, 12, 13, 14}},
      {"version 24", [] { return CurrentLayoutFile(24); }, 7, {11, 12, 13, 14}},
      {"no version byte", [] { return CurrentLayoutFile(0); }, -1, {}},
      {"compressed, plain compressor", [] { return CurrentLayoutFile(25, 1); }, 7, {11, 12, 13, 14}, true},
      {"legacy metafile page", [] { return LegacyFile(Metafile()); }, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vlCompressor().Enabled = c.compressed;
    TvlReport report;
    TvlEMFPages& first = report.EMFPages;
    Load(first, c.file());
    ASSERT_GE(first.Count(), 1);
    EXPECT_EQ(first[0].Bin, c.bin);
    EXPECT_EQ(first[0].Margins, c.margins);
    EXPECT_TRUE(first[0].UseMargins);
    EXPECT_EQ(report.GeneratorVersion, 77);
    EXPECT_EQ(report.PrinterName, "Virtual printer");
    if (first.Count() == 2) {
      EXPECT_EQ(first[0].PaperSize, 9);
      EXPECT_EQ(first[1].PaperSize, 27);
      EXPECT_EQ(first[1].PaperWidth, 2200);
      EXPECT_EQ(first[1].Orientation, 1);
      EXPECT_EQ(first[0].Stream.Bytes(), SampleStream());
      EXPECT_EQ(first[1].PaperMetrics.PaperWidthU, vlTenthsToUnits(2200));
    } else {
      // A legacy page is one picture view of the whole paper carrying the metafile.
      const TvlPage* page = first.Expand(0);
      ASSERT_EQ(page->Objects.size(), 1u);
      const auto* picture = dynamic_cast<const TvlPictureView*>(page->Objects[0].get());
      ASSERT_NE(picture, nullptr);
      EXPECT_EQ(picture->Picture.Kind, gkMetafile);
      const std::string emf = Metafile();
      EXPECT_EQ(std::string(picture->Picture.Data.begin(), picture->Picture.Data.end()), emf);
      EXPECT_EQ(picture->Left, 0);
      EXPECT_EQ(picture->Width, first[0].PaperMetrics.PaperWidthU);
      EXPECT_EQ(picture->Height, first[0].PaperMetrics.PaperHeightU);
      EXPECT_EQ(first[0].PaperSize, 11);
    }

    const std::string saved = Save(first);
    EXPECT_EQ(static_cast<std::uint8_t>(saved[1]), c.compressed ? 1 : 0);
    TvlReport again;
    Load(again.EMFPages, saved);
    ExpectSamePages(first, again.EMFPages);
    EXPECT_EQ(Save(again.EMFPages), saved);
  }
}

// A compressor that changes every byte, so the file shows it was used.
class XorCompressor : public TvlCompressor {
 public:
  void Compress(const std::string& source, std::string& destination) override { Flip(source, destination); }
  void Decompress(const std::string& source, std::string& destination) override { Flip(source, destination); }

 private:
  static void Flip(const std::string& source, std::string& destination) {
    destination = source;
    for (char& c : destination) c = static_cast<char>(c ^ 0x5A);
  }
};

TEST_F(PreparedFileTest, PageStreamsGoThroughTheInstalledCompressor) {
  TvlEMFPages plain(nullptr);
  Load(plain, CurrentLayoutFile(25));
  XorCompressor xorCompressor;
  xorCompressor.Enabled = true;
  vlInstallCompressor(&xorCompressor);
  const std::string packed = Save(plain);
  EXPECT_EQ(packed[1], 1);
  EXPECT_EQ(packed.find(SampleStream()), std::string::npos);
  TvlEMFPages back(nullptr);
  Load(back, packed);
  ExpectSamePages(plain, back);

  // The same file with the plain compressor: its page streams are no view
  // records, so the file is refused rather than shown as blank pages.
  vlInstallCompressor(nullptr);
  EXPECT_THROW(Load(back, packed), TvlError);
  EXPECT_EQ(back.Count(), 0);
}

TEST_F(PreparedFileTest, ZeroPagesLoadAsAnEmptyStore) {
  TvlEMFPages store(nullptr);
  StreamBuilder s(25);
  s.U8(25).U8(0).Str("Virtual printer").I32(0).U8(88);
  Load(store, s.Bytes());
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(Save(store), s.Bytes());
}

// A file damaged in each of the ways a reader must not follow: each one is
// refused with the clear message and leaves the store empty.
TEST_F(PreparedFileTest, DamagedFilesAreRefusedAndLeaveTheStoreEmpty) {
  const std::string good = CurrentLayoutFile(25);
  const std::size_t countAt = 2 + 2 + std::string("Virtual printer").size() + 1;
  const std::size_t firstEnd = countAt + 4;
  auto patched = [&](std::size_t at, std::uint32_t value) {
    std::string b = good;
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
    return b;
  };
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"huge page count", patched(countAt, 0x7FFFFFFF)},
      {"negative page count", patched(countAt, 0xFFFFFFFF)},
      {"end offset before the page fields", patched(firstEnd, static_cast<std::uint32_t>(firstEnd))},
      {"end offset past the file", patched(firstEnd, static_cast<std::uint32_t>(good.size() + 1))},
      {"missing generator byte", good.substr(0, good.size() - 1)},
      {"record cut inside a view", [&] {
         StreamBuilder s(25);
         s.U8(25).U8(0).Str("").I32(1);
         PageRecord(s, true, 9, 2100, 2970, 0, SampleStream().substr(0, 30));
         s.U8(88);
         return s.Bytes();
       }()},
      {"negative paper width", [&] {
         StreamBuilder s(25);
         s.U8(25).U8(0).Str("").I32(1);
         PageRecord(s, true, 256, -5, 2970, 0, SampleStream());
         s.U8(88);
         return s.Bytes();
       }()},
      {"legacy page that is not a metafile", LegacyFile("not a picture")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TvlEMFPages store(nullptr);
    Load(store, good);
    try {
      Load(store, c.bytes);
      ADD_FAILURE() << "loaded";
    } catch (const TvlError& e) {
      EXPECT_STREQ(e.what(), "Unsupported VLP format");
    }
    EXPECT_EQ(store.Count(), 0);
  }
}

TEST_F(PreparedFileTest, EveryTruncationLoadsOrIsRefusedCleanly) {
  for (const std::string& file : {CurrentLayoutFile(25), CurrentLayoutFile(0), LegacyFile(Metafile())}) {
    for (std::size_t n = 0; n < file.size(); ++n) {
      TvlEMFPages store(nullptr);
      try {
        Load(store, file.substr(0, n));
      } catch (const TvlError&) {
        EXPECT_EQ(store.Count(), 0) << n;
      }
    }
  }
}

// A file loaded from disk is checked page by page and stays on disk: the
// store holds no stream in memory, draws each page from the file, and a
// file cut short, on disk or after loading, is refused or draws nothing.
TEST_F(PreparedFileTest, LoadedFilesStayOnDiskAndArePagedInWhenDrawn) {
  char dir[] = "/tmp/vlp_test_XXXXXX";
  ASSERT_NE(::mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/pages.vlp";
  auto write = [&path](const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    std::fclose(f);
  };
  for (const bool compressed : {false, true}) {
    SCOPED_TRACE(compressed);
    XorCompressor xorCompressor;
    xorCompressor.Enabled = compressed;
    vlInstallCompressor(&xorCompressor);
    // 300 pages, far more stream bytes than the threshold of 1 KB.
    TvlReport made;
    made.EMFPages.SetSpillThreshold(1024);
    for (int k = 0; k < 300; ++k) {
      made.EMFPages.Add(TvlPage(9, 0, 0, -1, 0));
      auto memo = TextView("Memo", 10, 20, 200, 18, "Envelope " + std::to_string(k));
      PrintInto(made.EMFPages[k], {memo.get()});
    }
    made.SavePreparedReport(path);

    TvlReport loaded;
    loaded.EMFPages.SetSpillThreshold(1024);
    loaded.LoadPreparedReport(path);
    TvlEMFPages& pages = loaded.EMFPages;
    ASSERT_EQ(pages.Count(), 300);
    EXPECT_EQ(pages.ResidentBytes(), 0u);
    EXPECT_EQ(pages.SpilledBytes(), 0u);  // nothing copied to a temporary file
    for (int k = 0; k < pages.Count(); ++k) {
      EXPECT_TRUE(pages[k].Stream.Bytes().empty()) << k;
      EXPECT_EQ(pages.StreamBytes(k), made.EMFPages.StreamBytes(k)) << k;
    }
    TvlRecordingCanvas canvas;
    for (int k = 0; k < pages.Count(); ++k) {
      pages[k].Visible = true;
      pages.Draw(k, canvas, {0, 0, 794, 1123});
      pages[k].Visible = false;
      pages.Draw(k, canvas, {});
    }
    EXPECT_EQ(pages.ResidentBytes(), 0u);
    const std::vector<TvlTextRun> runs = canvas.TextRuns();
    ASSERT_EQ(runs.size(), 300u);
    EXPECT_EQ(runs.back().Text, "Envelope 299");

    // Saved over the file it reads from, the store still reads its pages.
    loaded.SavePreparedReport(path);
    EXPECT_EQ(pages.StreamBytes(7), made.EMFPages.StreamBytes(7));
    // A page written again comes into memory and keeps what is added.
    TvlLineView line;
    TvlStreamPrintSink sink(pages.StreamOf(3));
    line.Print(sink);
    EXPECT_FALSE(pages[3].Spilled());
    EXPECT_EQ(pages.Expand(3)->Objects.size(), 2u);

    // Every cut of a small file on disk is refused cleanly or loads whole.
    TvlStreamWriter small;
    {
      TvlEMFPages two(nullptr);
      Load(two, CurrentLayoutFile(25));
      two.SaveToStream(small);
    }
    for (std::size_t n = 0; n < small.Bytes().size(); ++n) {
      write(small.Bytes().substr(0, n));
      TvlReport cut;
      try {
        cut.LoadPreparedReport(path);
        ADD_FAILURE() << "a file cut at " << n << " loaded";
      } catch (const TvlError& e) {
        EXPECT_STREQ(e.what(), "Unsupported VLP format") << n;
        EXPECT_EQ(cut.EMFPages.Count(), 0) << n;
      }
    }
    // Cut after loading: the page read from it is refused, never read past the end.
    write(small.Bytes());
    TvlReport shrinking;
    shrinking.LoadPreparedReport(path);
    ASSERT_EQ(::truncate(path.c_str(), 40), 0);
    EXPECT_THROW(shrinking.EMFPages.Expand(1), TvlError);
    shrinking.EMFPages[1].Visible = true;
    TvlRecordingCanvas nothing;
    shrinking.EMFPages.Draw(1, nothing, {0, 0, 100, 100});
    EXPECT_TRUE(nothing.TextRuns().empty());
  }
  std::remove(path.c_str());
  ::rmdir(dir);
}

TEST_F(PreparedFileTest, ReportFilesGoThroughTheFileSystem) {
  char dir[] = "/tmp/vlp_test_XXXXXX";
  ASSERT_NE(::mkdtemp(dir), nullptr);
  const std::string path = std::string(dir) + "/pages.vlp";
  TvlReport report;
  Load(report.EMFPages, CurrentLayoutFile(25));
  report.SavePreparedReport(path);
  TvlReport loaded;
  EXPECT_TRUE(loaded.Rebuildable);
  loaded.LoadPreparedReport(path);
  EXPECT_FALSE(loaded.Rebuildable);
  ExpectSamePages(report.EMFPages, loaded.EMFPages);
  EXPECT_THROW(loaded.LoadPreparedReport(std::string(dir) + "/missing.vlp"), TvlError);
  EXPECT_EQ(loaded.EMFPages.Count(), 0);
  std::remove(path.c_str());
  ::rmdir(dir);
}

}  // namespace
}  // namespace vl::testing
