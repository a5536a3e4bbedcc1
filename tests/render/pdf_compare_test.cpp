// Our PDF surface against Qt's PDF engine on the same prepared pages (the
// six shipped envelopes with addresses from the sample list, a list report
// and the barcode envelope): the same text as pdftotext reads it, the same
// picture at 150 dpi within anti-aliasing noise, every font embedded as a
// tagged subset, and a file qpdf finds sound. Pages every page repeats are
// written once.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

#include "app/engine_startup.h"
#include "app/render/pdf_output.h"
#include "engine/data/address_binding.h"
#include "engine/data/address_fields.h"
#include "engine/data/components.h"
#include "engine/data/db_dataset.h"
#include "engine/data/open_data_source.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/scratch_canvas.h"
#include "engine/binding/globals.h"
#include "platform/qt/qt_canvas.h"
#include "tests/barcode/barcode_fixture.h"
#include "tests/model/prepared_fixture.h"

namespace vl {
namespace {

namespace fs = std::filesystem;

// A pixel differs when a channel is off by more than this (anti-aliased
// glyph edges and Qt's JPEG-coded pictures stay below it) ...
constexpr int kChannelTolerance = 64;
// ... and a page matches when at most this share of its pixels differ.
constexpr double kPixelShareTolerance = 0.002;

std::string Shell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string out;
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  pclose(pipe);
  return out;
}

class PdfCompare : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    vl::test::EnsureGuiApplication();
    static TvlQtImageCanvas scratch(1, 1, 96);
    vlSetScratchCanvas(&scratch);
    static const bool started = [] {
      vlStartEngine();
      return true;
    }();
    (void)started;
  }
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vl_pdf_compare_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    // The files of a failed comparison stay for a look.
    std::error_code ec;
    if (HasFailure()) std::printf("PDF files kept in %s\n", dir_.c_str());
    else fs::remove_all(dir_, ec);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Writes the pages through both engines and checks text, pictures,
  // fonts and structure.
  void ExpectSameAsQt(TvlReport& report, const std::string& name, int maxPages = 3) {
    std::vector<int> pages;
    for (int i = 0; i < report.EMFPages.Count() && i < maxPages; ++i) pages.push_back(i);
    EXPECT_FALSE(pages.empty()) << name;
    const std::string ours = Path(name + ".pdf"), qt = Path(name + "-qt.pdf");
    vlWritePdf(report.EMFPages, pages, ours, "Envelopes");
    vlWriteQtPdf(report.EMFPages, pages, qt, "Envelopes");

    const std::string text = Shell("pdftotext -enc UTF-8 '" + ours + "' - 2>&1");
    EXPECT_EQ(text, Shell("pdftotext -enc UTF-8 '" + qt + "' - 2>&1")) << name;

    Shell("pdftoppm -r 150 -png '" + ours + "' '" + Path(name + "-ours") + "'");
    Shell("pdftoppm -r 150 -png '" + qt + "' '" + Path(name + "-qt") + "'");
    for (std::size_t p = 0; p < pages.size(); ++p) {
      // pdftoppm numbers its pictures with as many digits as the count needs.
      const std::string number = std::to_string(p + 1);
      const QImage a(QString::fromStdString(Path(name + "-ours-" + number + ".png")));
      const QImage b(QString::fromStdString(Path(name + "-qt-" + number + ".png")));
      ASSERT_FALSE(a.isNull()) << name << " page " << number;
      ASSERT_EQ(a.size(), b.size()) << name << " page " << number;
      const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
      std::int64_t differ = 0;
      for (int row = 0; row < x.height(); ++row) {
        const auto* p1 = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* p2 = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
          if (std::abs(qRed(p1[col]) - qRed(p2[col])) > kChannelTolerance ||
              std::abs(qGreen(p1[col]) - qGreen(p2[col])) > kChannelTolerance ||
              std::abs(qBlue(p1[col]) - qBlue(p2[col])) > kChannelTolerance)
            ++differ;
      }
      const double share = static_cast<double>(differ) / (static_cast<double>(x.width()) * x.height());
      EXPECT_LE(share, kPixelShareTolerance) << name << " page " << number << ": " << differ << " pixels differ";
    }

    // Every font embedded, as a subset whose name carries the six-letter tag.
    const std::string fonts = Shell("pdffonts '" + ours + "'");
    int fontLines = 0;
    static const std::regex kSubset(R"(^[A-Z]{6}\+\S+\s+CID TrueType\s+Identity-H\s+yes\s+yes\s+yes)");
    std::istringstream lines(fonts);
    std::string line;
    for (int n = 0; std::getline(lines, line); ++n) {
      if (n < 2) continue;  // the heading and its rule
      ++fontLines;
      EXPECT_TRUE(std::regex_search(line, kSubset)) << name << ": " << line;
    }
    EXPECT_GT(fontLines, 0) << name << ": " << fonts;
    if (std::system("command -v qpdf >/dev/null 2>&1") == 0) {
      EXPECT_EQ(std::system(("qpdf --check '" + ours + "' >/dev/null 2>&1").c_str()), 0) << name;
    }
  }

  fs::path dir_;
};

