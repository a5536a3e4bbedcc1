#pragma once
// The base of the designer's object editor dialogs: one operation that edits
// an object in a modal window and tells how it was closed.

#include <QDialog>

namespace vl {

class TvlView;

class TvlObjEditorForm : public QDialog {
 public:
  using QDialog::QDialog;
  enum : int { mrOk = 1, mrCancel = 2 };
  // Shows the object in the dialog; OK (1) or Cancel (2). The base edits
  // nothing and reports OK.
  virtual int EditObject(TvlView& view) {
    (void)view;
    return mrOk;
  }
};

}  // namespace vl
