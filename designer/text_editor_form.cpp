// The text editor's window shared by both kinds: toolbar, text pane,
// splitter and script pane, the edit cycle of one object and the compile
// check of OK.

#include "designer/text_editor_form.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/placement.h"
#include "controls/speed_button.h"
#include "controls/syntax_memo.h"
#include "designer/designer_form.h"
#include "controls/designer_glyphs.h"
#include "designer/designer_text.h"
#include "engine/model/control.h"
#include "engine/model/memo_view.h"
#include "engine/script/interpreter.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

namespace vl {

namespace {

constexpr int kToolbarHeight = 28;
constexpr int kSplitterHeight = 4;

// The bar between the panes; dragging it moves the border by the pointer's
// vertical movement.
class TSplitterBar : public QWidget {
 public:
  explicit TSplitterBar(TvlTextEditorBase* owner) : QWidget(owner), owner_(owner) {
    setObjectName("Splitter");
    setCursor(Qt::SplitVCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override { lastY_ = e->globalPosition().toPoint().y(); }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const int y = e->globalPosition().toPoint().y();
    owner_->MoveSplitter(y - lastY_);
    lastY_ = y;
  }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
  }

 private:
  TvlTextEditorBase* owner_;
  int lastY_ = 0;
};

QImage WrapGlyph() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.drawLine(2, 3, 13, 3);
  p.drawLine(2, 7, 13, 7);
  p.drawLine(13, 7, 13, 11);
  p.drawLine(13, 11, 6, 11);
  p.drawLine(6, 11, 8, 9);
  p.drawLine(6, 11, 8, 13);
  return image;
}

int FontSize(const std::string& text) {
  try {
    const int size = std::stoi(text);
    return size > 0 && size < 200 ? size : 10;
  } catch (const std::exception&) {
    return 10;
  }
}

// Line and column of "Line n/m: message".
void ErrorPosition(const std::string& error, int& line, int& column) {
  line = column = 1;
  const std::size_t slash = error.find('/'), colon = error.find(':');
  if (error.size() < 6 || slash == std::string::npos || colon == std::string::npos || colon < slash) return;
  try {
    line = std::stoi(error.substr(5, slash - 5));
    column = std::stoi(error.substr(slash + 1, colon - slash - 1));
  } catch (const std::exception&) {
  }
}

}  // namespace

