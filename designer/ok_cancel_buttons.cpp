#include "designer/ok_cancel_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

#include "designer/designer_text.h"

namespace vl {

QDialogButtonBox* vlOkCancelButtons(QDialog* dialog, bool autoDefault) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(vlStr(str::kOk), QDialogButtonBox::AcceptRole);
  ok->setObjectName("OkBtn");
  QPushButton* cancel = buttons->addButton(vlStr(str::kCancel), QDialogButtonBox::RejectRole);
  cancel->setObjectName("CancelBtn");
  if (!autoDefault) {
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
  }
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace vl
