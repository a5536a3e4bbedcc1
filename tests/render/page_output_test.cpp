// Prepared pages written as PDF and PNG: every PDF page on its own paper and
// orientation, text kept as text, pages released after drawing, pictures
// that match a drawing of the same views, and failures that leave no file.

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <memory>

#include "app/render/pdf_output.h"
#include "app/render/page_sheet.h"
#include "app/render/png_output.h"
#include "app/render/render_views.h"
#include "engine/core/error.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/scratch_canvas.h"
#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"
#include "tests/model/prepared_fixture.h"

namespace vl {
namespace {

class PageOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    scratch_ = std::make_unique<TvlQtImageCanvas>(1, 1, 96);
    vlSetScratchCanvas(scratch_.get());
    static TvlMemoryPrinter noPrinters;
    vlResetPrinter(&noPrinters);
    dir_ = std::filesystem::temp_directory_path() / ("vl_page_output_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    report.EMFPages.Clear();
    vlSetScratchCanvas(nullptr);
    scratch_.reset();
    app_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // Appends a prepared page of that paper holding the views.
  void AddPage(std::int32_t paper, std::uint8_t orientation, const std::vector<TvlView*>& views) {
    const TvlPage templatePage(paper, 0, 0, -1, orientation);
    report.EMFPages.Add(templatePage);
    TvlPreparedPage& page = report.EMFPages[report.EMFPages.Count() - 1];
    testing::PrintInto(page, views);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  TvlReport report;

 private:
  int argc_ = 1;
  char name_[16] = "page_output";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
  std::unique_ptr<TvlQtImageCanvas> scratch_;
  std::filesystem::path dir_;
};

TEST_F(PageOutput, PdfPagesKeepTheirPaperAndTextAndAreReleased) {
  auto a4 = testing::TextView("Greeting", 40, 40, 300, 20, "Dear reader");
  auto dl = testing::TextView("Address", 300, 200, 300, 20, "Main street 1");
  AddPage(9, 0, {a4.get()});    // A4 portrait
  AddPage(27, 1, {dl.get()});   // DL envelope, landscape
  AddPage(9, 1, {a4.get()});    // A4 landscape
  vlWritePdf(report.EMFPages, {0, 1, 2}, Path("out.pdf"), "Letters");

  QFile file(QString::fromStdString(Path("out.pdf")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const QString pdf = QString::fromLatin1(bytes);
  std::vector<std::pair<int, int>> boxes;
  QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
  for (auto m = box.globalMatch(pdf); m.hasNext();) {
    const auto match = m.next();
    boxes.emplace_back(qRound(match.captured(1).toDouble()), qRound(match.captured(2).toDouble()));
  }
  // Points: A4 595 x 842, DL 220 x 110 mm = 624 x 312, A4 turned.
  EXPECT_EQ(boxes, (std::vector<std::pair<int, int>>{{595, 842}, {624, 312}, {842, 595}}));
  EXPECT_TRUE(pdf.contains(QStringLiteral("/FontFile2")));  // the font is embedded
  EXPECT_TRUE(pdf.contains(QStringLiteral("/ToUnicode")));  // and its text can be searched
  // The title in UTF-16, as PDF strings are written.
  static const char kTitle[] = "/Title (\xfe\xff\0L\0e\0t\0t\0e\0r\0s)";
  EXPECT_TRUE(bytes.contains(QByteArray(kTitle, sizeof kTitle - 1)));
  for (int i = 0; i < report.EMFPages.Count(); ++i) EXPECT_EQ(report.EMFPages[i].Page, nullptr) << i;
}

TEST_F(PageOutput, PngPagesMatchTheViewsDrawnOnTheirPaper) {
  auto memo = testing::TextView("Name", 100, 100, 250, 40, "Ann Smith");
  memo->FrameTyp = vlftLeft | vlftTop | vlftRight | vlftBottom;
  memo->FillColor = vlRGB(255, 255, 200);
  AddPage(27, 1, {memo.get()});
  AddPage(9, 0, {memo.get()});
  const double dpi = 150;
  const auto files = vlWritePngPages(report.EMFPages, {1}, Path("page"), dpi);
  EXPECT_EQ(files, std::vector<std::string>{Path("page-2.png")});
  EXPECT_FALSE(std::filesystem::exists(Path("page-1.png")));
  const QImage written(QString::fromStdString(files[0]));
  const TvlPaperMetrics& m = report.EMFPages[1].PaperMetrics;
  const QImage expected = vlRenderViewsToImage({memo.get()}, m.PaperWidthU, m.PaperHeightU, dpi);
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(report.EMFPages[1].Page, nullptr);
}

TEST_F(PageOutput, SheetTargetOfExtremeMarginsIsClampedNotWrapped) {
  // A page stretched to the printable area keeps its margins raw: set past
  // any bound, the target's edges are computed wide and clamped.
  TvlPreparedPage page;
  page.UseMargins = false;
  page.PaperMetrics.PaperWidthU = 700;
  page.PaperMetrics.PaperHeightU = 1000;
  page.Margins = {0, 0, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()};
  const TvlRect target = vlSheetTarget(page, TvlSize{1400, 2000});
  EXPECT_EQ(target.Right, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(target.Bottom, std::numeric_limits<std::int32_t>::max());
}

TEST_F(PageOutput, FailuresLeaveNoFile) {
  auto memo = testing::TextView("Name", 10, 10, 100, 20, "x");
  AddPage(9, 0, {memo.get()});
  AddPage(9, 0, {memo.get()});
  // A page whose records cannot be read: the document is not written at all.
  report.EMFPages[1].Stream.WriteByte(200);
  EXPECT_THROW(vlWritePdf(report.EMFPages, {0, 1}, Path("bad.pdf"), ""), TvlError);
  EXPECT_FALSE(std::filesystem::exists(Path("bad.pdf")));
  EXPECT_THROW(vlWritePdf(report.EMFPages, {0}, Path("no/such/dir/x.pdf"), ""), TvlError);
  EXPECT_THROW(vlWritePdf(report.EMFPages, {}, Path("none.pdf"), ""), TvlError);
  EXPECT_FALSE(std::filesystem::exists(Path("none.pdf")));
  // Too large a picture is refused before anything is written.
  EXPECT_THROW(vlWritePngPages(report.EMFPages, {0}, Path("huge"), 2400), TvlError);
  EXPECT_FALSE(std::filesystem::exists(Path("huge-1.png")));
}

TEST_F(PageOutput, TargetsFollowTheSaveRules) {
  auto memo = testing::TextView("Name", 10, 10, 100, 20, "x");
  AddPage(9, 0, {memo.get()});
  auto bytes = [](const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  // A read-only file and a FIFO are left as they are, PDF and PNG alike.
  std::ofstream(Path("kept.pdf")) << "old";
  std::ofstream(Path("kept-1.png")) << "old";
  ::chmod(Path("kept.pdf").c_str(), 0444);
  ::chmod(Path("kept-1.png").c_str(), 0444);
  ::mkfifo(Path("pipe.pdf").c_str(), 0600);
  for (const std::string& target : {Path("kept.pdf"), Path("pipe.pdf"), std::string("/dev/null")}) {
    try {
      vlWritePdf(report.EMFPages, {0}, target, "");
      ADD_FAILURE() << "written: " << target;
    } catch (const TvlError& e) {
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(vlWritePngPages(report.EMFPages, {0}, Path("kept"), 72), TvlError);
  EXPECT_EQ(bytes(Path("kept.pdf")), "old");
  EXPECT_EQ(bytes(Path("kept-1.png")), "old");
  EXPECT_TRUE(std::filesystem::is_fifo(Path("pipe.pdf")));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  // A symbolic link stays one and its file gets the document.
  std::ofstream(Path("real.pdf")) << "old";
  ASSERT_EQ(::symlink("real.pdf", Path("link.pdf").c_str()), 0);
  vlWritePdf(report.EMFPages, {0}, Path("link.pdf"), "");
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.pdf")));
  EXPECT_EQ(bytes(Path("real.pdf")).substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace vl
