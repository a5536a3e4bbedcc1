// The page's object edits and the report's page and data-source edits
// without a window: each change records one undo step, after which Undo
// gives the template back byte for byte and Redo the changed one;
// restrictions hold, and a group moved off the paper comes back onto it.

#include <gtest/gtest.h>

#include <functional>

#include "designer/align_objects.h"
#include "designer/designer_restrictions.h"
#include "designer/page_edits.h"
#include "designer/report_edits.h"
#include "engine/core/engine_state.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"

namespace vl {
namespace {

class PageEditsTest : public ::testing::Test {
 protected:
  PageEditsTest() { DesignRestrictions() = 0; }
  ~PageEditsTest() override { DesignRestrictions() = 0; }

  TvlView& Add(const std::string& name, int left, int top, int width, int height, bool selected = true) {
    auto v = std::make_unique<TvlMemoView>();
    v->Name = name;
    v->Left = left, v->Top = top, v->Width = width, v->Height = height;
    v->Selected = selected ? 1 : 0;
    TvlView& ref = *v;
    page.Objects.push_back(std::move(v));
    return ref;
  }
  std::string Geometry() {
    std::string s;
    for (const auto& v : page.Objects)
      s += v->Name + ":" + std::to_string(v->Left) + "," + std::to_string(v->Top) + "," + std::to_string(v->Width) +
           "," + std::to_string(v->Height) + " ";
    return s;
  }
  TvlPageEdits Edits() { return TvlPageEdits(page, 0, &undo); }