// The shipped template prepared with the sample list, one envelope per address.
struct EnvelopeRun {
  TvlForm form{"PdfCompareForm"};
  TvlReport report;
  explicit EnvelopeRun(int n) {
    report.Owner = &form;
    report.ShowProgress = false;
    report.LoadFromFile(std::string(VL_SOURCE_DIR) + "/app/data/Vlf/" + std::to_string(n) + ".vlf");
    auto& source = static_cast<TvlDataSource&>(
        form.InsertComponent(vlOpenDataSource(std::string(VL_SOURCE_DIR) + "/app/data/Samples/addresses.csv",
                                              "Addresses_Source")));
    auto& dataset = form.Add<TvlDBDataSet>(kAddressDataset);
    dataset.SetDataSet(&source);
    TvlAddressBinding binding(report, dataset, vlMatchAddressColumns(source.FieldNames()));
    report.Prepare();
  }
};

TEST_F(PdfCompare, ShippedEnvelopesMatchQtsEngine) {
  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    EnvelopeRun run(n);
    ASSERT_GE(run.report.EMFPages.Count(), 2) << n;
    ExpectSameAsQt(run.report, "envelope" + std::to_string(n));
  }
}

TEST_F(PdfCompare, ListAndBarcodeEnvelopeMatchQtsEngine) {
  // A list: rows of framed text views in three fonts, one bold, one Chinese.
  TvlReport list;
  std::vector<std::unique_ptr<TvlMemoView>> views;
  std::vector<TvlView*> row;
  for (int r = 0; r < 40; ++r) {
    auto no = testing::TextView("No" + std::to_string(r), 40, 60 + 24 * r, 60, 22, std::to_string(1000 + r));
    auto item = testing::TextView("Item" + std::to_string(r), 100, 60 + 24 * r, 300, 22,
                                  r % 3 == 0 ? "收件人 张三 " + std::to_string(r) : "Widget type " + std::to_string(r));
    item->Font.Name = r % 3 == 0 ? "宋体" : "Times New Roman";
    no->Font.Style = 2;
    no->FrameTyp = vlftLeft | vlftTop | vlftRight | vlftBottom;
    row.push_back(no.get());
    row.push_back(item.get());
    views.push_back(std::move(no));
    views.push_back(std::move(item));
  }
  list.EMFPages.Add(TvlPage(9, 0, 0, -1, 0));
  testing::PrintInto(list.EMFPages[0], row);
  ExpectSameAsQt(list, "list");

  // The barcode add-in is registered by the engine's start-up.
  for (const auto& [name, value] : {std::pair<const char*, const char*>{"Name", "Ann Smith"}, {"Street", "1 Main St"},
                                    {"Zip", "12345"}, {"Plus4", "6789"}, {"City", "Springfield"}})
    vlGlobals()->ScriptVariables.Set(name, TvlValue(std::string(value)));
  auto envelope = vl::test::BarCodeEnvelope();
  envelope->Prepare();
  ExpectSameAsQt(*envelope, "barcode");
}

TEST_F(PdfCompare, RepeatedPartsAreWrittenOnce) {
  // 200 envelopes that differ by their address only: the captions, boxes
  // and frames go into the file once, each page adds its own texts.
  EnvelopeRun one(1);
  std::vector<int> first{0};
  std::vector<int> many(200, 0);
  for (int i = 0; i < 200; ++i) many[static_cast<std::size_t>(i)] = i % one.report.EMFPages.Count();
  vlWritePdf(one.report.EMFPages, first, Path("one.pdf"), "");
  vlWritePdf(one.report.EMFPages, many, Path("many.pdf"), "");
  const double perPage = (static_cast<double>(fs::file_size(Path("many.pdf"))) - fs::file_size(Path("one.pdf"))) / 199;
  EXPECT_LT(perPage, 1024) << "bytes per further page";
  EXPECT_TRUE(std::regex_search(Shell("pdfinfo '" + Path("many.pdf") + "'"), std::regex("\nPages: +200\n")));
}

TEST_F(PdfCompare, TitleIsTheOneGiven) {
  EnvelopeRun one(1);
  vlWritePdf(one.report.EMFPages, {0}, Path("titled.pdf"), "信封 Batch");
  const std::string info = Shell("pdfinfo -enc UTF-8 '" + Path("titled.pdf") + "'");
  EXPECT_TRUE(std::regex_search(info, std::regex("Title: +信封 Batch\n"))) << info;
}

}  // namespace
}  // namespace vl
