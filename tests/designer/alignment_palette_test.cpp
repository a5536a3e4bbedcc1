// The alignment palette's arithmetic, band rows, objects that may not move,
// one undo step per command; fit to grid and z-order.

#include "designer/alignment_palette.h"
#include "engine/model/page_limits.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

struct Box {
  int Left, Top, Width, Height;
  bool Selected = true;
};

// A page of memos (and a band when asked), the command run on its selection.
std::vector<Box> Align(int command, const std::vector<Box>& boxes, int anchor = -1, int width = 600,
                       int height = 800) {
  TvlReport report;
  TvlPage& page = *report.Pages.Add();
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    auto v = std::make_unique<TvlMemoView>();
    v->Name = "M" + std::to_string(i);
    v->Left = boxes[i].Left, v->Top = boxes[i].Top, v->Width = boxes[i].Width, v->Height = boxes[i].Height;
    v->Selected = boxes[i].Selected;
    page.Objects.push_back(std::move(v));
  }
  vlAlignObjects(page, command, anchor >= 0 ? page.Objects[static_cast<std::size_t>(anchor)].get() : nullptr, width,
                 height);
  std::vector<Box> out;
  for (const auto& v : page.Objects) out.push_back({v->Left, v->Top, v->Width, v->Height, v->Selected != 0});
  return out;
}

std::vector<int> Lefts(const std::vector<Box>& b) {
  std::vector<int> r;
  for (const Box& x : b) r.push_back(x.Left);
  return r;
}
std::vector<int> Tops(const std::vector<Box>& b) {
  std::vector<int> r;
  for (const Box& x : b) r.push_back(x.Top);
  return r;
}

TEST(AlignmentPalette, Arithmetic) {
  struct Case {
    const char* What;
    int Command;
    std::vector<Box> Boxes;
    int Anchor;
    std::vector<int> Lefts, Tops;
  };
  const std::vector<Box> two = {{10, 20, 30, 11}, {100, 200, 51, 40}};
  const Case cases[] = {
      // The anchor is the topmost selected object unless given.
      {"left edges", acLeftEdges, two, -1, {100, 100}, {20, 200}},
      {"left edges, anchor", acLeftEdges, two, 0, {10, 10}, {20, 200}},
      {"horizontal centres", acHCenters, two, -1, {100 + 25 - 15, 100}, {20, 200}},
      {"right edges", acRightEdges, two, -1, {151 - 30, 100}, {20, 200}},
      {"tops", acTops, two, 0, {10, 100}, {20, 20}},
      {"vertical centres", acVCenters, two, 0, {10, 100}, {20, 20 + 5 - 20}},
      {"bottoms", acBottoms, two, 0, {10, 100}, {20, 31 - 40}},
      // Bounding box 10..151 on a 600 wide surface: shift 10 + (141 - 600) div 2 = 10 - 229.
      {"centre in window", acHCenterInWindow, two, -1, {229, 319}, {20, 200}},
      {"centre vertically", acVCenterInWindow, two, -1, {10, 100}, {20 - (20 + (220 - 800) / 2), 200 - (20 + (220 - 800) / 2)}},
      {"space equally", acHSpace, {{0, 0, 5, 5}, {10, 0, 5, 5}, {100, 0, 5, 5}}, -1, {0, 50, 100}, {0, 0, 0}},
      // Sorted by Left first; each step from the previous object's new place.
      {"space equally, unsorted", acHSpace, {{90, 0, 5, 5}, {0, 0, 5, 5}, {20, 0, 5, 5}, {31, 0, 5, 5}}, -1,
       {90, 0, 30, 60}, {0, 0, 0, 0}},
      {"space vertically", acVSpace, {{0, 0, 5, 5}, {0, 7, 5, 5}, {0, 100, 5, 5}}, -1, {0, 0, 0}, {0, 50, 100}},
      {"too few for spacing", acHSpace, {{0, 0, 5, 5}, {10, 0, 5, 5}}, -1, {0, 10}, {0, 0}},
      {"one is too few to align", acLeftEdges, {{7, 0, 5, 5}, {10, 0, 5, 5, false}}, -1, {7, 10}, {0, 0}},
  };
  for (const Case& c : cases) {
    const std::vector<Box> out = Align(c.Command, c.Boxes, c.Anchor);
    EXPECT_EQ(Lefts(out), c.Lefts) << c.What;
    EXPECT_EQ(Tops(out), c.Tops) << c.What;
  }
}

class AlignmentCommandTest : public DesignerTest {};

