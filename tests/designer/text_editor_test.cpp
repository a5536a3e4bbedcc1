// The text editor on a designer window: opening on a double click, storing
// text and script in one undo step, the empty-script rules of both window
// kinds, the compile check that keeps the window open at the error, the
// script-only window of bands, and the highlighting control's classes,
// search and keys.

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "controls/speed_button.h"
#include "controls/syntax_memo.h"
#include "designer/text_editor_form.h"
#include "engine/model/band_view.h"
#include "tests/designer/designer_fixture.h"
#include "tests/designer/dialogs_fixture.h"

namespace vl {
namespace {

using test::WhenShown;

class TextEditor : public DesignerTest {
 protected:
  TextEditor() { vlInstallTextEditor(); }

  // Opens the editor on a view and runs the action inside its modal loop;
  // a window the action left open is cancelled.
  template <class T>
  int Edit(TvlView& view, std::function<void(T&)> action) {
    WhenShown<T>([action](T& editor) {
      action(editor);
      if (editor.isVisible()) editor.reject();
    });
    return vlTextEditorOf(*form).EditObject(view);
  }
  TvlView* Find(const char* name) { return Report.Pages[0]->FindObject(name); }
};

std::vector<std::string> L(std::initializer_list<const char*> lines) { return {lines.begin(), lines.end()}; }

TEST_F(TextEditor, DoubleClickEditsTextAndScriptAsOneUndoStep) {
  TvlView* memo = AddMemo("Memo1", 40, 40, 100, 20);
  memo->Memo = L({"old"});
  Open();
  bool shown = false;
  WhenShown<TvlEditorForm>([&](TvlEditorForm& e) {
    shown = true;
    EXPECT_EQ(e.windowTitle(), "Text editor");
    EXPECT_EQ(e.M1->toPlainText(), "old");
    EXPECT_EQ(e.ScriptPane()->toPlainText(), "begin\n  \nend") << "an object without a script";
    EXPECT_TRUE(e.MemoPanel->isVisible());
    EXPECT_TRUE(e.ScriptPanel->isVisible());
    EXPECT_EQ(e.ActivePane(), e.M1);
    // Word wrap on while editing adds no line breaks to the text.
    QTest::mouseClick(e.WordWrapBtn, Qt::LeftButton);
    EXPECT_EQ(e.M1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    e.M1->setPlainText(QString("Hello ").repeated(40) + "\n[Date]");
    e.ScriptPane()->setPlainText("begin\n  Memo1.Visible := 1\nend");
    e.OkBtn->Click();
  });
  Click(QPoint(50, 45));
  Mouse(QEvent::MouseButtonDblClick, QPoint(50, 45));
  ASSERT_TRUE(shown);
  memo = Find("Memo1");
  ASSERT_EQ(memo->Memo.size(), 2u);
  EXPECT_EQ(memo->Memo[1], "[Date]");
  EXPECT_EQ(memo->Script, L({"begin", "  Memo1.Visible := 1", "end"}));
  EXPECT_TRUE(form->GetModified());

  form->Undo();
  memo = Find("Memo1");
  EXPECT_EQ(memo->Memo, L({"old"}));
  EXPECT_TRUE(memo->Script.empty());
  EXPECT_FALSE(form->Command("Undo")->isEnabled()) << "one step";

  // Esc cancels: nothing stored, no undo step.
  Edit<TvlEditorForm>(*memo, [](TvlEditorForm& e) {
    e.M1->setPlainText("changed");
    QTest::keyClick(e.M1, Qt::Key_Escape);
  });
  EXPECT_EQ(Find("Memo1")->Memo, L({"old"}));
  EXPECT_FALSE(form->Command("Undo")->isEnabled());
}

TEST_F(TextEditor, ScriptsThatSayNothingLeaveTheScriptEmpty) {
  struct Case {
    bool highlight;
    const char* script;
    bool stored;
  } cases[] = {
      {true, "begin\n  \nend", false},  {false, "begin\n  \nend", false}, {true, "BEGIN end", false},
      {false, "begin end", true},       {true, "  \n", false},           {false, "begin\n  x := 1\nend", true},
  };
  TvlView* memo = AddMemo("Memo1", 40, 40);
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.highlight ? "highlighting: " : "plain: ") + c.script);
    form->Options.SyntaxHighlight = c.highlight;
    memo->Script = L({"old"});
    const int result = Edit<TvlTextEditorBase>(*memo, [&](TvlTextEditorBase& e) {
      EXPECT_EQ(e.Highlighting(), c.highlight) << "the option chooses the window";
      e.ScriptPane()->setPlainText(c.script);
      e.OkBtn->Click();
    });
    EXPECT_EQ(result, TvlObjEditorForm::mrOk);
    EXPECT_EQ(memo->Script.empty(), !c.stored);
  }
}

