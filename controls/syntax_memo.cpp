#include "controls/syntax_memo.h"

#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/core/string_table.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

QString Str(int id) { return vlToQt(vlLoadStr(id)); }

// The parts drawn around the text, painted by the memo.
class TMemoMargin : public QWidget {
 public:
  TMemoMargin(TvlSyntaxMemo* memo, bool gutter) : QWidget(memo), memo_(memo), gutter_(gutter) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (gutter_)
      memo_->PaintGutter(event);
    else
      memo_->PaintFooter(event);
  }

 private:
  TvlSyntaxMemo* memo_;
  bool gutter_;
};

// The search question: "Search", "Text to find", Search and Cancel.
bool AskWithDialog(QWidget* owner, QString& text) {
  QDialog dialog(owner);
  dialog.setObjectName("TSynMemoSearch");
  dialog.setWindowTitle(Str(57400));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(Str(57401), &dialog);
  auto* edit = new QLineEdit(text, &dialog);
  edit->setObjectName("SearchEdit");
  edit->selectAll();
  label->setBuddy(edit);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* search = buttons->addButton(Str(57400), QDialogButtonBox::AcceptRole);
  search->setDefault(true);
  buttons->addButton(Str(55001), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(label);
  layout->addWidget(edit);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  text = edit->text();
  return true;
}

int LeadingBlanks(const QString& s) {
  int n = 0;
  while (n < s.size() && s[n] == QLatin1Char(' ')) ++n;
  return n;
}

// Ctrl+digit and Ctrl+Shift+digit: the digit, also when the keyboard gives
// the shifted symbol of the digit key; -1 for other keys.
int BookmarkDigit(const QKeyEvent& e) {
  const int key = e.key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
  static const QString shifted = QStringLiteral(")!@#$%^&*(");
  const QString text = QKeySequence(key).toString();
  if (text.size() == 1) {
    const qsizetype at = shifted.indexOf(text[0]);
    if (at >= 0) return static_cast<int>(at);
  }
  return -1;
}

}  // namespace

std::vector<std::string> vlEditLines(const QPlainTextEdit& edit) {
  std::vector<std::string> lines;
  for (QTextBlock b = edit.document()->begin(); b.isValid(); b = b.next()) lines.push_back(vlFromQt(b.text()));
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

void vlSetEditLines(QPlainTextEdit& edit, const std::vector<std::string>& lines) {
  QString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += QLatin1Char('\n');
    text += vlToQt(lines[i]);
  }
  edit.setPlainText(text);
}

void vlSetEditCaret(QPlainTextEdit& edit, int column, int line) {
  QTextDocument* doc = edit.document();
  const int l = std::clamp(line, 1, doc->blockCount());
  const QTextBlock block = doc->findBlockByNumber(l - 1);
  const int c = std::clamp(column, 1, block.length());
  QTextCursor cursor(block);
  cursor.setPosition(block.position() + c - 1);
  edit.setTextCursor(cursor);
  edit.ensureCursorVisible();
}

TvlSyntaxMemo::TvlSyntaxMemo(QWidget* parent)
    : QPlainTextEdit(parent),
      highlighter_(new TvlSyntaxHighlighter(document(), stPascal)),
      gutter_(new TMemoMargin(this, true)),
      footer_(new TMemoMargin(this, false)) {
  bookmarks_.fill(-1);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(false);
  gutter_->setObjectName("Gutter");
  footer_->setObjectName("Footer");
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    gutter_->update();
    footer_->update();
  });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy) gutter_->scroll(0, dy);
    else gutter_->update(0, rect.y(), gutter_->width(), rect.height());
  });
  PlaceMargins();
}

void TvlSyntaxMemo::SetLines(const std::vector<std::string>& lines) {
  vlSetEditLines(*this, lines);
  SetCaretPos(1, 1);
}

int TvlSyntaxMemo::CaretColumn() const { return textCursor().positionInBlock() + 1; }
int TvlSyntaxMemo::CaretLine() const { return textCursor().blockNumber() + 1; }

void TvlSyntaxMemo::InsertText(const QString& text) {
  if (isReadOnly()) return;
  textCursor().insertText(text);
}

void TvlSyntaxMemo::SetMessage(const QString& message) {
  message_ = message;
  footer_->update();
}

QString TvlSyntaxMemo::FooterText() const {
  if (!message_.isEmpty()) return message_;
  return QString::number(CaretLine()) + QStringLiteral(" : ") + QString::number(CaretColumn()) +
         QStringLiteral("    ");
}

bool TvlSyntaxMemo::IsCourierNew() const { return QFontInfo(font()).family() == QStringLiteral("Courier New"); }

// ---- Bookmarks ----