TvlTextEditorBase::TvlTextEditorBase(TvlDesignerForm& designer, const char* className, bool highlighting)
    : TvlObjEditorForm(&designer), designer_(designer), className_(className), highlighting_(highlighting) {
  setObjectName(className);
  setWindowTitle(vlStr(53060));
  toolbar_ = new QWidget(this);
  toolbar_->setObjectName("ToolBar");
  auto* row = new QHBoxLayout(toolbar_);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(1);
  auto button = [this, row](const char* name, const QString& caption, const QString& hint, const QImage& glyph) {
    auto* b = new TvlSpeedButton(toolbar_);
    b->setObjectName(name);
    b->SetFlat(true);
    b->setToolTip(hint);
    if (!glyph.isNull()) b->SetGlyph(glyph);
    if (!caption.isEmpty()) {
      b->SetCaption(caption);
      b->setFixedSize(64, 24);
    } else {
      b->setFixedSize(24, 24);
    }
    row->addWidget(b);
    return b;
  };
  OkBtn = button("OkBtn", vlStr(55000), vlStr(55000), QImage());
  CancelBtn = button("CancelBtn", vlStr(55001), vlStr(55001), QImage());
  row->addSpacing(8);
  // The buttons without a designer glyph show their letters in the window's
  // own text size, bold and navy, so that they read like the pictures beside them.
  auto letters = [button](const char* name, const QString& hint, const char* text) {
    TvlSpeedButton* b = button(name, {}, hint, QImage());
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
    QPalette navy = b->palette();
    navy.setColor(QPalette::ButtonText, QColor(0, 0, 0x80));
    b->setPalette(navy);
    b->SetCaption(QString::fromLatin1(text));
    b->setFixedWidth(std::max(24, b->fontMetrics().horizontalAdvance(b->Caption()) + 8));
    return b;
  };
  InsExprBtn = letters("InsExprBtn", vlStr(53061), "fx");
  InsDBBtn = letters("InsDBBtn", vlStr(53062), "DB");
  row->addSpacing(8);
  WordWrapBtn = button("WordWrapBtn", {}, vlStr(53063), WrapGlyph());
  ScriptBtn = button("ScriptBtn", {}, vlStr(53064), vlDesignerGlyph(TvlDesignerGlyph::ScriptMark));
  row->addSpacing(8);
  CutBtn = button("CutBtn", {}, vlStr(57024), vlDesignerGlyph(TvlDesignerGlyph::Cut));
  CopyBtn = button("CopyBtn", {}, vlStr(57025), vlDesignerGlyph(TvlDesignerGlyph::Copy));
  PasteBtn = button("PasteBtn", {}, vlStr(57026), vlDesignerGlyph(TvlDesignerGlyph::Paste));
  // The toggles latch on their own.
  WordWrapBtn->SetGroupIndex(1);
  WordWrapBtn->SetAllowAllUp(true);
  ScriptBtn->SetGroupIndex(2);
  ScriptBtn->SetAllowAllUp(true);
  ScriptBtn->SetDown(true);

  OkBtn->OnClick = [this] { Confirm(); };
  CancelBtn->OnClick = [this] { reject(); };
  InsExprBtn->OnClick = [this] { InsertExpression(); };
  InsDBBtn->OnClick = [this] { InsertField(); };
  WordWrapBtn->OnClick = [this] {
    M1->setLineWrapMode(WordWrapBtn->Down() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  };
  ScriptBtn->OnClick = [this] {
    if (!textPane_) ScriptBtn->SetDown(true);  // the script is all there is
    LayoutPanes();
  };
  // A read-only pane gives its text away but takes none.
  CutBtn->OnClick = [this] {
    if (active_ && !active_->isReadOnly()) active_->cut();
  };
  CopyBtn->OnClick = [this] {
    if (active_) active_->copy();
  };
  PasteBtn->OnClick = [this] {
    if (active_ && !active_->isReadOnly()) active_->paste();
  };

  MemoPanel = new QWidget(this);
  MemoPanel->setObjectName("MemoPanel");
  M1 = new QPlainTextEdit(MemoPanel);
  M1->setObjectName("M1");
  auto* memoLayout = new QVBoxLayout(MemoPanel);
  memoLayout->setContentsMargins(0, 0, 0, 0);
  memoLayout->addWidget(M1);
  Splitter = new TSplitterBar(this);
  ScriptPanel = new QWidget(this);
  ScriptPanel->setObjectName("ScriptPanel");
  resize(560, 420);
}

TvlTextEditorBase::~TvlTextEditorBase() = default;

void TvlTextEditorBase::Build(QPlainTextEdit* scriptPane, QWidget* errorLine) {
  script_ = scriptPane;
  script_->setObjectName("ScriptPane");
  auto* layout = new QVBoxLayout(ScriptPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(script_);
  if (errorLine) layout->addWidget(errorLine);
  static_cast<QHBoxLayout*>(toolbar_->layout())->addStretch(1);
  for (QPlainTextEdit* pane : {M1, script_}) pane->installEventFilter(this);
  active_ = M1;
}

// ---- Layout ----

void TvlTextEditorBase::LayoutPanes() {
  const int w = width(), top = kToolbarHeight, h = std::max(0, height() - kToolbarHeight);
  toolbar_->setGeometry(0, 0, w, kToolbarHeight);
  const bool scriptShown = !textPane_ || ScriptBtn->Down();
  MemoPanel->setVisible(textPane_);
  Splitter->setVisible(textPane_ && scriptShown);
  ScriptPanel->setVisible(scriptShown);
  if (!textPane_) {
    ScriptPanel->setGeometry(0, top, w, h);
  } else if (!scriptShown) {
    MemoPanel->setGeometry(0, top, w, h);
  } else {
    const int sh = std::clamp(scriptHeight_, 0, std::max(0, h - kSplitterHeight));
    ScriptPanel->setGeometry(0, top + h - sh, w, sh);
    Splitter->setGeometry(0, top + h - sh - kSplitterHeight, w, kSplitterHeight);
    MemoPanel->setGeometry(0, top, w, h - sh - kSplitterHeight);
  }
}

void TvlTextEditorBase::MoveSplitter(int dy) {
  const int h = height() - kToolbarHeight;
  scriptHeight_ = std::clamp(scriptHeight_ - dy, 0, std::max(0, h - kSplitterHeight));
  // Recorded so that opening again gives the same height.
  designer_.Options.SplitterPos = h - scriptHeight_ - 2;
  LayoutPanes();
}

void TvlTextEditorBase::resizeEvent(QResizeEvent* event) {
  TvlObjEditorForm::resizeEvent(event);
  const int h = height() - kToolbarHeight;
  if (scriptHeight_ > h - 40) scriptHeight_ = h / 2;
  LayoutPanes();
}

void TvlTextEditorBase::showEvent(QShowEvent* event) {
  TvlObjEditorForm::showEvent(event);
  if (active_) active_->setFocus();
}

// ---- Editing one object ----

void TvlTextEditorBase::ApplyFonts(TvlView& view) {
  const TvlDesignerOptions& o = designer_.Options;
  QFont text(vlToQt(o.TextFontName));
  text.setPointSize(FontSize(o.TextFontSize));
  if (auto* memo = dynamic_cast<TvlMemoView*>(&view); memo && o.UseDefaultFont) {
    text = QFont(vlToQt(memo->Font.Name));
    text.setPointSize(10);
  }
  M1->setFont(text);
  QFont script(vlToQt(o.ScriptFontName));
  script.setPointSize(FontSize(o.ScriptFontSize));
  script.setStyleHint(QFont::TypeWriter);
  script_->setFont(script);
}

int TvlTextEditorBase::EditObject(TvlView& view) {
  RestoreFormPlacement(*this, className_);
  view_ = &view;
  textPane_ = view.Typ != otBand && !dynamic_cast<TvlControl*>(&view);
  ScriptBtn->SetDown(textPane_ ? scriptShown_ : true);

  vlSetEditLines(*M1, view.Memo);
  M1->setLineWrapMode(WordWrapBtn->Down() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  vlSetEditLines(*script_, view.Script.empty() ? std::vector<std::string>{"begin", "  ", "end"} : view.Script);
  ClearScriptError();
  ApplyFonts(view);
  M1->setReadOnly(view.Restrictions & rsDontEditMemo);
  script_->setReadOnly(view.Restrictions & rsDontEditScript);

  const int h = height() - kToolbarHeight;
  scriptHeight_ = std::clamp(h - designer_.Options.SplitterPos - 2, 0, std::max(0, h - kSplitterHeight));
  LayoutPanes();
  vlSetEditCaret(*M1, 1, 1);
  active_ = textPane_ ? M1 : script_;

  const int result = exec();
  if (result == QDialog::Accepted) StoreResult(view);
  if (textPane_) scriptShown_ = ScriptBtn->Down();
  TvlSettingsStore& store = *vlPlatform().Settings;
  store.WriteInteger(vlDesignerFormKey(), "SplitterPos", designer_.Options.SplitterPos);
  SaveFormPlacement(*this, className_);
  view_ = nullptr;
  return result == QDialog::Accepted ? mrOk : mrCancel;
}

void TvlTextEditorBase::StoreResult(TvlView& view) {
  designer_.BeforeChange();
  // Soft line breaks of word wrap never reach the text.
  M1->setLineWrapMode(QPlainTextEdit::NoWrap);
  view.Memo = vlEditLines(*M1);
  std::vector<std::string> script = vlEditLines(*script_);
  if (ScriptIsEmpty(script)) {
    if (!view.Script.empty()) view.Script.clear();
  } else {
    view.Script = std::move(script);
  }
  designer_.AfterChange();
}

void TvlTextEditorBase::Confirm() {
  TvlInterpretator interpreter;
  std::vector<std::string> compiled, errors;
  interpreter.Compile(vlEditLines(*script_), compiled, errors);
  if (errors.empty()) {
    accept();
    return;
  }
  int line = 1, column = 1;
  ErrorPosition(errors.front(), line, column);
  active_ = script_;
  ShowScriptError(errors.front(), line, column);
}

// ---- Insertions and keys ----

namespace {

void InsertAtCaret(QPlainTextEdit* pane, const std::string& text) {
  if (!pane || pane->isReadOnly() || text.empty()) return;
  QTextCursor c = pane->textCursor();
  c.insertText(vlToQt(text));
  pane->setTextCursor(c);
}

}  // namespace

void TvlTextEditorBase::InsertField() { InsertAtCaret(active_, designer_.InsertDBField()); }

void TvlTextEditorBase::InsertExpression() { InsertAtCaret(active_, designer_.InsertExpression()); }

bool TvlTextEditorBase::eventFilter(QObject* watched, QEvent* event) {
  auto* pane = qobject_cast<QPlainTextEdit*>(watched);
  if (!pane || (pane != M1 && pane != script_)) return TvlObjEditorForm::eventFilter(watched, event);
  if (event->type() == QEvent::FocusIn) active_ = pane;
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (key->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
    reject();
    return true;
  }
  if (key->key() == Qt::Key_Insert && mods == Qt::NoModifier) {
    InsertField();
    return true;
  }
  if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::ControlModifier) {
    Confirm();
    return true;
  }
  return false;
}

}  // namespace vl
