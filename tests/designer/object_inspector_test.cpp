// The object inspector on a real designer window: rows clicked and typed
// into with Qt Test, changes checked on the objects and the undo history.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>

#include "controls/popup_list_box.h"
#include "controls/speed_button.h"
#include "designer/designer_install.h"
#include "designer/designer_options.h"
#include "designer/db_fields_window.h"
#include "designer/inspector_window.h"
#include "designer/object_inspector.h"
#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/model/codes.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

class InspectorTest : public DesignerTest {
 protected:
  // The designer as the program installs it: the inspector and the DB fields window.
  InspectorTest() { vlInstallDesigner(); }

  TvlInspForm& Inspector() {
    TvlObjectInspector* inspector = vlObjectInspector(*form);
    EXPECT_NE(inspector, nullptr);
    return *inspector->Form();
  }

  void Select(std::initializer_list<TvlView*> views) {
    form->ClearSelection();
    for (TvlView* v : views) v->Selected = 1;
    form->Surface()->ComputeGroupBounds();
    form->SelectionChanged();
  }

  // Clicks a row by its name; false when it is not listed.
  bool ClickRow(const std::string& name) {
    TvlInspForm& insp = Inspector();
    const int row = insp.RowIndexOf(name);
    if (row < 0) return false;
    QTest::mouseClick(insp.PaintBox1, Qt::LeftButton, {}, insp.RowRect(row).center());
    return insp.ItemIndex() == row;
  }

  // Types a value into a row and presses Enter, as a user does.
  void Type(const std::string& name, const std::string& text) {
    ASSERT_TRUE(ClickRow(name)) << name;
    QLineEdit* edit = Inspector().Edit1;
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(text));
    QTest::keyClick(edit, Qt::Key_Return);
  }

  std::string Text(const std::string& name) {
    const int row = Inspector().RowIndexOf(name);
    return row < 0 ? "<absent>" : Inspector().Row(row).Text;
  }
};

TEST(InspectorTexts, DisplayAndTypedValuesFollowTheRowKind) {
  TProp colour{ptColor, {}, {}, {}, TvlValue::Null()};
  EXPECT_EQ(vlInspectorDisplayText("255", colour), "clRed");
  EXPECT_EQ(vlInspectorDisplayText("536870911", colour), "clTransparent");
  EXPECT_EQ(vlInspectorDisplayText("-16777211", colour), "clWindow");  // a system colour read as signed
  EXPECT_EQ(vlInspectorDisplayText("1193046", colour), "$123456");
  EXPECT_EQ(vlInspectorTypedValue("$00FF00", colour).Int(), 0x00FF00);
  EXPECT_EQ(vlInspectorTypedValue("CLRED", colour).Int(), 255);

  TProp boolean{ptBoolean, {}, {}, {}, TvlValue::Null()};
  EXPECT_EQ(vlInspectorDisplayText("-1", boolean), "True");
  EXPECT_EQ(vlInspectorDisplayText("false", boolean), "False");
  for (const char* falsy : {"FALSE", "", "0"}) EXPECT_FALSE(vlInspectorTypedValue(falsy, boolean).Bool()) << falsy;
  EXPECT_TRUE(vlInspectorTypedValue("yes", boolean).Bool());

  TProp number{ptFloat, {}, {}, {}, TvlValue::Null()};
  EXPECT_EQ(vlInspectorDisplayText("10", number), "10.00");
  EXPECT_EQ(vlInspectorDisplayText("3.14159", number), "3.14");
  EXPECT_EQ(vlInspectorDisplayText("123.456", number), "123.50");  // four significant digits
  EXPECT_DOUBLE_EQ(vlInspectorTypedValue("2,5", number).Float(), 2.5);
  EXPECT_THROW(vlInspectorTypedValue("2.5x", number), TvlError);

  TProp integer{ptInteger, {}, {}, {}, TvlValue::Null()};
  EXPECT_THROW(vlInspectorTypedValue("12a", integer), TvlError);
  EXPECT_EQ(vlInspectorTypedValue(" 12 ", integer).Int(), 12);

  TProp enumeration{ptEnum, {}, {}, {"bsDialog", "bsSizeable"}, TvlValue::Array({TvlValue(3), TvlValue(2)})};
  EXPECT_EQ(vlInspectorDisplayText("2", enumeration), "bsSizeable");
  EXPECT_EQ(vlInspectorTypedValue("bsDialog", enumeration).Int(), 3);
  EXPECT_EQ(vlInspectorTypedValue("7", enumeration).Int(), 7);  // not a name: the number
  TProp names{ptEnum, {}, {}, {"A", "B"}, TvlValue::Null()};
  EXPECT_EQ(vlInspectorTypedValue("B", names).Str(), "B");
}