void TvlSyntaxMemo::ToggleBookmark(int n) {
  if (n < 0 || n > 9) return;
  int& mark = bookmarks_[static_cast<std::size_t>(n)];
  const int line = textCursor().blockNumber();
  mark = mark == line ? -1 : line;
  gutter_->update();
}

void TvlSyntaxMemo::GotoBookmark(int n) {
  const int line = Bookmark(n);
  if (line < 0 || line >= document()->blockCount()) return;
  SetCaretPos(1, line + 1);
}

// ---- Search ----

bool TvlSyntaxMemo::FindNext() {
  if (SearchText.isEmpty() || document()->blockCount() < 2) return false;
  for (QTextBlock b = textCursor().block().next(); b.isValid(); b = b.next()) {
    const qsizetype at = b.text().indexOf(SearchText, 0, Qt::CaseInsensitive);
    if (at >= 0) {
      SetCaretPos(static_cast<int>(at) + 1, b.blockNumber() + 1);
      return true;
    }
  }
  SetMessage(Str(57402) + QStringLiteral(" \"") + SearchText + QStringLiteral("\" ") + Str(57403));
  return false;
}

void TvlSyntaxMemo::Search() {
  QString text = SearchText;
  const auto& ask = AskSearchText ? AskSearchText : AskWithDialog;
  if (!ask(this, text) || text.isEmpty()) return;
  SearchText = text;
  FindNext();
}

// ---- Editing commands ----

void TvlSyntaxMemo::DeleteLine() {
  if (isReadOnly()) return;
  QTextCursor c = textCursor();
  QTextBlock block = c.block();
  c.beginEditBlock();
  c.setPosition(block.position());
  if (block.next().isValid())
    c.setPosition(block.next().position(), QTextCursor::KeepAnchor);
  else
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  c.removeSelectedText();
  c.endEditBlock();
  setTextCursor(c);
}

void TvlSyntaxMemo::IndentSelection(bool indent) {
  QTextCursor c = textCursor();
  if (isReadOnly() || !c.hasSelection()) return;
  QTextDocument* doc = document();
  const QTextBlock first = doc->findBlock(c.selectionStart());
  QTextBlock last = doc->findBlock(c.selectionEnd());
  // A selection that ends at the start of a line leaves that line alone.
  if (last != first && c.selectionEnd() == last.position()) last = last.previous();
  int remove = 2;
  if (!indent)
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
      if (!b.text().trimmed().isEmpty()) remove = std::min(remove, LeadingBlanks(b.text()));
      if (b == last) break;
    }
  if (!indent && remove == 0) return;
  c.beginEditBlock();
  for (QTextBlock b = first; b.isValid(); b = b.next()) {
    QTextCursor e(b);
    if (indent) {
      e.insertText(QStringLiteral("  "));
    } else {
      const int n = std::min(remove, LeadingBlanks(b.text()));
      e.setPosition(b.position() + n, QTextCursor::KeepAnchor);
      e.removeSelectedText();
    }
    if (b == last) break;
  }
  c.endEditBlock();
  // The changed lines stay selected.
  QTextCursor s(doc);
  s.setPosition(first.position());
  s.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
  setTextCursor(s);
}

void TvlSyntaxMemo::TabToNextWord() {
  if (isReadOnly()) return;
  QTextCursor c = textCursor();
  const int column = c.positionInBlock();
  for (QTextBlock b = c.block().previous(); b.isValid(); b = b.previous()) {
    const QString line = b.text();
    if (line.size() <= column) continue;
    // The nearest longer line decides alone: the word after the caret's column.
    int p = column;
    while (p < line.size() && line[p] != QLatin1Char(' ')) ++p;
    while (p < line.size() && line[p] == QLatin1Char(' ')) ++p;
    if (p < line.size() && p > column) c.insertText(QString(p - column, QLatin1Char(' ')));
    return;
  }
}

bool TvlSyntaxMemo::BackspaceUnindent() {
  QTextCursor c = textCursor();
  if (isReadOnly() || c.hasSelection()) return false;
  const int column = c.positionInBlock();
  const QString line = c.block().text();
  if (column == 0 || LeadingBlanks(line) != column || column >= line.size()) return false;
  // The previous level: the indentation of the nearest line above that is
  // indented less than the caret.
  int level = 0;
  for (QTextBlock b = c.block().previous(); b.isValid(); b = b.previous()) {
    if (b.text().trimmed().isEmpty()) continue;
    const int indent = LeadingBlanks(b.text());
    if (indent < column) {
      level = indent;
      break;
    }
  }
  c.setPosition(c.block().position() + level, QTextCursor::KeepAnchor);
  c.removeSelectedText();
  setTextCursor(c);
  return true;
}

// ---- Keys ----

