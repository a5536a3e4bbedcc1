#pragma once
// The OK and Cancel buttons of the designer's dialogs (named "OkBtn" and
// "CancelBtn"), wired to accept and reject the dialog.

class QDialog;
class QDialogButtonBox;

namespace vl {

// autoDefault false: Enter in the dialog's boxes does not press OK (the
// dialogs whose boxes take Enter for themselves).
QDialogButtonBox* vlOkCancelButtons(QDialog* dialog, bool autoDefault = true);

// Gives a dialog its laid-out size as a fixed size and centres it on the
// screen (the small designer dialogs are not resizable).
void vlFixDialogSize(QDialog* dialog);

}  // namespace vl