TEST_F(TextEditor, ABrokenScriptKeepsTheWindowOpenAtTheError) {
  TvlView* memo = AddMemo("Memo1", 40, 40);
  Open();
  for (bool highlight : {true, false}) {
    SCOPED_TRACE(highlight ? "highlighting" : "plain");
    form->Options.SyntaxHighlight = highlight;
    memo->Script.clear();
    Edit<TvlTextEditorBase>(*memo, [&](TvlTextEditorBase& e) {
      e.ScriptPane()->setPlainText("begin\n  a := 1");
      QTest::keyClick(e.M1, Qt::Key_Return, Qt::ControlModifier);
      ASSERT_TRUE(e.isVisible()) << "Ctrl+Enter refused";
      e.OkBtn->Click();
      ASSERT_TRUE(e.isVisible()) << "OK refused";
      QString shown;
      if (auto* h = dynamic_cast<TvlEditorForm*>(&e))
        shown = h->ScriptMemo()->Message();
      else
        shown = static_cast<TvlEditorForm1&>(e).ErrorPanel->text().mid(1);
      EXPECT_EQ(shown, "Line 2/9: Need \";\" or \"end\" here");
      EXPECT_EQ(e.ActivePane(), e.ScriptPane());
      const QTextCursor caret = e.ScriptPane()->textCursor();
      EXPECT_EQ(caret.blockNumber(), 1);
      EXPECT_EQ(caret.positionInBlock(), 8) << "at the end of the text";
      e.ScriptPane()->appendPlainText("end");
      e.OkBtn->Click();
      EXPECT_FALSE(e.isVisible()) << "fixed";
    });
    EXPECT_EQ(memo->Script, L({"begin", "  a := 1", "end"}));
  }
}

TEST_F(TextEditor, ABandShowsOnlyItsScript) {
  auto band = std::make_unique<TvlBandView>();
  band->Name = "Band1";
  band->Typ = otBand;
  band->Memo = L({"kept"});
  TvlView& b = *band;
  Report.Pages.Add();
  Report.Pages[0]->Objects.push_back(std::move(band));
  Open();
  Edit<TvlEditorForm>(b, [](TvlEditorForm& e) {
    EXPECT_FALSE(e.MemoPanel->isVisible());
    EXPECT_FALSE(e.Splitter->isVisible());
    EXPECT_TRUE(e.ScriptPanel->isVisible());
    EXPECT_EQ(e.ScriptPanel->geometry().bottom(), e.rect().bottom()) << "the script fills the window";
    EXPECT_EQ(e.ActivePane(), e.ScriptPane());
    QTest::mouseClick(e.ScriptBtn, Qt::LeftButton);
    EXPECT_TRUE(e.ScriptBtn->Down()) << "Show/hide script cannot hide it";
    EXPECT_TRUE(e.ScriptPanel->isVisible());
    e.ScriptPane()->setPlainText("begin\n  x := 2\nend");
    e.OkBtn->Click();
  });
  EXPECT_EQ(b.Script, L({"begin", "  x := 2", "end"}));
  EXPECT_EQ(b.Memo, L({"kept"}));
}