TEST_F(InspectorTest, LeftOfTwoViewsMovesBothAndUndoesInOneStep) {
  TvlView* a = AddMemo("Memo1", 10, 10);
  TvlView* b = AddMemo("Memo2", 30, 60);
  Open();
  Select({a, b});
  EXPECT_TRUE(Inspector().isVisible());
  EXPECT_EQ(Text("Left"), "");  // the two differ
  EXPECT_EQ(Text("Name"), "<absent>");  // one-object properties go with two
  const std::size_t steps = form->UndoBuffers.UndoSteps.Count();
  Type("Left", "50");
  EXPECT_EQ(a->Left, 50);
  EXPECT_EQ(b->Left, 50);
  EXPECT_EQ(Text("Left"), "50");
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), steps + 1);
  form->Undo();
  EXPECT_EQ(form->Page->FindObject("Memo1")->Left, 10);
  EXPECT_EQ(form->Page->FindObject("Memo2")->Left, 30);
}

TEST_F(InspectorTest, EnumerationAndColourRowsChangeThroughTheirControls) {
  TvlView* memo = AddMemo("Memo1", 10, 10);
  memo->FillColor = 255;
  Open();
  Select({memo});
  TvlInspForm& insp = Inspector();
  EXPECT_EQ(insp.CB1->FaceText.toStdString(), "Memo1: TvlMemoView");
  EXPECT_EQ(Text("FillColor"), "clRed");

  Type("FillColor", "$00FF00");
  EXPECT_EQ(memo->FillColor, 0x00FF00u);
  EXPECT_EQ(Text("FillColor"), "clLime");

  // The double action steps an enumeration to its next name.
  ASSERT_TRUE(ClickRow("FrameStyle"));
  EXPECT_TRUE(insp.ComboBtn->isVisible());
  EXPECT_FALSE(insp.EditBtn->isVisible());
  QTest::mouseDClick(insp.Edit1, Qt::LeftButton);
  EXPECT_EQ(memo->FrameStyle, psDash);
  EXPECT_EQ(Text("FrameStyle"), "psDash");

  // The drop-down offers the names; picking one commits it.
  ASSERT_TRUE(ClickRow("FrameStyle"));
  insp.ComboBtn->Click();
  ASSERT_TRUE(insp.PopupList()->isVisible());
  EXPECT_EQ(insp.PopupList()->ListBox()->count(), 6);
  EXPECT_EQ(insp.PopupList()->ItemIndex(), 1);  // the current name
  insp.PopupList()->OnPick(4);
  EXPECT_EQ(memo->FrameStyle, psDashDotDot);

  // A colour's double action asks the colour dialog.
  auto saved = TvlInspForm::ChooseColour();
  TvlInspForm::ChooseColour() = [](QWidget*, std::uint32_t& c) {
    EXPECT_EQ(c, 0x00FF00u);
    c = 0x123456;
    return true;
  };
  ASSERT_TRUE(ClickRow("FillColor"));
  insp.DoubleAction();
  TvlInspForm::ChooseColour() = saved;
  EXPECT_EQ(memo->FillColor, 0x123456u);
  EXPECT_EQ(Text("FillColor"), "$123456");

  // The colour names drop down in rows a line of the inspector's text high.
  ASSERT_TRUE(ClickRow("FillColor"));
  insp.ComboBtn->Click();
  ASSERT_TRUE(insp.PopupList()->isVisible());
  QListWidget* names = insp.PopupList()->ListBox();
  EXPECT_EQ(names->count(), 42);
  EXPECT_GE(names->visualItemRect(names->item(0)).height(), QFontMetrics(insp.font()).height());
  insp.PopupList()->hide();
}

