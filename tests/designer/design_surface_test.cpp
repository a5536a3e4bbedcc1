// The design surface driven by synthetic mouse and key events: inserting,
// selecting, moving and resizing with and without the grid, the keyboard,
// undo and redo, the history bound and the clipboard across templates.

#include <QDropEvent>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "designer/designer_clipboard.h"
#include "engine/model/page_limits.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

class Surface : public DesignerTest {
 protected:
  TvlDesignerPage& S() { return *form->Surface(); }
  QRect RectOf(const TvlView* v) { return QRect(v->Left, v->Top, v->Width, v->Height); }
};

TEST_F(Surface, ClickWithTheTextToolInsertsADefaultSizeMemoAtTheSnappedPoint) {
  Open();
  form->SetTool(otMemo);
  Click(QPoint(101, 55));
  ASSERT_EQ(form->Page->Objects.size(), 1u);
  TvlView* memo = form->Page->Objects[0].get();
  EXPECT_EQ(memo->Typ, otMemo);
  EXPECT_EQ(memo->Name, "Memo1");
  EXPECT_EQ(RectOf(memo), QRect(100, 52, 96, 20));
  EXPECT_TRUE(memo->Selected);
  EXPECT_EQ(EditorsOpened, 1) << "EditAfterInsert opens its editor";
  EXPECT_EQ(S().Tool, kToolSelect) << "the select tool comes back";
  EXPECT_TRUE(form->GetModified());
  EXPECT_TRUE(form->Command("Undo")->isEnabled());

  // A rectangle dragged only across gives the default size at its start.
  form->Options.EditAfterInsert = false;
  form->SetTool(otPicture);
  Drag(QPoint(200, 200), QPoint(260, 200));
  ASSERT_EQ(form->Page->Objects.size(), 2u);
  EXPECT_EQ(RectOf(form->Page->Objects[1].get()), QRect(200, 200, 36, 36));
  form->SetTool(otMemo);
  Drag(QPoint(300, 100), QPoint(380, 140));
  EXPECT_EQ(RectOf(form->Page->Objects[2].get()), QRect(300, 100, 80, 40));
}