TEST_F(AlignmentCommandTest, LeftEdgesWithABandLaysOutItsRowFromTheMargin) {
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->FrameTyp = btMasterData;
  band->Top = 100;
  band->Height = 40;
  Report.Pages.Add();
  Report.Pages[0]->Objects.push_back(std::move(band));
  AddMemo("C", 300, 110, 50, 20);
  AddMemo("A", 40, 105, 30, 20);   // not selected, still in the row
  AddMemo("B", 120, 118, 60, 20);
  AddMemo("Fixed", 200, 100, 25, 20)->Restrictions = rsDontMove;
  AddMemo("Outside", 5, 150, 10, 10);  // below the band
  Open();
  for (const char* name : {"Band1", "C", "B"}) form->Page->FindObject(name)->Selected = 1;
  const int margin = vlPageLimits(*form->Page).Left;
  form->Command("Align1")->trigger();
  auto at = [&](const char* name) {
    const TvlView& v = *form->Page->FindObject(name);
    return std::pair{v.Left, v.Top};
  };
  // Order by Left: A, B, Fixed, C; B is the selected object furthest left.
  EXPECT_EQ(at("A"), std::pair(margin, 118));
  EXPECT_EQ(at("B"), std::pair(margin + 30, 118));
  EXPECT_EQ(at("Fixed"), std::pair(200, 100)) << "an object that may not move keeps its place";
  EXPECT_EQ(at("C"), std::pair(margin + 30 + 60 + 25, 118)) << "but takes its width in the row";
  EXPECT_EQ(at("Outside"), std::pair(5, 150));
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u);

  // From the right: the row ends at the right margin.
  const int right = vlPageLimits(*form->Page).Right;
  form->Command("Align5")->trigger();
  // Now A, B, C, Fixed by Left; Fixed keeps its place and its width.
  EXPECT_EQ(at("C").first, right - 25 - 50);
  EXPECT_EQ(at("B").first, right - 25 - 50 - 60);
  EXPECT_EQ(at("A").first, right - 25 - 50 - 60 - 30);
  form->Undo();
  form->Undo();
  EXPECT_EQ(at("C"), std::pair(300, 110));
  EXPECT_EQ(at("A"), std::pair(40, 105)) << "undo puts back the objects that were not selected too";
}

TEST_F(AlignmentCommandTest, MovingRestrictedDoesNothing) {
  AddMemo("A", 0, 0);
  AddMemo("B", 10, 10);
  Open();
  form->SelectAll();
  DesignRestrictions() = dsNoMoveObject;
  form->Command("Align6")->trigger();
  form->FitToGrid();
  EXPECT_EQ(form->Page->FindObject("B")->Top, 10);
  EXPECT_TRUE(form->UndoBuffers.UndoSteps.Empty());
}

TEST_F(AlignmentCommandTest, FitToGridRoundsHalvesToEvenAndSizesToo) {
  AddMemo("A", 3, 13, 5, 1);
  AddMemo("B", 12, 20, 28, 4);  // 1.5 and 2.5 steps: to 2 steps; 3.5 steps: to 4; half a step of height: to 0, then one step
  AddMemo("Fixed", 3, 3, 3, 3)->Restrictions = rsDontMove;
  Open();
  form->Options.GridSize = 8;
  form->SelectAll();
  form->FitToGrid();
  auto geometry = [&](const char* name) {
    const TvlView& v = *form->Page->FindObject(name);
    return std::vector<int>{v.Left, v.Top, v.Width, v.Height};
  };
  EXPECT_EQ(geometry("A"), (std::vector<int>{0, 16, 8, 8}));
  EXPECT_EQ(geometry("B"), (std::vector<int>{16, 16, 32, 8}));
  EXPECT_EQ(geometry("Fixed"), (std::vector<int>{3, 3, 3, 3}));
  form->Undo();
  EXPECT_EQ(geometry("A"), (std::vector<int>{3, 13, 5, 1}));
}

TEST_F(AlignmentCommandTest, ZOrderKeepsRelativeOrderAndFixedObjects) {
  for (const char* name : {"A", "B", "C", "D"}) AddMemo(name, 0, 0);
  Open();
  auto order = [&] {
    std::string s;
    for (const auto& v : form->Page->Objects) s += v->Name;
    return s;
  };
  for (const char* name : {"A", "C", "D"}) form->Page->FindObject(name)->Selected = 1;
  form->Page->FindObject("D")->Restrictions = rsDontMove;
  form->ZOrder(true);
  EXPECT_EQ(order(), "BDAC");
  form->ZOrder(false);
  EXPECT_EQ(order(), "ACBD");
}

}  // namespace
}  // namespace vl
