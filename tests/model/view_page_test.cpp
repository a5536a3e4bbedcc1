// The views' shared behaviour plugged into the real page and report: band
// alignment against the engine's current page, print into a prepared page's
// object stream and back, unique names, and export to a view consumer.

#include <gtest/gtest.h>

#include <set>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/model/object_factory.h"
#include "engine/model/page_limits.h"
#include "engine/model/print_sink.h"
#include "tests/model/template_fixture.h"

namespace vl {
namespace {

class ViewPageTest : public testing::TemplateTest {
 protected:
  void SetUp() override {
    TemplateTest::SetUp();
    saved_ = vlState();
    vlSetBandAlignProvider(vlPageBandAlignProvider());
    page_ = report_.Pages.Count() ? report_.Pages[0] : report_.Pages.Add();
    // A paper of 800 x 1000 units with the printer's offsets 18 and a
    // printable area of 760 x 960.
    page_->PaperMetrics = {};
    TvlPaperMetrics& m = page_->PaperMetrics;
    m.PaperWidthU = 800, m.PaperHeightU = 1000, m.OffsetXU = 18, m.OffsetYU = 18;
    m.PrintableWidthU = 760, m.PrintableHeightU = 960;
    page_->Margins = {20, 30, 80, 40};
    page_->UseMargins = true;
    vlState().CurReport = &report_;
    vlState().CurPage = page_;
  }
  void TearDown() override {
    vlState() = saved_;
    vlDialogFormNames() = nullptr;
    vlViewConsumer() = nullptr;
    vlPrintHooks() = {};
  }
  template <class T = TvlView>
  T& Place(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, std::uint8_t align) {
    auto v = std::make_unique<T>();
    v->Left = left, v->Top = top, v->Width = width, v->Height = height;
    v->BandAlign = align;
    T& ref = *v;
    page_->Objects.push_back(std::move(v));
    return ref;
  }

  TvlReport report_;
  TvlPage* page_ = nullptr;

 private:
  TvlEngineState saved_;
};

TEST_F(ViewPageTest, PageLimitsFollowMarginsOffsetsAndStretching) {
  const struct {
    TvlRect Margins;
    bool UseMargins;
    TvlPageLimits Expected;
  } cases[] = {
      {{20, 30, 80, 40}, true, {20, 30, 720, 960}},
      {{0, 0, 0, 0}, true, {18, 18, 778, 978}},  // 0: the printer's offsets apply
      {{20, 0, 0, 40}, true, {20, 18, 778, 960}},
      {{20, 30, 80, 40}, false, {0, 0, 800, 1000}},  // stretched to the printable area
  };
  for (const auto& c : cases) {
    page_->Margins = c.Margins;
    page_->UseMargins = c.UseMargins;
    const TvlPageLimits l = vlPageLimits(*page_);
    EXPECT_EQ(std::vector<int>({l.Left, l.Top, l.Right, l.Bottom}),
              std::vector<int>({c.Expected.Left, c.Expected.Top, c.Expected.Right, c.Expected.Bottom}))
        << c.Margins.Left << "," << c.Margins.Top << "," << c.Margins.Right << "," << c.Margins.Bottom << " "
        << c.UseMargins;
  }
}

TEST_F(ViewPageTest, ViewsAlignAgainstTheCurrentPage) {
  // Limits 20 and 720. One row at Top 50: a left-aligned view, a rest view
  // and a right-aligned view; a centred view below; a full-width view over a
  // cross band.
  TvlView& left = Place(300, 50, 100, 10, baLeft);
  TvlView& rest = Place(400, 50, 10, 10, baRest);
  TvlView& right = Place(500, 50, 60, 10, baRight);
  TvlView& centre = Place(0, 80, 100, 10, baCenter);
  TvlBandView& cross = Place<TvlBandView>(100, 0, 200, 1000, baNone);
  cross.FrameTyp = btCrossData;
  TvlView& full = Place(150, 200, 10, 10, baWidth);
  TvlView& wide = Place(400, 300, 10, 10, baWidth);

  vlState().DocMode = TvlDocMode::dmDesign;
  for (TvlView* v : {&left, &right, &rest, &centre, &full, &wide}) v->AlignInBand(nullptr);
  EXPECT_EQ(left.Left, 20);
  EXPECT_EQ(right.Left, 660);
  EXPECT_EQ(rest.Left, 120);  // after its left neighbour, up to its right one
  EXPECT_EQ(rest.Width, 660 - 120);
  EXPECT_EQ(centre.Left, 320);
  EXPECT_EQ(full.Left, 100);  // on the cross band: its columns
  EXPECT_EQ(full.Width, 200);
  EXPECT_EQ(wide.Left, 20);
  EXPECT_EQ(wide.Width, 700);

  // While printing with no band current a full-width view keeps one unit
  // inside the right limit.
  vlState().DocMode = TvlDocMode::dmPrinting;
  wide.AlignInBand(nullptr);
  EXPECT_EQ(wide.Width, 699);

  // No current page: nothing moves.
  vlState().CurPage = nullptr;
  centre.Left = 5;
  centre.AlignInBand(nullptr);
  EXPECT_EQ(centre.Left, 5);
  EXPECT_EQ(vlState().CurView, &centre);
}

// An add-in class registered for the test, so that the class name goes
// into the object record.
std::unique_ptr<TvlView> MakeStamp() {
  auto v = std::make_unique<TvlView>();
  v->ClassName = "TvlStampView";
  return v;
}

TEST_F(ViewPageTest, PrintWritesARecordThatReadsBackInPrintingForm) {
  ASSERT_TRUE(vlAddIns().Register({"TvlStampView", MakeStamp, {}}));
  struct Unregister {
    ~Unregister() { vlAddIns().Unregister("TvlStampView"); }
  } unregister;

  vlState().DocMode = TvlDocMode::dmPrinting;
  vlPrintHooks().ExpandText = [](TvlView&, const std::string& t) { return t == "[N]" ? "42" : t; };
  auto stamp = vlCreateView(otAddIn, "TvlStampView");
  stamp->Name = "Stamp1";
  stamp->Left = 30, stamp->Top = 40, stamp->Width = 50, stamp->Height = 60;
  stamp->FrameTyp = vlftLeft | vlftBottom, stamp->FrameWidth = 2.5f, stamp->FrameStyle = psDouble;
  stamp->FillColor = 0x00FF00;
  stamp->Memo = {"first", "second"};
  stamp->Script = {"not written in printing form"};
  stamp->Tag = "[N]";
  stamp->GapX = 4;
  stamp->BandAlign = baCenter;
  TvlLineView line;
  line.Name = "Line1";
  line.Left = 5, line.Top = 6, line.Width = 0, line.Height = 70;

  TvlStreamWriter w;
  TvlStreamPrintSink sink(w);
  stamp->Print(sink);
  line.Print(sink);
  EXPECT_EQ(stamp->Tag, "[N]");
  EXPECT_FALSE(stamp->PrintingForm);  // the sink writes printing form without keeping it
  const std::string bytes = w.TakeBytes();
  ASSERT_GT(bytes.size(), 16u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), otAddIn);

