// Texts measured and laid out a part at a time give what Qt gives for the
// whole line: the same width (as QFontMetrics rounds it) and the same glyphs
// at the same places, in Latin, digits, punctuation and Chinese, bold and
// italic, with extra character and word spacing (laid out whole); other
// texts are not split.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QTextLayout>
#include <memory>
#include <tuple>
#include <vector>

#include "platform/qt/qt_pdf_fonts.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_text_fonts.h"
#include "platform/qt/qt_text_parts.h"

namespace vl {
namespace {

class QtTextParts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!QGuiApplication::instance()) {
      static int argc = 1;
      static char name[] = "qt_text_parts";
      static char* argv[] = {name, nullptr};
      new QGuiApplication(argc, argv);
    }
  }
};

// Every glyph of Qt's layout of the whole line: number and position.
std::vector<std::tuple<quint32, double, double>> WholeLine(const QFont& font, const QString& text) {
  QTextLayout layout(text, font);
  vlQtLayOutLine(layout, false, 1e6);
  std::vector<std::tuple<quint32, double, double>> glyphs;
  for (const QGlyphRun& run : layout.glyphRuns()) {
    const auto ids = run.glyphIndexes();
    const auto at = run.positions();
    for (qsizetype i = 0; i < ids.size(); ++i) glyphs.emplace_back(ids[i], at[i].x(), at[i].y());
  }
  std::sort(glyphs.begin(), glyphs.end(), [](const auto& a, const auto& b) { return std::get<1>(a) < std::get<1>(b); });
  return glyphs;
}

TEST_F(QtTextParts, PartsSideBySideAreTheWholeLine) {
  const char* const texts[] = {"Office fluffy AVAWAY To Ta", "Person 12345, 7 Long Street", "收件人 张三 518057",
                               "广东省深圳市南山区科技园路1号", "Mixed 混合 text（全角）: 0755-1234", "  spaced  out  ",
                               "1", "finally"};
  struct Case {
    const char* Face;
    std::int32_t Style, Spacing;
    double WordSpacing;
  };
  const Case cases[] = {{"Arial", 0, 0, 0},     {"Times New Roman", 2, 0, 0}, {"宋体", 0, 0, 0},
                        {"Arial", 1, 3, 0},     {"宋体", 2, 2, 0},            {"Courier New", 0, 0, 4.5}};
  for (const Case& c : cases) {
    TvlCanvasFont font;
    font.Name = c.Face;
    font.Height = 83;  // a 10-point face at 600 dpi
    font.Style = c.Style;
    TvlQtPdfText shaper;
    TvlQtTextFonts fonts;
    for (const char* text : texts) {
      SCOPED_TRACE(std::string(c.Face) + " style " + std::to_string(c.Style) + ": " + text);
      QFont q = fonts.Spaced(font, c.Spacing);
      EXPECT_EQ(fonts.Extent(font, c.Spacing, text).Width, QFontMetrics(q).horizontalAdvance(vlToQt(text)));
      if (c.WordSpacing != 0) q.setWordSpacing(c.WordSpacing);
      const auto whole = WholeLine(q, vlToQt(text));
      std::vector<std::tuple<quint32, double, double>> parts;
      for (const TvlPdfGlyphRun& run : shaper.Shape(font, c.Spacing, c.WordSpacing, false, text).Runs)
        for (std::size_t i = 0; i < run.Glyphs.size(); ++i) parts.emplace_back(run.Glyphs[i], run.X[i], run.Y[i]);
      std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return std::get<1>(a) < std::get<1>(b); });
      ASSERT_EQ(parts.size(), whole.size());
      for (std::size_t i = 0; i < parts.size(); ++i) {
        EXPECT_EQ(std::get<0>(parts[i]), std::get<0>(whole[i])) << i;
        EXPECT_NEAR(std::get<1>(parts[i]), std::get<1>(whole[i]), 1e-6) << i;
        EXPECT_NEAR(std::get<2>(parts[i]), std::get<2>(whole[i]), 1e-6) << i;
      }
    }
  }
}

TEST_F(QtTextParts, OnlyPlainTextsAreSplit) {
  std::vector<std::pair<int, int>> parts;
  ASSERT_TRUE(vlQtSplitTextParts(QStringLiteral("ab 12"), parts));
  EXPECT_EQ(parts, (std::vector<std::pair<int, int>>{{0, 3}, {3, 1}, {4, 1}}));
  for (const char* text : {"a\tb", "e\xCC\x81", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "\xF0\xA0\x80\x80"}) {
    EXPECT_FALSE(vlQtSplitTextParts(QString::fromUtf8(text), parts)) << text;
    EXPECT_TRUE(parts.empty());
  }
}

}  // namespace
}  // namespace vl
