#include <gtest/gtest.h>

#include <map>

#include "engine/model/views.h"
#include "platform/recording_canvas.h"
#include "tests/model/view_state_guard.h"

namespace vl {
namespace {

using test::ViewStateGuard;
using Lines = std::vector<std::string>;

class BandViewTest : public ViewStateGuard {};

std::unique_ptr<TvlBandView> Band(std::uint16_t type, const std::string& name = "Band1") {
  auto b = std::make_unique<TvlBandView>();
  b->FrameTyp = type;
  b->Name = name;
  return b;
}

Lines Names(TvlObject& o) {
  o.DeclareProperties();
  Lines names;
  for (const auto& p : o.Properties()) names.push_back(p->Name);
  return names;
}

const Lines kHead = {"Name", "Left", "Top", "Width", "Height", "Flags", "Visible", "OnBeforePrint",
                     "Memo.Count", "Restrictions"};
Lines Head(Lines tail) {
  Lines all = kHead;
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

TEST_F(BandViewTest, PropertyNamesFollowTheBandType) {
  const std::map<int, Lines> expected = {
      {btReportTitle, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "FormNewPage", "Breaked", "EOF"})},
      {btPageHeader, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "OnFirstPage", "EOF"})},
      {btPageFooter, Head({"OnFirstPage", "OnLastPage", "EOF"})},
      {btMasterHeader, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "Breaked", "RepeatHeader", "EOF"})},
      {btMasterData, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "FormNewPage", "PrintIfSubsetEmpty",
                           "Breaked", "Columns", "ColumnWidth", "ColumnGap", "DataSource", "EOF"})},
      {btSubDetailData, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "FormNewPage", "Breaked",
                              "Columns", "ColumnWidth", "ColumnGap", "DataSource", "EOF"})},
      {btOverlay, Head({"ChildBand", "PrintChildIfInvisible", "EOF"})},
      {btGroupHeader, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "FormNewPage", "Breaked",
                            "RepeatHeader", "Condition", "Master", "EOF"})},
      {btCrossHeader, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "RepeatHeader", "EOF"})},
      {btCrossData, Head({"ChildBand", "PrintChildIfInvisible", "DataSource", "EOF"})},
      {btChild, Head({"ChildBand", "PrintChildIfInvisible", "Stretched", "Breaked", "EOF"})},
  };
  for (const auto& [type, names] : expected) EXPECT_EQ(Names(*Band(static_cast<std::uint16_t>(type))), names) << type;

  // The list is rebuilt when the type changes: a page footer loses the child
  // band, stretching and breaking.
  auto b = Band(btMasterData);
  Names(*b);
  b->SetProperty("FrameTyp", 3);
  EXPECT_EQ(Names(*b), expected.at(btPageFooter));
  EXPECT_EQ(b->FindProperty("OnBeforePrint")->Kind, ptHasEditor | ptOneObject);
  EXPECT_EQ(b->FindProperty("Columns"), nullptr);
}

TEST_F(BandViewTest, ChildAndMasterChoicesNameTheOtherBandsOfThePage) {
  auto data1 = Band(btMasterData, "MasterData1"), data2 = Band(btDetailData, "DetailData1");
  auto child1 = Band(btChild, "Child1"), child2 = Band(btChild, "Child2");
  auto group = Band(btGroupHeader, "GroupHeader1");
  TvlMemoView memo;
  memo.Name = "Memo1";
  UsePage({data1.get(), &memo, child1.get(), group.get(), data2.get(), child2.get()});

  group->DeclareProperties();
  const TvlPropRec* childBand = group->FindProperty("ChildBand");
  ASSERT_TRUE(childBand);
  EXPECT_EQ(childBand->EnumNames, (Lines{"Child1", "Child2"}));
  EXPECT_TRUE(childBand->EnumValues.IsNull());
  EXPECT_EQ(group->FindProperty("Master")->EnumNames, (Lines{"MasterData1", "DetailData1"}));

  child1->DeclareProperties();
  EXPECT_EQ(child1->FindProperty("ChildBand")->EnumNames, (Lines{"Child2"}));  // not itself
}