  TvlStreamReader r(bytes);
  std::unique_ptr<TvlView> back = vlReadPrintedView(r);
  ASSERT_TRUE(back);
  EXPECT_EQ(vlViewClassName(*back), "TvlStampView");
  EXPECT_FALSE(back->PrintingForm);
  EXPECT_EQ(back->Name, "Stamp1");
  EXPECT_EQ(back->Left, 345);  // centred between 20 and 720 when printed
  EXPECT_EQ(std::vector<int>({back->Top, back->Width, back->Height}), std::vector<int>({40, 50, 60}));
  EXPECT_EQ(back->FrameTyp, vlftLeft | vlftBottom);
  EXPECT_FLOAT_EQ(back->FrameWidth, 2.5f);
  EXPECT_EQ(back->FrameStyle, psDouble);
  EXPECT_EQ(back->FillColor, 0x00FF00u);
  EXPECT_EQ(back->Memo, stamp->Memo);  // the printed text
  EXPECT_TRUE(back->Script.empty());
  EXPECT_EQ(back->Tag, "42");  // expanded as printed
  EXPECT_EQ(back->GapX, 4);
  EXPECT_EQ(back->BandAlign, baCenter);

  std::unique_ptr<TvlView> backLine = vlReadPrintedView(r);
  ASSERT_TRUE(dynamic_cast<TvlLineView*>(backLine.get()));
  EXPECT_EQ(backLine->Name, "Line1");
  EXPECT_EQ(backLine->Height, 70);
  EXPECT_EQ(r.Remaining(), 0u);

  // Damaged records fail with a stream error, never a crash.
  for (std::size_t cut : {std::size_t{1}, std::size_t{5}, bytes.size() / 2}) {
    TvlStreamReader shortened(bytes.data(), cut);
    EXPECT_THROW(vlReadPrintedView(shortened), TvlStreamError) << cut;
  }
  const std::string unknownType(1, '\x07');
  TvlStreamReader unknown(unknownType);
  EXPECT_THROW(vlReadPrintedView(unknown), TvlStreamError);
}

TEST_F(ViewPageTest, UniqueNamesFollowTheReportAndTheDialogForm) {
  // The report's own lookup and the rule's predicate give the same names.
  for (int k = 0; k < 3; ++k) Place<TvlMemoView>(0, 0, 10, 10, baNone).CreateUniqueName();
  EXPECT_EQ(page_->Objects[2]->Name, "Memo3");
  page_->Objects.erase(page_->Objects.begin() + 1);  // Memo2 deleted
  TvlMemoView viaReport, viaRule;
  viaReport.CreateUniqueName();
  viaRule.CreateUniqueName(vlNameTakenFor(viaRule));
  EXPECT_EQ(viaReport.Name, "Memo2");
  EXPECT_EQ(viaRule.Name, "Memo2");
  page_->Objects[0]->Name = "MEMO2";  // case ignored
  viaReport.CreateUniqueName();
  EXPECT_EQ(viaReport.Name, "Memo1");

  // Dialog controls also avoid the names of the shared dialog form's
  // components; other views do not.
  std::set<std::string> formNames = {"VIEW1", "VIEW2"};
  vlDialogFormNames() = [&formNames](const std::string& n) { return formNames.count(vlUpperCase(n)) > 0; };
  TvlControl control;
  control.CreateUniqueName();
  EXPECT_EQ(control.Name, "View3");
  TvlView plain;
  plain.CreateUniqueName();
  EXPECT_EQ(plain.Name, "View1");
}

TEST_F(ViewPageTest, ExportHandsTheViewToTheCurrentConsumer) {
  TvlView v;
  v.Left = 12, v.Top = 34;
  v.ExportData();  // no consumer: nothing happens
  std::vector<std::string> seen;
  vlViewConsumer() = [&seen](TvlView& view, std::int32_t left, std::int32_t top) {
    seen.push_back(view.BaseName + " " + std::to_string(left) + "," + std::to_string(top));
  };
  v.ExportData();
  EXPECT_EQ(seen, (std::vector<std::string>{"View 12,34"}));
}

}  // namespace
}  // namespace vl