// A field dragged in from the field list becomes a memo holding it, without
// the editor; other drags, and drags when creating is restricted, are refused.
TEST_F(Surface, AFieldDroppedFromTheListBecomesAMemo) {
  Open();
  auto send = [this](QEvent::Type type, QPoint p, const QMimeData& data) {
    QDropEvent* e = type == QEvent::DragEnter ? new QDragEnterEvent(p, Qt::CopyAction, &data, Qt::LeftButton, {})
                    : type == QEvent::DragMove ? new QDragMoveEvent(p, Qt::CopyAction, &data, Qt::LeftButton, {})
                                               : new QDropEvent(QPointF(p), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(form->Surface(), e);
    const bool accepted = e->isAccepted();
    delete e;
    return accepted;
  };
  // The field list's drags as the "DB fields" window recognises them.
  const QString format = QStringLiteral("application/x-test-field");
  vlDesignerDialogs().DraggedField = [format](const QMimeData* data, std::string& reference) {
    if (!data || !data->hasFormat(format)) return false;
    reference = data->data(format).toStdString();
    return true;
  };
  QMimeData text;
  text.setText(QStringLiteral("Customers.Name"));
  EXPECT_FALSE(send(QEvent::DragEnter, QPoint(50, 50), text)) << "only the field list's drags";

  QMimeData field;
  field.setData(format, QByteArray("Customers.\"Name\""));
  DesignRestrictions() = dsNoCreateObject;
  EXPECT_FALSE(send(QEvent::DragEnter, QPoint(50, 50), field));
  DesignRestrictions() = 0;

  ASSERT_TRUE(send(QEvent::DragEnter, QPoint(50, 50), field));
  ASSERT_TRUE(send(QEvent::DragMove, QPoint(103, 71), field));
  EXPECT_EQ(S().DragRect.Left, 96) << "the snapped point less 4";
  ASSERT_TRUE(send(QEvent::Drop, QPoint(103, 71), field));
  ASSERT_EQ(form->Page->Objects.size(), 1u);
  const TvlView* memo = form->Page->Objects[0].get();
  EXPECT_EQ(memo->Typ, otMemo);
  EXPECT_EQ(memo->Memo, std::vector<std::string>{"[Customers.\"Name\"]"});
  EXPECT_EQ(RectOf(memo), QRect(96, 64, 96, 20));
  EXPECT_EQ(EditorsOpened, 0) << "no editor after a drop";
  EXPECT_EQ(S().Tool, kToolSelect);
  form->Undo();
  EXPECT_TRUE(form->Page->Objects.empty()) << "one undo step";
}

TEST_F(Surface, TheBandToolAsksTheTypeAndPutsBandsFirst) {
  AddMemo("Memo1", 20, 20);
  Open();
  form->Options.EditAfterInsert = false;
  form->SetTool(otBand);
  Click(QPoint(30, 100));  // cancelled: nothing
  EXPECT_EQ(form->Page->Objects.size(), 1u);
  BandTypeAnswer = btPageHeader;
  form->SetTool(otBand);
  Click(QPoint(30, 100));
  ASSERT_EQ(form->Page->Objects.size(), 2u);
  TvlView* band = form->Page->Objects[0].get();
  EXPECT_EQ(band->Typ, otBand);
  EXPECT_EQ(band->FrameTyp, btPageHeader);
  EXPECT_EQ(band->Name, "PageHeader1");
  EXPECT_EQ(band->Width, S().width()) << "a band is as wide as the page";
}

TEST_F(Surface, MovingFollowsTheGridAndAltMovesByPixels) {
  TvlView* m = AddMemo("Memo1", 40, 40);
  Open();
  Hover(QPoint(50, 50));
  Mouse(QEvent::MouseButtonPress, QPoint(50, 50));
  Mouse(QEvent::MouseMove, QPoint(53, 50));
  EXPECT_EQ(m->Left, 40) << "below one grid step nothing moves";
  Mouse(QEvent::MouseMove, QPoint(57, 50));
  EXPECT_EQ(m->Left, 44) << "7 pixels move one step and leave 3 pending";
  Mouse(QEvent::MouseMove, QPoint(58, 50));
  EXPECT_EQ(m->Left, 48) << "the pending pixels count";
  Mouse(QEvent::MouseButtonRelease, QPoint(58, 50));
  // Away from the handles, which would resize.
  Drag(QPoint(66, 48), QPoint(69, 49), Qt::AltModifier);
  EXPECT_EQ(QPoint(m->Left, m->Top), QPoint(51, 41));
  form->Options.GridAlign = false;
  Drag(QPoint(66, 48), QPoint(67, 51));
  EXPECT_EQ(QPoint(m->Left, m->Top), QPoint(52, 44));
}

// Dragging past the visible part of the page scrolls it so the pointer stays in view.
TEST_F(Surface, ADragLeavingTheVisibleAreaScrollsIt) {
  TvlView* m = AddMemo("Memo1", 40, 40);
  Open();
  QScrollBar* bar = form->ScrollArea()->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the page is taller than the window";
  const int below = form->ScrollArea()->viewport()->height() + 40;
  Hover(QPoint(50, 50));
  Mouse(QEvent::MouseButtonPress, QPoint(50, 50));
  Mouse(QEvent::MouseMove, QPoint(50, below));
  EXPECT_GT(bar->value(), 0);
  EXPECT_EQ(S().mapTo(form->ScrollArea()->viewport(), QPoint(50, below)).y(),
            form->ScrollArea()->viewport()->rect().bottom());
  Mouse(QEvent::MouseButtonRelease, QPoint(50, below));
  EXPECT_GT(m->Top, 40);
}

TEST_F(Surface, HandlesResizeAndTurningInsideOutKeepsTheSizePositive) {
  TvlView* m = AddMemo("Memo1", 40, 40, 40, 20);
  Open();
  Click(QPoint(50, 50));
  Hover(QPoint(80, 60));
  EXPECT_EQ(S().cursor().shape(), Qt::SizeFDiagCursor);
  Drag(QPoint(80, 60), QPoint(88, 64));
  EXPECT_EQ(RectOf(m), QRect(40, 40, 48, 24));
  Hover(QPoint(64, 40));
  EXPECT_EQ(S().cursor().shape(), Qt::SizeVerCursor);
  // The top-left handle dragged past the bottom-right corner.
  Hover(QPoint(40, 40));
  Mouse(QEvent::MouseButtonPress, QPoint(40, 40));
  Mouse(QEvent::MouseMove, QPoint(100, 80));
  Mouse(QEvent::MouseMove, QPoint(104, 84));
  Mouse(QEvent::MouseButtonRelease, QPoint(104, 84));
  EXPECT_GT(m->Width, 0);
  EXPECT_GT(m->Height, 0);
  EXPECT_EQ(RectOf(m), QRect(88, 64, 16, 20));
}

TEST_F(Surface, RubberBandPrefersObjectsOverBands) {
  AddMemo("Memo1", 40, 40);
  AddMemo("Memo2", 120, 40);
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->Top = 200;
  band->Height = 40;
  band->Width = 300;
  TvlView* b = band.get();
  Report.Pages.Add();
  Report.Pages[0]->Objects.insert(Report.Pages[0]->Objects.begin(), std::move(band));
  Open();
  Drag(QPoint(30, 30), QPoint(130, 210));
  EXPECT_EQ(form->SelectionCount(), 2) << "the band touched is left out";
  EXPECT_FALSE(b->Selected);
  EXPECT_EQ(b->Width, S().width()) << "the band spans the page once drawn";
  Drag(QPoint(350, 260), QPoint(340, 235));
  EXPECT_EQ(form->SelectionCount(), 1);
  EXPECT_TRUE(b->Selected) << "a band alone is selected";
  // Shift-click adds and removes.
  Click(QPoint(50, 50));
  Click(QPoint(130, 50), Qt::ShiftModifier);
  EXPECT_EQ(form->SelectionCount(), 2);
  Click(QPoint(130, 50), Qt::ShiftModifier);
  EXPECT_EQ(form->SelectionCount(), 1);
}

TEST_F(Surface, DraggingABandCarriesItsObjectsUnlessAltIsHeld) {
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->Left = 0;
  band->Top = 100;
  band->Height = 60;
  band->Width = 400;
  TvlView* b = band.get();
  Report.Pages.Add();
  Report.Pages[0]->Objects.push_back(std::move(band));
  TvlView* inside = AddMemo("Inside", 20, 110);
  TvlView* outside = AddMemo("Outside", 20, 200);
  Open();
  form->Options.GridAlign = false;
  Click(QPoint(300, 150));
  Drag(QPoint(300, 150), QPoint(300, 170));
  EXPECT_EQ(b->Top, 120);
  EXPECT_EQ(inside->Top, 130);
  EXPECT_EQ(outside->Top, 200);
  form->ClearSelection();
  Click(QPoint(300, 150));
  Drag(QPoint(300, 150), QPoint(300, 160), Qt::AltModifier);
  EXPECT_EQ(b->Top, 128) << "Alt turns the grid on for the drag";
  EXPECT_EQ(inside->Top, 130) << "Alt moves the band alone";
}

TEST_F(Surface, ArrowKeysMoveSizeAndWalkTheSelection) {
  TvlView* a = AddMemo("A", 40, 40);
  TvlView* near = AddMemo("Near", 100, 40);
  AddMemo("OtherRow", 90, 100);
  Open();
  form->SelectObject("A");
  Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(a->Left, 41);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(a->Height, 21);
  Key(Qt::Key_Right);
  EXPECT_TRUE(near->Selected) << "the nearest on the same row";
  EXPECT_FALSE(a->Selected);
  Key(Qt::Key_Right);
  EXPECT_TRUE(near->Selected) << "no candidate keeps the selection";
  form->SelectObject("A");
  Key(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(a->Left, 60) << "pushed against its neighbour";
  Key(Qt::Key_Escape);
  EXPECT_EQ(form->SelectionCount(), 0);
}

TEST_F(Surface, UndoAndRedoRestoreTheTemplateExactly) {
  AddMemo("A", 40, 40);
  AddMemo("B", 120, 40);
  AddMemo("C", 40, 120);
  Open();
  form->Options.EditAfterInsert = false;
  std::vector<std::string> states{Bytes()};
  const std::vector<std::function<void()>> changes = {
      [&] { Click(QPoint(50, 50)); Drag(QPoint(50, 50), QPoint(58, 62)); },
      [&] { Key(Qt::Key_Right, Qt::ShiftModifier); },
      [&] { form->SetTool(otMemo); Click(QPoint(300, 300)); },
      [&] { form->SelectObject("B"); form->Delete(); },
      [&] { form->SelectObject("A"); form->ZOrder(true); },
      [&] { form->SelectObject("C"); Key(Qt::Key_F, Qt::ControlModifier); },
      [&] { form->SelectObject("C"); form->Cut(); },
      [&] { form->Paste(); },
      [&] {
        form->SelectObject("A");
        TvlView* a = form->Page->FindObject("A");
        const QPoint corner(a->Left + a->Width, a->Top + a->Height);
        Drag(corner, corner + QPoint(12, 8));
      },
      [&] { form->SelectAll(); Key(Qt::Key_Up, Qt::ControlModifier); },
  };
  for (const auto& change : changes) {
    change();
    states.push_back(Bytes());
    EXPECT_NE(states.back(), states[states.size() - 2]) << "change " << states.size() - 1 << " changed nothing";
  }
  for (std::size_t i = changes.size(); i > 0; --i) {
    form->Undo();
    EXPECT_EQ(Bytes(), states[i - 1]) << "undo back to state " << i - 1;
  }
  EXPECT_FALSE(form->Command("Undo")->isEnabled());
  for (std::size_t i = 1; i <= changes.size(); ++i) {
    form->Redo();
    EXPECT_EQ(Bytes(), states[i]) << "redo to state " << i;
  }
  // A new change after an undo empties the redo history.
  form->Undo();
  form->SelectObject("A");
  Key(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_FALSE(form->Command("Redo")->isEnabled());
}

TEST_F(Surface, AViewsContextEntryActsOnTheWholeSelectionInOneChange) {
  TvlView* a = AddMemo("A", 40, 40);
  TvlView* b = AddMemo("B", 100, 40);
  Open();
  form->SelectAll();
  std::vector<TvlPopupEntry> entries;
  b->DefinePopupMenu(entries);
  const auto stretched = std::find_if(entries.begin(), entries.end(),
                                      [](const TvlPopupEntry& e) { return e.Action == TvlPopupAction::Stretched; });
  ASSERT_NE(stretched, entries.end());
  const bool was = (b->Flags & flStretched) != 0;
  const std::string before = Bytes();
  form->RunPopupEntry(*stretched, *b);
  EXPECT_EQ((a->Flags & flStretched) != 0, !was);
  EXPECT_EQ((b->Flags & flStretched) != 0, !was);
  form->Undo();
  EXPECT_EQ(Bytes(), before);
}

TEST_F(Surface, TheHistoryDropsItsOldestStep) {
  TvlView* m = AddMemo("A", 40, 40);
  Open();
  form->SelectObject("A");
  for (int i = 0; i < 101; ++i) Key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(m->Left, 141);
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 100u);
  while (form->Command("Undo")->isEnabled()) form->Undo();
  EXPECT_EQ(m->Left, 41) << "the first move can no longer be undone";
}

TEST_F(Surface, UndoWaitsForItsPage) {
  AddMemo("A", 40, 40);
  Report.Pages.Add();
  Open();
  form->SelectObject("A");
  Key(Qt::Key_Right, Qt::ControlModifier);
  form->SetCurrentPage(1);
  form->Undo();
  EXPECT_EQ(Report.Pages[0]->Objects[0]->Left, 41) << "a step of page 1 waits on page 2";
  form->SetCurrentPage(0);
  form->Undo();
  EXPECT_EQ(Report.Pages[0]->Objects[0]->Left, 40);
}

TEST_F(Surface, CopyAndPasteBetweenTwoTemplates) {
  AddMemo("Memo1", 60, 80);
  AddMemo("Memo2", 100, 90);
  Open();
  form->SelectAll();
  form->Copy();
  form->done(1);
  form.reset();

  TvlReport other;
  other.Pages.Add();
  auto existing = std::make_unique<TvlMemoView>();
  existing->Name = "Memo1";
  other.Pages[0]->Objects.push_back(std::move(existing));
  form = std::make_unique<TvlDesignerForm>(other, true);
  form->show();
  QApplication::processEvents();
  EXPECT_TRUE(form->Command("Paste")->isEnabled()) << "the clipboard outlives the window";
  form->Paste();
  auto& objects = other.Pages[0]->Objects;
  ASSERT_EQ(objects.size(), 3u);
  EXPECT_EQ(objects[1]->Name, "Memo2") << "a taken name is made unique";
  EXPECT_EQ(objects[2]->Name, "Memo3") << "Memo2 is taken by then";
  // Not over the band captions at the page's corner: at the printable area's top-left.
  const TvlPageLimits limits = vlPageLimits(*other.Pages[0]);
  const int grid = form->Options.GridSize;
  const QPoint corner((limits.Left + grid - 1) / grid * grid, (limits.Top + grid - 1) / grid * grid);
  EXPECT_GT(corner.x() + corner.y(), 0);
  EXPECT_EQ(QPoint(objects[1]->Left, objects[1]->Top), corner) << "the group lands at the printable top-left";
  EXPECT_EQ(QPoint(objects[2]->Left, objects[2]->Top), corner + QPoint(40, 10));
  EXPECT_EQ(form->SelectionCount(), 2);
  form->Undo();
  EXPECT_EQ(objects.size(), 1u) << "one undo takes the paste back";
}

}  // namespace
}  // namespace vl