TEST_F(BandViewTest, ScriptsReadAndWriteTheBandFields) {
  auto g = Band(btGroupHeader);
  g->SetProperty("condition", "[Orders.\"CustNo\"]");
  EXPECT_EQ(g->FormatText, "[Orders.\"CustNo\"]");  // the group condition is the data source text
  EXPECT_TRUE(g->GetProperty("CONDITION").SameAs(TvlValue("[Orders.\"CustNo\"]")));

  const struct {
    const char* Name;
    std::uint16_t Bit;
  } flags[] = {{"FormNewPage", flFormNewPage},   {"PrintIfSubsetEmpty", flPrintIfSubsetEmpty},
               {"Breaked", flBreaked},           {"OnFirstPage", flOnFirstPage},
               {"OnLastPage", flOnLastPage},     {"RepeatHeader", flRepeatHeader},
               {"PrintChildIfInvisible", flPrintChildIfInvisible}};
  for (const auto& f : flags) {
    auto b = Band(btMasterData);
    const std::uint16_t before = b->Flags;
    b->SetProperty(f.Name, true);
    EXPECT_EQ(b->Flags, before | f.Bit) << f.Name;
    EXPECT_TRUE(b->GetProperty(f.Name).SameAs(TvlValue(true))) << f.Name;
    b->SetProperty(f.Name, false);
    EXPECT_EQ(b->Flags, before & ~f.Bit) << f.Name;
  }

  auto d = Band(btMasterData);
  d->SetProperty("Columns", 3);
  d->SetProperty("ColumnWidth", 150);
  d->SetProperty("ColumnGap", 10);
  d->SetProperty("NewColumnAfter", 4);
  d->SetProperty("ChildBand", "Child1");
  d->SetProperty("Master", "MasterData1");
  EXPECT_EQ(std::tie(d->Columns, d->ColumnWidth, d->ColumnGap, d->NewColumnAfter), std::make_tuple(3, 150, 10, 4));
  EXPECT_TRUE(d->GetProperty("COLUMNWIDTH").SameAs(TvlValue(150)));
  EXPECT_TRUE(d->GetProperty("ChildBand").SameAs(TvlValue("Child1")));
  EXPECT_TRUE(d->GetProperty("Master").SameAs(TvlValue("MasterData1")));
  // Outside a preparation there is no dataset to ask, and no band to bind.
  EXPECT_TRUE(d->GetProperty("EOF").IsNull());
  d->SetProperty("DataSource", "Orders");
  EXPECT_EQ(d->FormatText, "");
  EXPECT_TRUE(d->CallMethod("NEXT", {}, {}, {}).IsNull());
}

// A prepared band that keeps what the view asks of it.
class FakeBand : public TvlPreparedBand {
 public:
  TvlPlace place{5, 100, 700, 40, true};
  std::string child = "-", condition = "-", bound = "-";
  bool breaked = false, hasDataSet = true, eof = false;
  Lines moves;
  TvlPlace& Place() override { return place; }
  void SetChild(const std::string& n) override { child = n; }
  bool Breaked() const override { return breaked; }
  void SetBreaked(bool b) override { breaked = b; }
  void SetGroupCondition(const std::string& c) override { condition = c; }
  void BindDataSet(const std::string& r) override { bound = r; }
  bool HasDataSet() const override { return hasDataSet; }
  bool DataSetEof() override { return eof; }
  void DataSetNext() override { moves.push_back("next"); }
  void DataSetPrior() override { moves.push_back("prior"); }
  void DataSetFirst() override { moves.push_back("first"); }
};