TEST_F(TextEditor, InsertKeyAndButtonsInsertTheDesignersTexts) {
  TvlView* memo = AddMemo("Memo1", 40, 40);
  Open();
  vlDesignerDialogs().ChooseField = [](QWidget*, std::string& field) {
    field = "Orders.Qty";
    return true;
  };
  vlDesignerDialogs().BuildExpression = [](QWidget*, std::string& expression) {
    expression = "1+2";
    return true;
  };
  Edit<TvlEditorForm>(*memo, [](TvlEditorForm& e) {
    // The two buttons' letters are as large as the window's own text, and fit.
    for (TvlSpeedButton* b : {e.InsExprBtn, e.InsDBBtn}) {
      EXPECT_EQ(QFontInfo(b->font()).pixelSize(), QFontInfo(e.font()).pixelSize()) << b->objectName().toStdString();
      EXPECT_LE(b->fontMetrics().horizontalAdvance(b->Caption()), b->width() - 4) << b->Caption().toStdString();
    }
    EXPECT_EQ(e.InsExprBtn->Caption(), "fx");
    EXPECT_EQ(e.InsDBBtn->Caption(), "DB");
    QTest::keyClick(e.M1, Qt::Key_Insert);
    e.InsExprBtn->Click();
    e.OkBtn->Click();
  });
  EXPECT_EQ(memo->Memo, L({"[Orders.Qty][1+2]"}));
  // A read-only text pane takes nothing.
  memo->Restrictions = rsDontEditMemo;
  Edit<TvlEditorForm>(*memo, [](TvlEditorForm& e) {
    QTest::keyClick(e.M1, Qt::Key_Insert);
    QTest::keyClicks(e.M1, "x");
    e.OkBtn->Click();
  });
  EXPECT_EQ(memo->Memo, L({"[Orders.Qty][1+2]"}));
}