  TvlPage page{9, 0, 0, -1, 0};
  TvlUndoBuffers undo;
};

TEST_F(PageEditsTest, EachEditIsOneUndoStepThatPutsThePageBack) {
  const auto fresh = [this] {
    page.Objects.clear();
    Add("A", 10, 10, 40, 20);
    Add("B", 100, 10, 40, 20);
    Add("C", 10, 100, 40, 20, false);
  };
  fresh();
  const std::string start = Geometry();
  const struct {
    const char* What;
    std::function<bool(TvlPageEdits&)> Edit;
    const char* After;
  } cases[] = {
      {"move", [](TvlPageEdits& e) { return e.MoveSelection(5, -3); },
       "A:15,7,40,20 B:105,7,40,20 C:10,100,40,20 "},
      {"resize", [](TvlPageEdits& e) { return e.ResizeSelection(-50, 4); },
       "A:10,10,0,24 B:100,10,0,24 C:10,100,40,20 "},
      {"bounds", [&](TvlPageEdits& e) { return e.SetBounds(*page.Objects[2], 1, 2, 3, -4); },
       "A:10,10,40,20 B:100,10,40,20 C:1,2,3,0 "},
      {"delete", [](TvlPageEdits& e) { return e.DeleteSelection(); }, "C:10,100,40,20 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    fresh();
    TvlPageEdits edits = Edits();
    ASSERT_TRUE(c.Edit(edits));
    EXPECT_EQ(Geometry(), c.After);
    EXPECT_EQ(undo.UndoSteps.Count(), 1u);
    ASSERT_TRUE(undo.Undo(page, 0));
    EXPECT_EQ(Geometry(), start);
    undo.Clear();
  }
  // Sent to the back: the selection goes first in the list.
  fresh();
  Edits().ZOrderSelection(false);
  EXPECT_EQ(page.Objects.back()->Name, "C");
  Edits().ZOrderSelection(true);
  EXPECT_EQ(page.Objects.front()->Name, "C");
}

TEST_F(PageEditsTest, RestrictionsHoldAndNothingChangedRecordsNothing) {
  TvlView& fixed = Add("Fixed", 10, 10, 40, 20);
  fixed.Restrictions = rsDontMove | rsDontSize | rsDontDelete;
  EXPECT_FALSE(Edits().MoveSelection(5, 5));
  EXPECT_FALSE(Edits().ResizeSelection(5, 5));
  EXPECT_FALSE(Edits().DeleteSelection());
  EXPECT_FALSE(Edits().ZOrderSelection(true));
  EXPECT_FALSE(Edits().MoveSelection(0, 0));
  TvlView& free = Add("Free", 60, 10, 40, 20);
  DesignRestrictions() = dsNoMoveObject;
  EXPECT_FALSE(Edits().MoveSelection(5, 5));
  EXPECT_FALSE(Edits().SetBounds(free, 0, 0, 40, 20));
  EXPECT_TRUE(Edits().SetBounds(free, 60, 10, 50, 20)) << "sizing is still allowed";
  EXPECT_EQ(undo.UndoSteps.Count(), 1u);
  // Without histories the edit is made and nothing is recorded.
  DesignRestrictions() = 0;
  EXPECT_TRUE(TvlPageEdits(page, 0, nullptr).MoveSelection(1, 1));
  EXPECT_EQ(free.Left, 61);
  EXPECT_EQ(undo.UndoSteps.Count(), 1u);
}

TEST_F(PageEditsTest, AGroupOffThePaperComesBack) {
  const struct {
    int Left, Top, Width;
    int BackLeft, BackTop;
  } cases[] = {
      {904, 100, 40, 754, 100},  // past the right edge of 794
      {-236, 50, 40, 0, 50},     // left of the paper
      {10, -30, 40, 10, 0},      // above it
      {10, 1200, 40, 10, 1103},  // below a 1123-high paper
      {-50, 10, 900, 0, 10},     // wider than the paper: its left edge stays on it
      {100, 100, 40, 100, 100},  // on the paper: nothing to do
  };
  for (const auto& c : cases) {
    page.Objects.clear();
    undo.Clear();
    TvlView& v = Add("V", c.Left, c.Top, c.Width, 20);
    Add("Other", 0, 0, 10, 10, false);
    const bool moved = Edits().KeepSelectionOnPaper(794, 1123, true);
    EXPECT_EQ(moved, c.BackLeft != c.Left || c.BackTop != c.Top) << c.Left;
    EXPECT_EQ(v.Left, c.BackLeft) << c.Left;
    EXPECT_EQ(v.Top, c.BackTop) << c.Left;
    EXPECT_EQ(undo.UndoSteps.Count(), moved ? 1u : 0u);
  }
}

// A two-page report: a data band holding three selected memos and one that
// is not, a sub-report showing page 2, and a memo on page 2.
class EditsUndoTest : public ::testing::Test {
 protected:
  EditsUndoTest() {
    DesignRestrictions() = 0;
    vlState().CurReport = &report;
  }
  ~EditsUndoTest() override { vlState().CurReport = nullptr; }

  void Fresh() {
    report.Clear();
    undo.Clear();
    TvlPage& first = *report.Pages.Add();
    first.Name = "Page1";
    TvlPage& second = *report.Pages.Add();
    second.Name = "Page2";
    Add(first, otBand, "MasterData1", {0, 0, 700, 300}, false).FrameTyp = btMasterData;
    Add(first, otMemo, "A", {10, 10, 40, 20}, true);
    Add(first, otMemo, "B", {100, 50, 60, 30}, true);
    Add(first, otMemo, "D", {45, 120, 30, 25}, true);
    Add(first, otMemo, "C", {30, 250, 20, 20}, false);
    static_cast<TvlSubReportView&>(Add(first, otSubReport, "SubReport1", {300, 400, 50, 50}, false)).TargetPage = 1;
    Add(second, otMemo, "E", {5, 5, 50, 20}, false);
    vlDataSourcesOf(report).Set({"Customers", "/data/customers.csv", ""});
  }
  struct Bounds {
    int Left, Top, Width, Height;
  };
  TvlView& Add(TvlPage& page, int type, const std::string& name, Bounds b, bool selected) {
    std::unique_ptr<TvlView> v = vlCreateView(type, {});
    v->Name = name;
    v->Left = b.Left, v->Top = b.Top, v->Width = b.Width, v->Height = b.Height;
    v->Selected = selected ? 1 : 0;
    page.Objects.push_back(std::move(v));
    return *page.Objects.back();
  }
  // The template as saved, without the save date (its last 8 bytes).
  std::string Bytes() {
    TvlStreamWriter w;
    report.SaveToStream(w);
    std::string bytes = w.TakeBytes();
    bytes.resize(bytes.size() - 8);
    return bytes;
  }
  TvlPage& First() { return *report.Pages[0]; }
  TvlPageEdits Page() { return TvlPageEdits(First(), 0, &undo); }
  TvlReportEdits Whole() { return TvlReportEdits(report, &undo); }

  TvlReport report;
  TvlUndoBuffers undo;
};

TEST_F(EditsUndoTest, UndoGivesTheTemplateBackByteForByteAndRedoTheChange) {
  using Edit = std::function<bool()>;
  const auto align = [this](int command) { return [this, command] { return Page().Align(command, nullptr, 600, 800); }; };
  const auto sources = [this](std::function<void(TvlReportDataSources&)> change) {
    return [this, change] {
      TvlReportDataSources edited = vlDataSourcesOf(report);
      change(edited);
      return Whole().SetDataSources(edited);
    };
  };
  const struct {
    const char* What;
    Edit Prepare;
    Edit Change;
  } cases[] = {
      {"move", {}, [this] { return Page().MoveSelection(5, -3); }},
      {"resize", {}, [this] { return Page().ResizeSelection(-50, 4); }},
      {"bounds", {}, [this] { return Page().SetBounds(*First().FindObject("C"), 1, 2, 3, 4); }},
      {"delete", {}, [this] { return Page().DeleteSelection(); }},
      {"to front", {}, [this] { return Page().ZOrderSelection(true); }},
      {"to back", {}, [this] { return Page().ZOrderSelection(false); }},
      {"back on the paper", [this] { return First().FindObject("A")->Left = 904; }, [this] {
         return Page().KeepSelectionOnPaper(794, 1123, true);
       }},
      {"fit to grid", {}, [this] { return Page().FitSelectionToGrid(8); }},
      {"left edges", {}, align(acLeftEdges)},
      {"horizontal centres", {}, align(acHCenters)},
      {"centred across the window", {}, align(acHCenterInWindow)},
      {"spaced across", {}, align(acHSpace)},
      {"right edges", {}, align(acRightEdges)},
      {"tops", {}, align(acTops)},
      {"vertical centres", {}, align(acVCenters)},
      {"centred down the window", {}, align(acVCenterInWindow)},
      {"spaced down", {}, align(acVSpace)},
      {"bottoms", {}, align(acBottoms)},
      {"a band's row", [this] { return First().Objects[0]->Selected = 1; }, align(acRightEdges)},
      {"band inserted", {}, [this] { return Page().InsertBand(btPageFooter, {0, 1000, 700, 1030}).Name == "PageFooter1"; }},
      {"page added", {}, [this] { return Whole().AddPage(ptReport) != nullptr; }},
      {"dialog page added", {}, [this] { return Whole().AddPage(ptDialog) != nullptr; }},
      {"page removed with its sub-report", {}, [this] {
         return Whole().DeletePage(1) && First().FindObject("SubReport1") == nullptr;
       }},
      {"page options", {}, [this] {
         return Whole().ChangePage(0, [](TvlPage& p) {
           p.Margins.Left = 72;
           p.Columns = 2;
           return true;
         });
       }},
      {"data source added", {}, sources([](TvlReportDataSources& s) { s.Set({"Orders", "/data/orders.db", "Orders"}); })},
      {"data source edited", {}, sources([](TvlReportDataSources& s) { s.Set({"Customers", "/data/other.csv", ""}); })},
      {"data source removed", {}, sources([](TvlReportDataSources& s) { s.Remove("Customers"); })},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    Fresh();
    if (c.Prepare) c.Prepare();
    const std::string before = Bytes();
    ASSERT_TRUE(c.Change());
    const std::string after = Bytes();
    EXPECT_NE(after, before) << "the edit changed nothing";
    EXPECT_EQ(undo.UndoSteps.Count(), 1u);
    ASSERT_TRUE(undo.Undo(report, 0));
    EXPECT_EQ(Bytes(), before);
    ASSERT_TRUE(undo.Redo(report, 0));
    EXPECT_EQ(Bytes(), after);
    ASSERT_TRUE(undo.Undo(report, 0)) << "and back again";
    EXPECT_EQ(Bytes(), before);
  }
}

TEST_F(EditsUndoTest, RefusedOrEmptyReportEditsLeaveNoStep) {
  Fresh();
  const std::string before = Bytes();
  EXPECT_EQ(Whole().AddPage(ptReport, [](TvlPage&) { return false; }), nullptr) << "the page options were cancelled";
  EXPECT_FALSE(Whole().ChangePage(0, [](TvlPage&) { return true; })) << "confirmed without a change";
  EXPECT_FALSE(Whole().ChangePage(0, [](TvlPage& p) { return (p.Columns = 3) < 0; })) << "cancelled";
  First().Columns = 0;
  EXPECT_FALSE(Whole().SetDataSources(vlDataSourcesOf(report)));
  EXPECT_FALSE(Whole().DeletePage(5));
  EXPECT_TRUE(undo.UndoSteps.Empty());
  EXPECT_EQ(Bytes(), before);
  ASSERT_TRUE(Whole().DeletePage(1));
  EXPECT_FALSE(Whole().DeletePage(0)) << "the only page stays";
  // A step of the whole report is undone from any page; object steps only on theirs.
  TvlPageEdits(First(), 0, &undo).MoveSelection(1, 1);
  EXPECT_FALSE(undo.Undo(report, 1)) << "no page 2 now";
  EXPECT_TRUE(undo.Undo(report, 0));
  EXPECT_TRUE(undo.Undo(report, 0));
  EXPECT_EQ(Bytes(), before);
}

}  // namespace
}  // namespace vl