TEST_F(BandViewTest, WhilePreparedScriptsReachTheBandMadeFromTheView) {
  auto v = Band(btGroupHeader);
  v->Top = 20, v->Height = 30;
  FakeBand band;
  v->PreparedBand = &band;

  EXPECT_TRUE(v->GetProperty("TOP").SameAs(TvlValue(100)));  // the band's, not the template's
  EXPECT_TRUE(v->GetProperty("Height").SameAs(TvlValue(40)));
  v->SetProperty("Height", 55);
  v->SetProperty("Visible", false);
  EXPECT_EQ(band.place.Height, 55);
  EXPECT_FALSE(band.place.Visible);
  EXPECT_TRUE(v->GetProperty("VISIBLE").SameAs(TvlValue(false)));

  v->SetProperty("ChildBand", "Child2");
  v->SetProperty("Condition", "[Cust]");
  v->SetProperty("DataSource", "Orders");
  v->SetProperty("Breaked", true);
  EXPECT_EQ(std::tie(band.child, band.condition, band.bound), std::make_tuple("Child2", "[Cust]", "Orders"));
  EXPECT_TRUE(band.breaked);
  band.breaked = false;  // the band's switch answers, not the flag
  EXPECT_TRUE(v->GetProperty("BREAKED").SameAs(TvlValue(false)));

  band.eof = true;
  EXPECT_TRUE(v->GetProperty("EOF").SameAs(TvlValue(true)));
  v->CallMethod("NEXT", {}, {}, {});
  v->CallMethod("PRIOR", {}, {}, {});
  v->CallMethod("FIRST", {}, {}, {});
  v->CallMethod("next", {}, {}, {});  // method names compare exactly
  EXPECT_EQ(band.moves, (Lines{"next", "prior", "first"}));
  band.hasDataSet = false;
  v->CallMethod("NEXT", {}, {}, {});
  EXPECT_EQ(band.moves.size(), 3u);
  EXPECT_TRUE(v->GetProperty("EOF").IsNull());
}

TEST_F(BandViewTest, TitleTabIsAtLeast100Wide) {
  TvlRecordingCanvas c;  // fixed metrics: Arial 8 at 96 dpi is 11 high, 6 per character
  EXPECT_EQ(Band(btReportTitle)->TitleWidth(c), 100);      // 12 characters: 72
  EXPECT_EQ(Band(btSubDetailFooter)->TitleWidth(c), 104);  // 16 characters: 96 + 8
  EXPECT_EQ(Band(btSubDetailHeader)->TitleWidth(c), 104);
}

TEST_F(BandViewTest, DesignerDrawingOfHorizontalAndVerticalBands) {
  Mode(TvlDocMode::dmDesign);
  auto h = Band(btMasterData);
  h->Left = 30, h->Top = 100, h->Width = 50, h->Height = 40;
  auto v = Band(btCrossData);
  v->Left = 200, v->Top = 60, v->Width = 80, v->Height = 10;
  UsePage({h.get(), v.get()}, 20, 700, 794, 1123);

  TvlRecordingCanvas c;
  h->Draw(c);
  // The band spans the paper, and the change stays.
  EXPECT_EQ(std::tie(h->Left, h->Width), std::make_tuple(0, 794));
  EXPECT_EQ(c.Describe(false), (Lines{"fill 0,100,795,141", "rect 0,100,795,141", "fill 0,82,100,100",
                                      "line 98,82 98,100", "line 99,82 99,100", "text 4,83 'Master data'"}));
  const Lines withState = c.Describe();
  EXPECT_NE(std::find(withState.begin(), withState.end(), "brush pattern C0C0C0 on FFFFFF 55AA55AA55AA55AA"),
            withState.end());

  c.Clear();
  v->Draw(c);
  EXPECT_EQ(std::tie(v->Top, v->Height), std::make_tuple(0, 1123));
  EXPECT_EQ(c.Describe(false), (Lines{"fill 200,0,281,1124", "rect 200,0,281,1124", "fill 182,0,200,100",
                                      "line 182,98 200,98", "line 182,99 200,99", "line 182,99 182,0",
                                      "text 185,64 'Cross data'"}));
  EXPECT_EQ(c.TextRuns().back().Font.Escapement, 900);

  // Without titles the name goes inside the band, on no background.
  vlBandTitles() = false;
  c.Clear();
  h->Draw(c);
  v->Draw(c);
  const std::vector<TvlTextRun> runs = c.TextRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].At, (TvlPoint{4, 102}));
  EXPECT_EQ(runs[1].At, (TvlPoint{202, 94}));
}