TEST_F(InspectorTest, AMemoAndAPictureListOnlyWhatBothDeclare) {
  TvlView* memo = AddMemo("Memo1", 10, 10);
  auto picture = std::make_unique<TvlPictureView>();
  picture->Name = "Picture1";
  picture->Left = 80;
  picture->Top = 10;
  picture->Width = 40;
  picture->Height = 40;
  TvlView* pic = picture.get();
  Report.Pages[0]->Objects.push_back(std::move(picture));
  Open();
  Select({memo});
  EXPECT_EQ(Text("Memo"), "(Memo)");
  EXPECT_TRUE(Inspector().Row(Inspector().RowIndexOf("Memo")).ReadOnly());
  EXPECT_NE(Text("WordWrap"), "<absent>");
  // "..." runs the property's editor on the object; Enter on the row too.
  std::vector<TvlView*> edited;
  vlDesignerDialogs().PropertyEditors["Memo"] = [&](TvlDesignerForm&, TvlView* view) {
    edited.push_back(view);
    return false;
  };
  ASSERT_TRUE(ClickRow("Memo"));
  ASSERT_TRUE(Inspector().EditBtn->isVisible());
  EXPECT_FALSE(Inspector().ComboBtn->isVisible());
  Inspector().EditBtn->Click();
  QTest::keyClick(Inspector().Edit1, Qt::Key_Return);
  EXPECT_EQ(edited, (std::vector<TvlView*>{memo, memo}));
  vlDesignerDialogs().PropertyEditors.erase("Highlight");
  ASSERT_TRUE(ClickRow("Highlight"));  // no editor installed: nothing happens
  Inspector().EditBtn->Click();
  Select({memo, pic});
  TvlInspForm& insp = Inspector();
  for (const char* gone : {"Memo", "WordWrap", "Picture", "Name", "Tag"}) EXPECT_EQ(insp.RowIndexOf(gone), -1) << gone;
  for (const char* kept : {"Left", "Top", "Visible", "FillColor", "Restrictions"})
    EXPECT_GE(insp.RowIndexOf(kept), 0) << kept;
  for (int i = 1; i < insp.RowCount(); ++i) EXPECT_LT(vlUpperCase(insp.RowName(i - 1)), vlUpperCase(insp.RowName(i)));
  EXPECT_TRUE(insp.ObjectName.empty());
  EXPECT_EQ(insp.CurrentObject, nullptr);
}

TEST_F(InspectorTest, DifferingValuesShowEmptyAndTypingSetsAll) {
  // Font sizes are for scripts only (kind 0); the text gaps show the same rule.
  auto* a = static_cast<TvlMemoView*>(AddMemo("Memo1", 10, 10));
  auto* b = static_cast<TvlMemoView*>(AddMemo("Memo2", 10, 40));
  a->GapX = 2;
  b->GapX = 5;
  Open();
  Select({a, b});
  EXPECT_EQ(Text("GapX"), "");
  Type("GapX", "12");
  EXPECT_EQ(a->GapX, 12);
  EXPECT_EQ(b->GapX, 12);
  EXPECT_EQ(Text("GapX"), "12");

  // A text that is not a number changes nothing and says why.
  Type("GapX", "abc");
  EXPECT_EQ(a->GapX, 12);
  ASSERT_FALSE(Messages.Messages.empty());
  EXPECT_EQ(Messages.Messages.back().Text, "'abc' is not a valid integer value");
  EXPECT_EQ(Text("GapX"), "12");
}

TEST_F(InspectorTest, SizesShowAndTakeTheDesignersUnit) {
  TvlView* memo = AddMemo("Memo1", 36, 10);
  Open();
  form->Options.Units = unMM;
  Select({memo});
  EXPECT_EQ(Text("Left"), "10.00");
  EXPECT_EQ(Inspector().Row(Inspector().RowIndexOf("Left")).Kind, ptFloat);
  Type("Left", "5");
  EXPECT_EQ(memo->Left, 18);
  EXPECT_EQ(Text("Left"), "5.00");
  form->Options.Units = unPixels;
  form->SelectionChanged();
  EXPECT_EQ(Text("Left"), "18");
  EXPECT_EQ(Inspector().Row(Inspector().RowIndexOf("Left")).Kind, ptInteger);
  // An object that may not move keeps its place; its size still changes.
  memo->Restrictions = rsDontMove;
  Type("Left", "40");
  Type("Width", "70");
  EXPECT_EQ(memo->Left, 18);
  EXPECT_EQ(memo->Width, 70);
  DesignRestrictions() = dsNoModifyObject;
  Type("Width", "90");
  EXPECT_EQ(memo->Width, 70);
}

