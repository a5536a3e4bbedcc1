// The two kinds of text editor window, what tells them apart (script pane,
// empty-script rule, how an error shows), and the designer's one window.

#include <QEvent>
#include <cctype>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>

#include "controls/speed_button.h"
#include "controls/syntax_memo.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "controls/designer_glyphs.h"
#include "designer/designer_text.h"
#include "designer/text_editor_form.h"

namespace vl {

namespace {

std::string Trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

}  // namespace

// ---- TvlEditorForm: the highlighting script pane ----

TvlEditorForm::TvlEditorForm(TvlDesignerForm& designer)
    : TvlTextEditorBase(designer, "TvlEditorForm", true), memo_(new TvlSyntaxMemo(ScriptPanel)) {
  memo_->SetSyntaxType(stPascal);
  // On the toolbar, after the clipboard buttons.
  EditTag = new TvlSpeedButton(OkBtn->parentWidget());
  EditTag->setObjectName("EditTag");
  EditTag->setToolTip(vlStr(53740));
  EditTag->SetGlyph(vlDesignerGlyph(TvlDesignerGlyph::Pencil));
  EditTag->SetFlat(true);
  EditTag->setFixedSize(24, 24);
  EditTag->OnClick = [this] {
    if (auto& edit = vlDesignerDialogs().EditObjectTag; edit && view_) edit(designer_, view_);
  };
  OkBtn->parentWidget()->layout()->addWidget(EditTag);
  Build(memo_, nullptr);
}

bool TvlEditorForm::ScriptIsEmpty(const std::vector<std::string>& lines) const {
  // Nothing but blanks, or a bare begin-end pair however it is spaced.
  std::string code;
  for (const std::string& line : lines)
    for (char c : line)
      if (static_cast<unsigned char>(c) > 32) code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return code.empty() || code == "beginend";
}

void TvlEditorForm::ShowScriptError(const std::string& error, int line, int column) {
  memo_->setFocus();
  memo_->SetCaretPos(column, line);
  memo_->SetMessage(vlToQt(error));
}

void TvlEditorForm::ClearScriptError() {
  memo_->SetMessage(QString());
  EditTag->setEnabled(static_cast<bool>(vlDesignerDialogs().EditObjectTag));
}

// ---- TvlEditorForm1: the plain script pane and its error line ----

TvlEditorForm1::TvlEditorForm1(TvlDesignerForm& designer) : TvlTextEditorBase(designer, "TvlEditorForm1", false) {
  auto* pane = new QPlainTextEdit(ScriptPanel);
  pane->setLineWrapMode(QPlainTextEdit::NoWrap);
  ErrorPanel = new QLabel(ScriptPanel);
  ErrorPanel->setObjectName("ErrorPanel");
  ErrorPanel->setAutoFillBackground(true);
  QPalette p = ErrorPanel->palette();
  p.setColor(QPalette::Window, QColor(0x80, 0x00, 0x00));
  p.setColor(QPalette::WindowText, Qt::white);
  ErrorPanel->setPalette(p);
  QFont bold = ErrorPanel->font();
  bold.setBold(true);
  ErrorPanel->setFont(bold);
  ErrorPanel->hide();
  Build(pane, ErrorPanel);
}

bool TvlEditorForm1::ScriptIsEmpty(const std::vector<std::string>& lines) const {
  return lines.size() == 3 && Trimmed(lines[0]) == "begin" && Trimmed(lines[1]).empty() && Trimmed(lines[2]) == "end";
}

void TvlEditorForm1::ShowScriptError(const std::string& error, int line, int column) {
  ErrorPanel->setText(QStringLiteral(" ") + vlToQt(error));
  ErrorPanel->show();
  ScriptPane()->setFocus();
  vlSetEditCaret(*ScriptPane(), column, line);
}

void TvlEditorForm1::ClearScriptError() { ErrorPanel->hide(); }

void TvlEditorForm1::resizeEvent(QResizeEvent* event) {
  ErrorPanel->hide();
  TvlTextEditorBase::resizeEvent(event);
}

bool TvlEditorForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == M1 || watched == ScriptPane())) ErrorPanel->hide();
  return TvlTextEditorBase::eventFilter(watched, event);
}

// ---- The designer's window ----

TvlTextEditorBase& vlTextEditorOf(TvlDesignerForm& designer) {
  auto* editor = designer.findChild<TvlTextEditorBase*>(QString(), Qt::FindDirectChildrenOnly);
  if (editor && editor->Highlighting() != designer.Options.SyntaxHighlight) {
    delete editor;
    editor = nullptr;
  }
  if (!editor) {
    if (designer.Options.SyntaxHighlight)
      editor = new TvlEditorForm(designer);
    else
      editor = new TvlEditorForm1(designer);
  }
  return *editor;
}

}  // namespace vl