TEST_F(BandViewTest, ColumnsAreOutlinedFromThePageLeftLimit) {
  Mode(TvlDocMode::dmDesign);
  auto b = Band(btMasterData);
  b->Top = 50, b->Height = 30, b->Columns = 3, b->ColumnWidth = 200, b->ColumnGap = 20;
  UsePage({b.get()}, 20, 700, 794, 1123);
  TvlRecordingCanvas c;
  b->Draw(c);
  const Lines ops = c.Describe(false);
  EXPECT_EQ(Lines(ops.begin() + 2, ops.begin() + 5),
            (Lines{"rect 20,50,220,80", "rect 240,50,440,80", "rect 460,50,660,80"}));

  // A damaged column count draws only the columns that start on the paper.
  b->Columns = 2'000'000'000;
  c.Clear();
  b->Draw(c);
  EXPECT_LT(c.Ops().size(), 40u);
}

TEST_F(BandViewTest, BandsAreNeverPrinted) {
  Mode(TvlDocMode::dmPrinting);
  auto b = Band(btPageHeader);
  b->Width = 100, b->Height = 20;
  TvlRecordingCanvas c;
  b->Draw(c);
  EXPECT_TRUE(c.Ops().empty());

  struct Sink : TvlPrintSink {
    int writes = 0;
    void WriteByte(std::uint8_t) override { ++writes; }
    void WriteString(const std::string&) override { ++writes; }
    void WriteViewData(TvlView&) override { ++writes; }
  } sink;
  b->Print(sink);
  EXPECT_EQ(sink.writes, 0);
}

TEST_F(BandViewTest, RegionTakesInTheTitleTab) {
  auto b = Band(btReportTitle);
  b->Left = 0, b->Top = 100, b->Width = 700, b->Height = 40;
  const TvlRegion normal = b->GetClipRgn(false);
  EXPECT_TRUE(normal.Contains({50, 85}));   // on the tab
  EXPECT_FALSE(normal.Contains({150, 85}));  // beside it
  EXPECT_EQ(normal.Bounds(), (TvlRect{0, 82, 701, 141}));
  EXPECT_EQ(b->GetClipRgn(true).Bounds(), (TvlRect{-10, 82, 710, 150}));

  auto v = Band(btCrossHeader);
  v->Left = 100, v->Top = 0, v->Width = 50, v->Height = 900;
  EXPECT_EQ(v->GetClipRgn(false).Bounds(), (TvlRect{82, 0, 151, 901}));

  vlBandTitles() = false;  // the shared view region
  EXPECT_EQ(b->GetClipRgn(false).Bounds(), (TvlRect{0, 100, 701, 141}));
}

TEST_F(BandViewTest, ContextMenuByBandType) {
  auto entries = [](std::uint16_t type, std::uint16_t flags) {
    auto b = Band(type);
    b->Flags = flags;
    std::vector<TvlPopupEntry> menu;
    b->DefinePopupMenu(menu);
    Lines out;
    for (const TvlPopupEntry& e : menu)
      out.push_back(e.Action == TvlPopupAction::Separator ? "-"
                                                          : std::to_string(e.CaptionId) + (e.Checked ? "+" : ""));
    return out;
  };
  EXPECT_EQ(entries(btPageFooter, flOnLastPage), (Lines{"-", "55231", "55232+"}));
  EXPECT_EQ(entries(btMasterData, flStretched | flBreaked),
            (Lines{"-", "55190+", "55194", "55195", "55196+", "55440"}));
  EXPECT_EQ(entries(btOverlay, 0), (Lines{"55440"}));
  EXPECT_EQ(entries(btCrossData, 0), (Lines{"55440"}));
  EXPECT_EQ(entries(btGroupHeader, flRepeatHeader), (Lines{"-", "55190", "55194", "55196", "55233+", "55440"}));

  // Force new page goes to every modifiable selected view; On first page to this band only.
  auto a = Band(btMasterData), b = Band(btMasterData), locked = Band(btMasterData);
  locked->Restrictions = rsDontModify;
  a->ToggleMenuFlag(flFormNewPage, true, {a.get(), b.get(), locked.get()});
  EXPECT_TRUE((a->Flags & flFormNewPage) && (b->Flags & flFormNewPage));
  EXPECT_FALSE(locked->Flags & flFormNewPage);
  a->ToggleMenuFlag(flRepeatHeader, true, {a.get(), b.get()});
  EXPECT_TRUE(a->Flags & flRepeatHeader);
  EXPECT_FALSE(b->Flags & flRepeatHeader);
}

}  // namespace
}  // namespace vl