void TvlSyntaxMemo::keyPressEvent(QKeyEvent* e) {
  const bool modifierOnly = e->key() == Qt::Key_Shift || e->key() == Qt::Key_Control || e->key() == Qt::Key_Alt ||
                            e->key() == Qt::Key_Meta;
  if (!message_.isEmpty() && !modifierOnly) SetMessage(QString());
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  const bool ctrl = mods & Qt::ControlModifier, shift = mods & Qt::ShiftModifier;
  const int key = e->key();
  if (ctrl && !(mods & Qt::AltModifier)) {
    if (const int digit = BookmarkDigit(*e); digit >= 0) {
      shift ? ToggleBookmark(digit) : GotoBookmark(digit);
      return;
    }
  }
  if (mods == Qt::ControlModifier) {
    switch (key) {
      case Qt::Key_Y: DeleteLine(); return;
      case Qt::Key_I: IndentSelection(true); return;
      case Qt::Key_U: IndentSelection(false); return;
      case Qt::Key_F: Search(); return;
      case Qt::Key_Insert: copy(); return;
      default: break;
    }
  }
  if (mods == Qt::NoModifier && key == Qt::Key_F3) {
    FindNext();
    return;
  }
  if (mods == Qt::NoModifier && key == Qt::Key_Tab) {
    TabToNextWord();
    return;
  }
  if (mods == Qt::NoModifier && key == Qt::Key_Backspace && BackspaceUnindent()) return;
  if (mods == Qt::ShiftModifier && key == Qt::Key_Insert) {
    if (!isReadOnly()) paste();
    return;
  }
  if (mods == Qt::ShiftModifier && key == Qt::Key_Delete) {
    if (!isReadOnly()) cut();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void TvlSyntaxMemo::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(Str(57024), this, &QPlainTextEdit::cut)->setEnabled(!isReadOnly() && textCursor().hasSelection());
  menu.addAction(Str(57025), this, &QPlainTextEdit::copy)->setEnabled(textCursor().hasSelection());
  menu.addAction(Str(57026), this, &QPlainTextEdit::paste)->setEnabled(!isReadOnly() && canPaste());
  menu.exec(event->globalPos());
}

// ---- Gutter and footer ----

QFont TvlSyntaxMemo::FooterFont(bool bold) const {
  QFont f(QStringLiteral("Tahoma"));
  f.setPointSize(8);
  f.setBold(bold);
  return f;
}

int TvlSyntaxMemo::FooterHeight() const { return QFontMetrics(FooterFont(true)).height() + 4; }

void TvlSyntaxMemo::PlaceMargins() {
  setViewportMargins(GutterWidth(), 0, 0, FooterHeight());
  const QRect r = contentsRect();
  gutter_->setGeometry(r.left(), r.top(), GutterWidth(), r.height() - FooterHeight());
  footer_->setGeometry(r.left(), r.bottom() + 1 - FooterHeight(), r.width(), FooterHeight());
}

void TvlSyntaxMemo::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  PlaceMargins();
}

void TvlSyntaxMemo::PaintGutter(QPaintEvent*) {
  QPainter p(gutter_);
  const QPalette& pal = palette();
  p.fillRect(gutter_->rect(), pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(gutter_->width() - 1, 0, gutter_->width() - 1, gutter_->height());
  const int caretLine = textCursor().blockNumber();
  QFont small = font();
  small.setPointSize(7);
  small.setBold(true);
  p.setFont(small);
  for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
    const QRectF box = blockBoundingGeometry(b).translated(contentOffset());
    if (box.top() > gutter_->height()) break;
    const int line = b.blockNumber();
    const int h = std::max(1, int(box.height()));
    const int top = int(box.top());
    if (line == caretLine) {
      p.setPen(Qt::darkRed);
      p.setBrush(Qt::red);
      const int d = std::min(8, h - 2);
      p.drawEllipse(QRect(3, top + (h - d) / 2, d, d));
    }
    for (int n = 0; n < 10; ++n)
      if (bookmarks_[static_cast<std::size_t>(n)] == line) {
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(QRect(11, top, gutter_->width() - 12, h), Qt::AlignCenter, QString::number(n));
      }
  }
}

void TvlSyntaxMemo::PaintFooter(QPaintEvent*) {
  QPainter p(footer_);
  const QPalette& pal = palette();
  const QRect r = footer_->rect();
  if (!message_.isEmpty()) {
    p.fillRect(r, QColor(0x80, 0x00, 0x00));
    p.setPen(Qt::white);
    p.setFont(FooterFont(true));
    p.drawText(r.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, message_);
    return;
  }
  p.fillRect(r, pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Light));
  p.drawLine(r.left(), r.top(), r.right(), r.top());
  p.setPen(pal.color(QPalette::ButtonText));
  p.setFont(FooterFont(false));
  p.drawText(r.adjusted(GutterWidth() + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, FooterText());
}

}  // namespace vl
