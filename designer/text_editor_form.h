#pragma once
// The text editor: the modal window in which the designer edits an object's
// text (Memo) and script, the text pane above a draggable splitter and the
// script pane below. Two kinds exist, chosen by the designer's
// SyntaxHighlight option: TvlEditorForm, whose script pane highlights the
// script language (TvlSyntaxMemo) and shows errors in its footer, and
// TvlEditorForm1, whose script pane is a plain edit box with an error line
// under it. OK (or Ctrl+Enter) compiles the script first and keeps the
// window open at the first error.

#include <QPointer>
#include <string>
#include <vector>

#include "designer/obj_editor_form.h"

class QLabel;
class QPlainTextEdit;

namespace vl {

class TvlDesignerForm;
class TvlSpeedButton;
class TvlSyntaxMemo;

class TvlTextEditorBase : public TvlObjEditorForm {
 public:
  ~TvlTextEditorBase() override;

  int EditObject(TvlView& view) override;
  // The window's section of the placement store: its class name.
  const char* ClassName() const { return className_; }
  bool Highlighting() const { return highlighting_; }

  // OK and Ctrl+Enter: closes with OK when the script compiles, otherwise
  // shows the first error and puts the caret on it.
  void Confirm();
  // The designer's data field (Insert key) or expression (InsExprBtn) at the
  // caret of the active pane; nothing when the designer gives no text.
  void InsertField();
  void InsertExpression();

  TvlSpeedButton *OkBtn, *CancelBtn, *InsExprBtn, *InsDBBtn, *WordWrapBtn, *ScriptBtn, *CutBtn, *CopyBtn,
      *PasteBtn;
  QWidget *MemoPanel, *Splitter, *ScriptPanel;
  QPlainTextEdit* M1;  // the text pane
  QPlainTextEdit* ScriptPane() const { return script_; }
  // The pane that last had the focus.
  QPlainTextEdit* ActivePane() const { return active_; }
  bool TextPaneInUse() const { return textPane_; }
  // Height of the script pane; moved by the splitter.
  int ScriptHeight() const { return scriptHeight_; }
  void MoveSplitter(int dy);

 protected:
  TvlTextEditorBase(TvlDesignerForm& designer, const char* className, bool highlighting);
  // Builds the window around the script pane (called by each kind's
  // constructor once its pane exists).
  void Build(QPlainTextEdit* scriptPane, QWidget* errorLine);
  // Whether the script as typed counts as no script.
  virtual bool ScriptIsEmpty(const std::vector<std::string>& lines) const = 0;
  virtual void ShowScriptError(const std::string& error, int line, int column) = 0;
  virtual void ClearScriptError() = 0;

  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  TvlDesignerForm& designer_;
  TvlView* view_ = nullptr;

 private:
  void LayoutPanes();
  void ApplyFonts(TvlView& view);
  void StoreResult(TvlView& view);

  const char* className_;
  bool highlighting_;
  QPlainTextEdit* script_ = nullptr;
  QPlainTextEdit* active_ = nullptr;
  QWidget* toolbar_ = nullptr;
  bool textPane_ = true;
  bool scriptShown_ = true;  // remembered between calls
  int scriptHeight_ = 100;
};

class TvlEditorForm : public TvlTextEditorBase {
 public:
  explicit TvlEditorForm(TvlDesignerForm& designer);
  TvlSyntaxMemo* ScriptMemo() const { return memo_; }
  TvlSpeedButton* EditTag;

 protected:
  bool ScriptIsEmpty(const std::vector<std::string>& lines) const override;
  void ShowScriptError(const std::string& error, int line, int column) override;
  void ClearScriptError() override;

 private:
  TvlSyntaxMemo* memo_;
};

class TvlEditorForm1 : public TvlTextEditorBase {
 public:
  explicit TvlEditorForm1(TvlDesignerForm& designer);
  QLabel* ErrorPanel;

 protected:
  bool ScriptIsEmpty(const std::vector<std::string>& lines) const override;
  void ShowScriptError(const std::string& error, int line, int column) override;
  void ClearScriptError() override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The designer's text editor of the kind its SyntaxHighlight option asks
// for: made on first use, kept with the designer window and replaced when
// the option changed.
TvlTextEditorBase& vlTextEditorOf(TvlDesignerForm& designer);

// Installs the text editor as the designer's memo editor, the editor of
// text objects and the inspector's "Memo" and "Script" buttons.
void vlInstallTextEditor();

}  // namespace vl