TEST_F(InspectorTest, PositionsAndSizesOutsideTheirRangeAreRefused) {
  TvlView* memo = AddMemo("Memo1", 36, 10, 80, 20);
  Open();
  Select({memo});
  const struct {
    const char *Row, *Typed, *Message;
  } cases[] = {
      {"Height", "-50", "Height must lie between 0 and 32767 pixels"},
      {"Width", "-1", "Width must lie between 0 and 32767 pixels"},
      {"Width", "40000", "Width must lie between 0 and 32767 pixels"},
      {"Left", "-40000", "Left must lie between -32767 and 32767 pixels"},
      {"Height", "99999999999", "'99999999999' is not a valid integer value"},
      {"GapX", "-99999999999", "'-99999999999' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    Messages.Messages.clear();
    Type(c.Row, c.Typed);
    ASSERT_EQ(Messages.Messages.size(), 1u) << c.Row << " " << c.Typed;
    EXPECT_EQ(Messages.Messages[0].Text, c.Message);
    EXPECT_EQ(QRect(memo->Left, memo->Top, memo->Width, memo->Height), QRect(36, 10, 80, 20)) << c.Typed;
  }
  EXPECT_TRUE(form->UndoBuffers.UndoSteps.Empty()) << "a refused value records no step";
  Type("Height", "0");
  EXPECT_EQ(memo->Height, 0) << "the range's ends are taken";
}

TEST_F(InspectorTest, TheNameColumnFitsTheLongestName) {
  Open();
  form->ClearSelection();
  form->SelectionChanged();  // the page's rows: BottomMargin, OnBeforePrint ...
  TvlInspForm& insp = Inspector();
  const QFontMetrics metrics(insp.PaintBox1->font());
  for (int i = 0; i < insp.RowCount(); ++i)
    EXPECT_LT(metrics.horizontalAdvance(QString::fromStdString(insp.RowName(i))), insp.SplitPos()) << insp.RowName(i);
}

TEST_F(InspectorTest, PageTypeChangeAsksFirstAndNoKeepsEverything) {
  AddMemo("Memo1", 10, 10);
  Open();
  form->ClearSelection();
  form->SelectionChanged();
  TvlInspForm& insp = Inspector();
  EXPECT_EQ(insp.ObjectName, "Page1");
  EXPECT_EQ(insp.CurrentObject, form->Page);
  EXPECT_EQ(Text("Type"), "ptReport");
  Messages.Answers.push_back(TvlMsgResult::No);
  Type("Type", "ptDialog");
  ASSERT_EQ(Messages.Messages.size(), 1u);
  EXPECT_EQ(Messages.Messages[0].Text, "This will delete all objects on this page.");
  EXPECT_EQ(Messages.Messages[0].Caption, "Warning");
  EXPECT_EQ(Report.Pages[0]->PageType, ptReport);
  EXPECT_EQ(Report.Pages[0]->Objects.size(), 1u);
  EXPECT_EQ(Text("Type"), "ptReport");
  EXPECT_FALSE(Report.Modified);

  Messages.Answers.push_back(TvlMsgResult::Yes);
  Type("Type", "ptDialog");
  EXPECT_EQ(Report.Pages[0]->PageType, ptDialog);
  EXPECT_TRUE(Report.Pages[0]->Objects.empty());
  EXPECT_EQ(Text("Type"), "ptDialog");
  EXPECT_NE(Text("Caption"), "<absent>");  // the dialog page's own list
}

TEST_F(InspectorTest, RenamingKeepsNamesUniqueAndChildBandsFollow) {
  TvlView* memo = AddMemo("Memo1", 10, 10);
  AddMemo("Memo2", 10, 40);
  auto header = std::make_unique<TvlBandView>();
  header->Name = "Header";
  header->FrameTyp = btPageHeader;
  header->ChildBand = "Child1";
  auto child = std::make_unique<TvlBandView>();
  child->Name = "Child1";
  child->FrameTyp = btChild;
  TvlView* childBand = child.get();
  Report.Pages[0]->Objects.push_back(std::move(header));
  Report.Pages[0]->Objects.push_back(std::move(child));
  Open();
  Select({memo});
  Type("Name", "memo2");  // taken, whatever the case
  EXPECT_EQ(memo->Name, "Memo1");
  EXPECT_EQ(Text("Name"), "Memo1");
  Select({childBand});
  Type("Name", "Continued");
  EXPECT_EQ(childBand->Name, "Continued");
  EXPECT_EQ(static_cast<TvlBandView&>(*form->Page->FindObject("Header")).ChildBand, "Continued");
}

TEST_F(InspectorTest, WindowShowsWithF11CollapsesAndKeepsItsSettings) {
  Settings.WriteInteger(vlInspectorFormKey(), "SplitPos", 5);  // too narrow: read as 20, then widened to the names
  Open();
  TvlInspForm& insp = Inspector();
  EXPECT_GE(insp.SplitPos(), 20);
  EXPECT_EQ(insp.windowTitle().toStdString(), "Object inspector");
  form->Command("ToolBar.Inspector")->trigger();  // the menu item toggles
  EXPECT_FALSE(insp.isVisible());
  EXPECT_TRUE(form->HandleKey(Qt::Key_F11, Qt::NoModifier));
  EXPECT_TRUE(insp.isVisible());
  const int full = insp.height();
  QTest::mouseDClick(&insp, Qt::LeftButton, {}, insp.CaptionRect().center());
  EXPECT_TRUE(insp.Collapsed());
  EXPECT_FALSE(insp.Box->isVisible());
  form->HandleKey(Qt::Key_F11, Qt::NoModifier);  // shows and expands
  EXPECT_EQ(insp.height(), full);
  // Dragging the splitter moves the name column (never below 6 pixels).
  const int y = insp.RowRect(0).center().y();
  QTest::mousePress(insp.PaintBox1, Qt::LeftButton, {}, QPoint(insp.SplitPos(), y));
  QMouseEvent move(QEvent::MouseMove, QPointF(2, y), QPointF(insp.PaintBox1->mapToGlobal(QPoint(2, y))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(insp.PaintBox1, &move);
  QTest::mouseRelease(insp.PaintBox1, Qt::LeftButton, {}, QPoint(2, y));
  EXPECT_EQ(insp.SplitPos(), 6);
  insp.hide();
  form->done(2);
  EXPECT_FALSE(Settings.ReadBool(vlInspectorFormKey(), "isVisible", true));
  EXPECT_EQ(Settings.ReadInteger(vlInspectorFormKey(), "SplitPos", 0), 6);
}

// The DB fields window over the inspector's column: on each collapse or
// expand the two share the height of the design area, one above the other.
TEST_F(InspectorTest, TheFieldsWindowStacksWithTheInspector) {
  Open();
  TvlInspForm& insp = Inspector();
  insp.setGeometry(700, 200, 200, 300);
  form->Command("ToolBar.Fields")->trigger();
  TvlInsFieldsForm* fields = TvlInsFieldsForm::Instance();
  ASSERT_NE(fields, nullptr);
  fields->setGeometry(650, 400, 180, 150);
  fields->ToggleCollapsed();  // collapsed to its caption
  fields->ToggleCollapsed();  // expanded again: 150 high
  const QPoint area = form->ScrollArea()->mapToGlobal(QPoint(0, 0));
  const int span = form->ScrollArea()->height() - 2;
  // The inspector was higher up: it takes the top, the fields the bottom.
  EXPECT_EQ(insp.y(), area.y() - 1);
  EXPECT_EQ(fields->y(), area.y() - 1 + span - 150);
  EXPECT_EQ(insp.height(), span - 150);
  EXPECT_EQ(insp.x(), 700);
  EXPECT_EQ(fields->x(), 650);
  // Collapsed, the inspector keeps only its caption.
  QTest::mouseDClick(&insp, Qt::LeftButton, {}, insp.CaptionRect().center());
  EXPECT_EQ(insp.height(), 2 * TvlInspForm::kBorder + TvlInspForm::kCaptionHeight);
  // Apart from each other, nothing moves.
  fields->move(100, 100);
  fields->ToggleCollapsed();
  EXPECT_EQ(fields->pos(), QPoint(100, 100));
  fields->close();
}

}  // namespace
}  // namespace vl
