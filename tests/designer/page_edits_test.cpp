// The page's object edits without a window: each change records one undo
// step that puts the page back, restrictions hold, and a group moved off the
// paper comes back onto it.

#include <gtest/gtest.h>

#include "designer/designer_restrictions.h"
#include "designer/page_edits.h"
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

}  // namespace
}  // namespace vl
