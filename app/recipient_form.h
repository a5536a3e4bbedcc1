#pragma once
// The launcher's recipient form: who one envelope goes to (name, an address
// of several lines, postcode) and who sends it (address, postcode), in
// Qt's ordinary text fields so that any script and input method works. The
// name offers the last recipients for completion; choosing one fills the
// address and postcode too. "Ask for the recipient" says whether a template
// button offers the form.

#include <QDialog>
#include <vector>

#include "app/recipient.h"

class QCheckBox;
class QCompleter;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vl {

class TRecipientForm : public QDialog {
 public:
  // values fills the fields; recent are the recipients offered for completion.
  TRecipientForm(const TRecipient& values, const std::vector<TRecipient>& recent, bool ask,
                 QWidget* parent = nullptr);

  // The fields as they stand.
  TRecipient Values() const;
  void SetValues(const TRecipient& values);
  // Fills the recipient's fields from the recent recipient of that name;
  // false when there is none.
  bool TakeRecent(const QString& name);
  // Keeps what OK confirmed: the sender, the recipient among the recent
  // ones and the "Ask for the recipient" choice.
  void Remember() const;

  QLineEdit* RecipientName = nullptr;
  QPlainTextEdit* RecipientAddress = nullptr;
  QLineEdit* RecipientPostcode = nullptr;
  QLineEdit* SenderAddress = nullptr;
  QLineEdit* SenderPostcode = nullptr;
  QCheckBox* AskForRecipient = nullptr;
  QCompleter* Completer = nullptr;
  QPushButton* ClearButton = nullptr;

 private:
  std::vector<TRecipient> recent_;
};

}  // namespace vl
