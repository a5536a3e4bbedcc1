#pragma once
// TvlSyntaxMemo: the highlighting edit control of scripts. A plain text
// editor whose characters take the look of their syntax class, with a gutter
// (bookmarks, the caret line's marker), a footer showing "line : column" or
// a message, and the keys of a programmer's editor: Ctrl+Y deletes a line,
// Ctrl+I / Ctrl+U indent or unindent the selected lines, Tab lines up with
// the words of the line above, Backspace steps back one indentation level,
// Ctrl+F / F3 search, Ctrl+0..9 go to and Ctrl+Shift+0..9 set bookmarks.

#include <QPlainTextEdit>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controls/syntax_highlighter.h"

namespace vl {

// The lines of a plain text editor as engine texts; a final empty line (the
// text ending in a line break, or no text at all) is not a line of its own.
std::vector<std::string> vlEditLines(const QPlainTextEdit& edit);
// Replaces the text (this empties the editor's undo list).
void vlSetEditLines(QPlainTextEdit& edit, const std::vector<std::string>& lines);
// Puts the caret at a 1-based column and line, kept inside the text.
void vlSetEditCaret(QPlainTextEdit& edit, int column, int line);

class TvlSyntaxMemo : public QPlainTextEdit {
 public:
  explicit TvlSyntaxMemo(QWidget* parent = nullptr);

  std::vector<std::string> Lines() const { return vlEditLines(*this); }
  // Sets the text; the caret goes to (1, 1).
  void SetLines(const std::vector<std::string>& lines);
  TSyntaxType SyntaxType() const { return highlighter_->SyntaxType(); }
  void SetSyntaxType(TSyntaxType type) { highlighter_->SetSyntaxType(type); }
  // Caret position, both from 1.
  int CaretColumn() const;
  int CaretLine() const;
  void SetCaretPos(int column, int line) { vlSetEditCaret(*this, column, line); }
  // Inserts at the caret, replacing a selection (nothing when read-only).
  void InsertText(const QString& text);
  // The footer's message (white on maroon); empty shows the caret position.
  QString Message() const { return message_; }
  void SetMessage(const QString& message);
  // What the footer shows now.
  QString FooterText() const;
  // Whether the font in use is "Courier New" (the control is meant for a
  // fixed-pitch font).
  bool IsCourierNew() const;

  // Bookmarks 0..9: the 0-based line, -1 when unset.
  int Bookmark(int n) const { return n >= 0 && n < 10 ? bookmarks_[static_cast<std::size_t>(n)] : -1; }
  void ToggleBookmark(int n);
  void GotoBookmark(int n);

  // Searches the lines after the caret's line for the remembered text,
  // ignoring case; the caret moves to the match, or the message tells it
  // was not found.
  QString SearchText;
  bool FindNext();
  // Asks for the text to find (the "Search" dialog) and searches for it.
  void Search();
  // The question the search asks; tests answer it. Default: the dialog.
  std::function<bool(QWidget* owner, QString& text)> AskSearchText;

  // Editing commands of the key table (nothing when read-only).
  void DeleteLine();
  void IndentSelection(bool indent);
  void TabToNextWord();
  // Backspace at the first non-blank character of a line: back to the
  // previous indentation level. False when the caret is elsewhere.
  bool BackspaceUnindent();

  // Widths of the parts drawn around the text.
  int GutterWidth() const { return 22; }
  int FooterHeight() const;
  void PaintGutter(QPaintEvent* event);
  void PaintFooter(QPaintEvent* event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void PlaceMargins();
  QFont FooterFont(bool bold) const;

  TvlSyntaxHighlighter* highlighter_;
  QWidget* gutter_;
  QWidget* footer_;
  QString message_;
  std::array<int, 10> bookmarks_;
};

}  // namespace vl