TEST_F(TextEditor, SplitterAndScriptPaneAreRemembered) {
  TvlView* memo = AddMemo("Memo1", 40, 40);
  Open();
  memo->Selected = 1;
  int dragged = 0;
  WhenShown<TvlEditorForm>([&](TvlEditorForm& e) {
    const int before = e.ScriptPanel->height();
    // Dragging the bar 30 pixels up makes the script pane 30 pixels taller.
    QWidget* bar = e.Splitter;
    const QPoint at = bar->mapToGlobal(QPoint(5, 1));
    auto send = [bar](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
      QMouseEvent m(type, QPointF(bar->mapFromGlobal(global)), QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
      QApplication::sendEvent(bar, &m);
    };
    send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    send(QEvent::MouseMove, at - QPoint(0, 30), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at - QPoint(0, 30), Qt::NoButton);
    dragged = e.ScriptPanel->height();
    EXPECT_EQ(dragged, before + 30);
    QTest::mouseClick(e.ScriptBtn, Qt::LeftButton);
    EXPECT_FALSE(e.ScriptPanel->isVisible());
    e.reject();
  });
  // The inspector's button opens it on the selected object.
  EXPECT_FALSE(vlDesignerDialogs().PropertyEditors["Memo"](*form, nullptr)) << "cancelled";
  EXPECT_EQ(Settings.ReadInteger(vlDesignerFormKey(), "SplitterPos", -1), form->Options.SplitterPos);
  Edit<TvlEditorForm>(*memo, [&](TvlEditorForm& e) {
    EXPECT_FALSE(e.ScriptBtn->Down()) << "hidden stays hidden";
    QTest::mouseClick(e.ScriptBtn, Qt::LeftButton);
    EXPECT_EQ(e.ScriptPanel->height(), dragged);
  });
}

// ---- The highlighting control ----

// The class the document's formats give the character at (line, column), 0-based.
TvlSyntaxClass ClassAt(const QPlainTextEdit& edit, int line, int column) {
  const QTextBlock block = edit.document()->findBlockByNumber(line);
  for (const QTextLayout::FormatRange& r : block.layout()->formats())
    if (column >= r.start && column < r.start + r.length) {
      if (r.format.fontItalic()) return scComment;
      if (r.format.fontWeight() == QFont::Bold) return scKeyword;
      if (r.format.foreground().color() == QColor(0, 0, 0x80)) return scString;
    }
  return scText;
}

TEST(SyntaxMemo, HighlightingMarksKeywordsStringsAndComments) {
  TvlSyntaxMemo memo;
  memo.SetLines(L({"begin // note", "  s := 'it''s'; { open", "  still } If x then (* c *) y := 1", "end"}));
  struct Case {
    int line, column;
    TvlSyntaxClass cls;
  } cases[] = {
      {0, 0, scKeyword}, {0, 4, scKeyword},  {0, 6, scComment},  {0, 12, scComment}, {1, 2, scText},
      {1, 7, scString},  {1, 10, scString},  {1, 16, scComment}, {2, 2, scComment},  {2, 8, scComment},
      {2, 10, scKeyword}, {2, 13, scText},   {2, 15, scKeyword}, {2, 20, scComment}, {2, 28, scText},
      {3, 0, scKeyword},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassAt(memo, c.line, c.column), c.cls) << "line " << c.line << " column " << c.column;

  // The other syntaxes, through the classifier.
  struct Line {
    TSyntaxType type;
    const char* text;
    const char* classes;  // per character: . none, t text, c comment, k keyword, s string
  } lines[] = {
      {stCpp, "int x = \"a\"; // c", "kkk.t.t.ssst.cccc"},
      {stSQL, "select \"n\" -- c", "kkkkkk.sss.cccc"},
      {stSQL, "from /* c */ t", "kkkk.ccccccc.t"},
      {stText, "begin 'x'", "ttttt.ttt"},
  };
  for (const Line& l : lines) {
    int state = 0;
    const std::vector<std::uint8_t> got = vlClassifySyntaxLine(QString::fromLatin1(l.text), l.type, state);
    std::string s;
    for (std::uint8_t c : got) s += c == scText ? 't' : c == scComment ? 'c' : c == scKeyword ? 'k' : c == scString ? 's' : '.';
    EXPECT_EQ(s, l.classes) << l.text;
  }
}

TEST(SyntaxMemo, SearchStartsOnTheNextLineAndIgnoresCase) {
  TvlSyntaxMemo memo;
  memo.SetLines(L({"abc here", "xyz", "more ABC"}));
  memo.SearchText = "abc";
  EXPECT_TRUE(memo.FindNext());
  EXPECT_EQ(memo.CaretLine(), 3);
  EXPECT_EQ(memo.CaretColumn(), 6);
  // Only the caret's own line holds it now.
  EXPECT_FALSE(memo.FindNext());
  EXPECT_EQ(memo.Message(), "Text \"abc\" not found.");
  EXPECT_EQ(memo.FooterText(), memo.Message());
  QTest::keyClick(&memo, Qt::Key_Home);
  EXPECT_EQ(memo.FooterText(), "3 : 1    ") << "a key clears the message";

  // Ctrl+F asks for the text; F3 searches again.
  memo.SetCaretPos(1, 1);
  memo.AskSearchText = [](QWidget*, QString& text) {
    text = "XY";
    return true;
  };
  QTest::keyClick(&memo, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(memo.CaretLine(), 2);
  QTest::keyClick(&memo, Qt::Key_F3);
  EXPECT_EQ(memo.Message(), "Text \"XY\" not found.");
}

TEST(SyntaxMemo, EditingKeys) {
  TvlSyntaxMemo memo;
  auto text = [&] { return memo.toPlainText().toStdString(); };
  // Ctrl+I / Ctrl+U indent and unindent the selected lines.
  memo.SetLines(L({"a", "   b", "c"}));
  memo.selectAll();
  QTest::keyClick(&memo, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(text(), "  a\n     b\n  c");
  QTest::keyClick(&memo, Qt::Key_U, Qt::ControlModifier);
  QTest::keyClick(&memo, Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(text(), "a\n   b\nc") << "limited by the least indented line";
  // Ctrl+Y deletes the line; the last line is emptied.
  memo.SetCaretPos(1, 2);
  QTest::keyClick(&memo, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(text(), "a\nc");
  memo.SetCaretPos(1, 2);
  QTest::keyClick(&memo, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(text(), "a\n");
  // Tab lines up with the next word of the nearest longer line above.
  memo.SetLines(L({"if x then", "  y", ""}));
  memo.SetCaretPos(1, 3);
  QTest::keyClick(&memo, Qt::Key_Tab);
  EXPECT_EQ(memo.CaretColumn(), 3);
  // Backspace at the first non-blank character goes back one level.
  memo.SetLines(L({"begin", "  if x then", "      y"}));
  memo.SetCaretPos(7, 3);
  QTest::keyClick(&memo, Qt::Key_Backspace);
  EXPECT_EQ(text(), "begin\n  if x then\n  y");
  // Bookmarks: Ctrl+Shift+n sets (and clears), Ctrl+n goes there.
  memo.SetCaretPos(1, 2);
  QTest::keyClick(&memo, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(memo.Bookmark(3), 1);
  memo.SetCaretPos(1, 3);
  QTest::keyClick(&memo, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(memo.CaretLine(), 2);
  QTest::keyClick(&memo, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(memo.Bookmark(3), -1);
  // Read-only: no edits.
  memo.setReadOnly(true);
  QTest::keyClick(&memo, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(text(), "begin\n  if x then\n  y");
}

}  // namespace
}  // namespace vl
