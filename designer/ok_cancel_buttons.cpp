#include "designer/ok_cancel_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
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

void vlFixDialogSize(QDialog* dialog) {
  if (dialog->layout()) dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
  dialog->adjustSize();
  dialog->setFixedSize(dialog->size());
  if (QScreen* screen = QGuiApplication::primaryScreen())
    dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

}  // namespace vl
