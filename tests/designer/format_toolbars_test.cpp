// The "Text" and "Rectangle" toolbars: every control on a selection of three
// objects, style bits kept per object, the controls following the selection,
// objects that do not qualify, bad numbers and the keyboard; the highlight
// and font commands.

#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "controls/color_selector.h"
#include "controls/flat_combo_box.h"
#include "controls/font_combo_box.h"
#include "controls/speed_button.h"
#include "designer/font_command.h"
#include "designer/format_toolbars.h"
#include "designer/highlight_dialog.h"
#include "tests/designer/designer_fixture.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

class FormatToolbarsTest : public DesignerTest {
 public:
  TvlFormatToolbars& Bars() {
    TvlFormatToolbars* bars = TvlFormatToolbars::Of(*form);
    EXPECT_NE(bars, nullptr);
    return *bars;
  }
  TvlMemoView& Memo(const char* name) { return static_cast<TvlMemoView&>(*form->Page->FindObject(name)); }
  void Press(const std::string& name) {
    TvlSpeedButton* b = Bars().Button(name);
    ASSERT_NE(b, nullptr) << name;
    ASSERT_TRUE(b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  // A colour button, then a colour of the picker.
  void PickColor(const std::string& button, int index) {
    Press(button);
    ASSERT_TRUE(Bars().Picker->isVisible());
    QTest::mouseClick(Bars().Picker->Button(index), Qt::LeftButton);
  }
  void EnterText(TvlComboBox* box, const QString& text) {
    box->setCurrentText(text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  }
  void SelectAll() {
    form->SelectAll();
    QApplication::processEvents();
  }
};

TEST_F(FormatToolbarsTest, EachControlChangesItsPropertyOnEveryObjectInOneUndoStep) {
  struct Case {
    const char* Control;
    std::function<void(FormatToolbarsTest&)> Act;
    std::function<std::string(const TvlMemoView&)> Get;
    std::string Expected;
  };
  auto frame = [](const TvlMemoView& m) { return std::to_string(m.FrameTyp); };
  auto align = [](const TvlMemoView& m) { return std::to_string(m.Alignment); };
  auto style = [](const TvlMemoView& m) { return std::to_string(m.Font.Style); };
  auto press = [](const char* name) { return [name](FormatToolbarsTest& t) { t.Press(name); }; };
  const Case cases[] = {
      {"FrB1", press("FrB1"), frame, "8"},
      {"FrB2", press("FrB2"), frame, "4"},
      {"FrB3", press("FrB3"), frame, "2"},
      {"FrB4", press("FrB4"), frame, "1"},
      {"FrB5", press("FrB5"), frame, "15"},
      {"ClB1", [](FormatToolbarsTest& t) { t.PickColor("ClB1", 13); },
       [](const TvlMemoView& m) { return std::to_string(m.FillColor); }, std::to_string(0xFF0000)},
      {"ClB2", [](FormatToolbarsTest& t) { t.PickColor("ClB2", 10); },
       [](const TvlMemoView& m) { return std::to_string(m.Font.Color); }, std::to_string(0x0000FF)},
      {"ClB3", [](FormatToolbarsTest& t) { t.PickColor("ClB3", 16); },
       [](const TvlMemoView& m) { return std::to_string(m.FrameColor); }, std::to_string(clNone)},
      {"C4", [](FormatToolbarsTest& t) { t.EnterText(t.Bars().FrameWidth, QStringLiteral("2,5")); },
       [](const TvlMemoView& m) { return std::to_string(m.FrameWidth); }, std::to_string(2.5f)},
      {"C2",
       [](FormatToolbarsTest& t) {
         t.Bars().FontName->setCurrentText(QStringLiteral("Courier New"));
         t.Bars().ApplyToolbarCommand(ftFontName);
       },
       [](const TvlMemoView& m) { return m.Font.Name; }, "Courier New"},
      {"C3", [](FormatToolbarsTest& t) { t.EnterText(t.Bars().FontSize, QStringLiteral("14")); },
       [](const TvlMemoView& m) { return std::to_string(m.Font.Size); }, "14"},
      {"FnB1", press("FnB1"), style, "2"},
      {"FnB2", press("FnB2"), style, "1"},
      {"FnB3", press("FnB3"), style, "4"},
      {"AlB2", press("AlB2"), align, "1"},
      {"AlB3", press("AlB3"), align, "2"},
      {"AlB8", press("AlB8"), align, "3"},
      {"AlB4", press("AlB4"), align, "4"},
      {"AlB5", press("AlB5"), align, "8"},
      {"AlB7", press("AlB7"), align, "16"},
      {"StB1",
       [](FormatToolbarsTest& t) {
         t.Press("StB1");
         ASSERT_TRUE(t.Bars().LineStyles->isVisible());
         t.Press("StyleB3");
       },
       [](const TvlMemoView& m) { return std::to_string(m.FrameStyle); }, "3"},
  };
  AddMemo("A", 10, 10);
  AddMemo("B", 10, 40);
  AddMemo("C", 10, 70);
  Open();
  const std::string before = Bytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Control);
    SelectAll();
    c.Act(*this);
    for (const char* name : {"A", "B", "C"}) EXPECT_EQ(c.Get(Memo(name)), c.Expected) << name;
    const std::string changed = Bytes();
    EXPECT_NE(changed, before);
    ASSERT_EQ(form->UndoBuffers.UndoSteps.Count(), 1u);
    form->Undo();
    EXPECT_EQ(Bytes(), before) << "one undo step takes the command back";
    EXPECT_TRUE(form->UndoBuffers.UndoSteps.Empty());
    form->UndoBuffers.Clear();
  }
  // The other properties stay: each command compared against a memo that got
  // only that property.
  SelectAll();
  Press("FrB1");
  TvlMemoView expected;
  expected.Name = "A";
  expected.Left = 10;
  expected.Top = 10;
  expected.Width = 40;
  expected.Height = 20;
  expected.FrameTyp = vlftTop;
  TvlStreamWriter a, b;
  Memo("A").SaveToStream(a);
  expected.SaveToStream(b);
  EXPECT_EQ(a.Bytes(), b.Bytes());
}

TEST_F(FormatToolbarsTest, BoldKeepsEachMemosOtherStyleBits) {
  AddMemo("Italic", 10, 10);
  AddMemo("Plain", 10, 40);
  Open();
  Memo("Italic").Font.Style = fsItalic;
  SelectAll();
  Press("FnB1");
  EXPECT_EQ(Memo("Italic").Font.Style, fsBold | fsItalic);
  EXPECT_EQ(Memo("Plain").Font.Style, fsBold);
  EXPECT_EQ(vlLastUsed().Font.Style, fsBold) << "the last memo processed gives the last-used style";
}

TEST_F(FormatToolbarsTest, ControlsFollowTheSelection) {
  AddMemo("Framed", 10, 10);
  AddMemo("Other", 10, 40);
  Open();
  TvlMemoView& m = Memo("Framed");
  m.FrameTyp = vlftTop | vlftBottom;
  m.FrameWidth = 1.5f;
  m.Alignment = vltaCenter | vltaDown;
  m.Font.Style = fsUnderline;
  form->SelectObject("Framed");
  TvlFormatToolbars& bars = Bars();
  auto down = [&](const char* name) { return bars.Button(name)->Down(); };
  EXPECT_TRUE(down("FrB1"));
  EXPECT_FALSE(down("FrB2"));
  EXPECT_TRUE(down("FrB3"));
  EXPECT_FALSE(down("FrB4"));
  EXPECT_EQ(bars.FrameWidth->currentText(), QStringLiteral("1,5"));
  EXPECT_TRUE(down("AlB3"));
  EXPECT_TRUE(down("AlB7"));
  EXPECT_TRUE(down("FnB3"));
  EXPECT_FALSE(down("FnB1"));
  EXPECT_EQ(bars.FontSize->currentText(), QStringLiteral("10"));
  Press("FrB5");
  for (const char* name : {"FrB1", "FrB2", "FrB3", "FrB4"}) EXPECT_TRUE(down(name)) << name;
  EXPECT_EQ(vlLastUsed().FrameLines, 15);

  // Several objects: neutral settings.
  SelectAll();
  for (const char* name : {"FrB1", "FrB2", "FrB3", "FrB4", "FnB3", "AlB4", "AlB5"}) EXPECT_FALSE(down(name)) << name;
  EXPECT_TRUE(down("AlB1"));
  EXPECT_EQ(bars.ButtonColor(ftFillColor), clBlack);
  EXPECT_EQ(bars.FrameWidth->currentText(), QStringLiteral("1"));
  EXPECT_TRUE(bars.FontSize->currentText().isEmpty());
  EXPECT_TRUE(bars.Button("FnB1")->isEnabled());

  // A band alone enables neither toolbar.
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->FrameTyp = btMasterData;
  form->Page->Objects.insert(form->Page->Objects.begin(), std::move(band));
  form->SelectObject("Band1");
  EXPECT_FALSE(bars.Button("FrB1")->isEnabled());
  EXPECT_FALSE(bars.Button("FnB1")->isEnabled());
}

TEST_F(FormatToolbarsTest, OnlyQualifyingObjectsChange) {
  AddMemo("Locked", 10, 10)->Restrictions = rsDontModify;
  AddMemo("Free", 10, 40);
  auto line = std::make_unique<TvlLineView>();
  line->Name = "Line1";
  line->Left = 10;
  line->Top = 80;
  line->Width = 100;
  Report.Pages[0]->Objects.push_back(std::move(line));
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->FrameTyp = btMasterData;
  band->Top = 120;
  band->Height = 30;
  Report.Pages[0]->Objects.insert(Report.Pages[0]->Objects.begin(), std::move(band));
  Open();
  SelectAll();
  Press("FnB1");  // text command: memos only
  EXPECT_EQ(Memo("Locked").Font.Style, 0);
  EXPECT_EQ(Memo("Free").Font.Style, fsBold);
  Press("FrB5");
  EXPECT_EQ(Memo("Locked").FrameTyp, vlftNone);
  EXPECT_EQ(Memo("Free").FrameTyp, 15);
  EXPECT_EQ(form->Page->FindObject("Line1")->FrameTyp, 15);
  EXPECT_EQ(form->Page->FindObject("Band1")->FrameTyp, btMasterData) << "a band keeps its type";
  EnterText(Bars().FrameWidth, QStringLiteral("3"));
  EXPECT_EQ(form->Page->FindObject("Line1")->FrameWidth, 3.0f);
  EXPECT_EQ(vlLastUsed().LineWidth, 3.0f) << "a line's width is the last-used line width";
  // Modifying restricted: nothing changes, nothing is asked.
  DesignRestrictions() = dsNoModifyObject;
  const std::string before = Bytes();
  EnterText(Bars().FrameWidth, QStringLiteral("x"));
  Bars().ApplyToolbarCommand(ftNoLines);
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(FormatToolbarsTest, ABoxThatHoldsNoNumberChangesNothing) {
  AddMemo("A", 10, 10);
  AddMemo("B", 10, 40);
  Open();
  SelectAll();
  const std::string before = Bytes();
  EnterText(Bars().FrameWidth, QStringLiteral("wide"));
  EnterText(Bars().FontSize, QStringLiteral("12pt"));
  EXPECT_EQ(Bytes(), before);
  EXPECT_TRUE(form->UndoBuffers.UndoSteps.Empty());
  ASSERT_EQ(Messages.Messages.size(), 2u);
  EXPECT_EQ(Messages.Messages[0].Text, "'wide' is not a valid floating point value");
  EXPECT_EQ(Messages.Messages[1].Text, "'12pt' is not a valid integer value");
}

TEST_F(FormatToolbarsTest, Keyboard) {
  AddMemo("A", 10, 10);
  Open();
  form->SelectObject("A");
  Key(Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(Memo("A").FrameWidth, 3.0f);
  EXPECT_EQ(Bars().FrameWidth->currentText(), QStringLiteral("3"));
  Key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(Memo("A").FrameTyp, 15);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Memo("A").FrameTyp, 0);
  Key(Qt::Key_B, Qt::ControlModifier);
  Key(Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(Memo("A").Font.Style, fsBold | fsItalic);
  Key(Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(Memo("A").Font.Style, fsItalic);
  EXPECT_EQ(form->UndoBuffers.UndoSteps.Count(), 6u);
}

TEST_F(FormatToolbarsTest, HighlightDialogGoesToEverySelectedMemo) {
  AddMemo("A", 10, 10);
  AddMemo("B", 10, 40);
  Open();
  Memo("B").HighlightFillColor = 0x00FF00;
  SelectAll();
  bool otherKeptNone = false;
  test::WhenShown<TvlHilightForm>([&](TvlHilightForm& d) {
    EXPECT_TRUE(d.OtherRB->isChecked()) << "the topmost memo has a background";
    d.SetCondition("[Qty] > 2");
    d.BoldCB->setChecked(false);
    d.UnderlineCB->setChecked(true);
    // Transparent, then Other without picking: the background stays none.
    d.TransparentRB->click();
    EXPECT_FALSE(d.FillColorBtn->isEnabled());
    d.OtherRB->click();
    EXPECT_TRUE(d.FillColorBtn->isEnabled());
    otherKeptNone = d.FillColor == clNone;
    d.ChooseColor = [](QWidget*, TvlColor& c) {
      c = 0x0000FF;
      return true;
    };
    d.FontColorBtn->click();
    d.accept();
  });
  ASSERT_TRUE(vlDesignerDialogs().PropertyEditors["Highlight"](*form, nullptr));
  EXPECT_TRUE(otherKeptNone);
  for (const char* name : {"A", "B"}) {
    const TvlMemoView& m = Memo(name);
    EXPECT_EQ(m.HighlightCondition, "[Qty] > 2") << name;
    EXPECT_EQ(m.HighlightStyle, fsUnderline) << name;
    EXPECT_EQ(m.HighlightFontColor, 0x0000FFu) << name;
    EXPECT_EQ(m.HighlightFillColor, clNone) << name;
  }
  form->Undo();
  EXPECT_TRUE(Memo("A").HighlightCondition.empty());
  EXPECT_EQ(Memo("B").HighlightFillColor, 0x00FF00u);
}

TEST_F(FormatToolbarsTest, FontDialogCopiesOnlyWhatChanged) {
  AddMemo("A", 10, 10);
  AddMemo("B", 10, 40);
  Open();
  Memo("A").Font.Style = fsBold;
  Memo("B").Font = TvlFont{"Times New Roman", 12, 0, clBlack, 1};
  SelectAll();
  const auto saved = vlFontDialog();
  TvlFont seen;
  vlFontDialog() = [&](QWidget*, TvlFont& f) {
    seen = f;
    f.Size = 16;
    return true;
  };
  EXPECT_TRUE(vlDesignerDialogs().PropertyEditors["Font"](*form, nullptr));
  vlFontDialog() = saved;
  EXPECT_EQ(seen.Name, "Times New Roman") << "the dialog starts from the topmost selected memo";
  EXPECT_EQ(Memo("A").Font.Name, "Arial");
  EXPECT_EQ(Memo("A").Font.Style, fsBold);
  EXPECT_EQ(Memo("A").Font.Size, 16);
  EXPECT_EQ(Memo("B").Font.Size, 16);
  form->Undo();
  EXPECT_EQ(Memo("A").Font.Size, 10);
}

TEST_F(FormatToolbarsTest, TheFontBoxAndTheHighlightButtonOpenTheirEditors) {
  AddMemo("A", 10, 10);
  Open();
  form->SelectObject("A");
  std::vector<std::string> opened;
  for (const char* name : {"Font", "Highlight"})
    vlDesignerDialogs().PropertyEditors[name] = [&opened, name](TvlDesignerForm&, TvlView* view) {
      EXPECT_EQ(view, nullptr);
      opened.push_back(name);
      return false;
    };
  QTest::mouseDClick(Bars().FontName->lineEdit(), Qt::LeftButton);
  Press("HlB1");
  EXPECT_EQ(opened, (std::vector<std::string>{"Font", "Highlight"}));
}

TEST_F(FormatToolbarsTest, EnterInTheSizeAndWidthBoxesOnlyAppliesTheValue) {
  AddMemo("A", 10, 10);
  Open();
  form->SelectAll();
  QApplication::processEvents();
  ASSERT_EQ(form->SelectionCount(), 1);
  // The key reaches the box itself (as with the focus in it) or its line edit.
  for (QWidget* target : {static_cast<QWidget*>(Bars().FontSize), static_cast<QWidget*>(Bars().FontSize->lineEdit())}) {
    Bars().FontSize->setCurrentText(QStringLiteral("14"));
    QTest::keyClick(target, Qt::Key_Return);
    EXPECT_EQ(Memo("A").Font.Size, 14);
    Memo("A").Font.Size = 10;
  }
  Bars().FrameWidth->setCurrentText(QStringLiteral("3"));
  QTest::keyClick(Bars().FrameWidth, Qt::Key_Enter);
  EXPECT_EQ(Memo("A").FrameWidth, 3.0f);
  EXPECT_EQ(EditorsOpened, 0) << "Enter applied the value and opened no editor";
}

TEST_F(FormatToolbarsTest, WithNothingSelectedTheFontBoxesShowTheDefaultFont) {
  Open();
  form->ClearSelection();
  form->SelectionChanged();
  const TvlFont& font = vlLastUsed().Font;
  ASSERT_FALSE(font.Name.empty());
  EXPECT_EQ(Bars().FontName->currentText().toStdString(), font.Name);
  EXPECT_EQ(Bars().FontSize->currentText(), QString::number(font.Size));
}

TEST_F(FormatToolbarsTest, TheFontDialogShowsAndKeepsTheViewsFamilyAndStyle) {
  TvlFont arial;
  arial.Name = "Arial";
  arial.Size = 10;
  arial.Style = fsBold;
  const QFont start = vlFontDialogStart(arial);
  EXPECT_EQ(start.family(), QStringLiteral("Liberation Sans")) << "the family it is drawn with, not the default";
  EXPECT_TRUE(start.bold());
  EXPECT_EQ(start.pointSize(), 10);
  // The platform dialog starts on it.
  QFontDialog dialog(start);
  EXPECT_EQ(dialog.currentFont().family(), start.family());
  EXPECT_TRUE(dialog.currentFont().bold());
  // OK after changing only the size: still Arial, still bold.
  QFont chosen = dialog.currentFont();
  chosen.setPointSize(12);
  TvlFont result = arial;
  vlTakeFontDialogChoice(chosen, result);
  EXPECT_EQ(result.Name, "Arial");
  EXPECT_EQ(result.Size, 12);
  EXPECT_EQ(result.Style, fsBold);
  // Another family chosen is taken as the dialog names it.
  chosen.setFamily(QStringLiteral("Liberation Serif"));
  chosen.setBold(false);
  vlTakeFontDialogChoice(chosen, result);
  EXPECT_EQ(result.Name, "Liberation Serif");
  EXPECT_EQ(result.Style, 0);
}

}  // namespace
}  // namespace vl
