#include "platform/qt/passw_form.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vl {

TvlPasswForm::TvlPasswForm(const QString& caption, const QString& prompt, const QString& confirmText,
                           QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  label1_ = new QLabel(prompt, this);
  label2_ = new QLabel(confirmText.isEmpty() ? Texts().Confirm : confirmText, this);
  label2_->hide();
  edit_ = new QLineEdit(this);
  edit_->setEchoMode(QLineEdit::Password);
  label1_->setBuddy(edit_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Texts().Ok, QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OkBtn"));
  ok->setDefault(true);
  buttons->addButton(Texts().Cancel, QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelBtn"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(label1_);
  layout->addWidget(label2_);
  layout->addWidget(edit_);
  layout->addWidget(buttons);
  setMinimumWidth(260);
  adjustSize();
  setFixedSize(size());
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  edit_->setFocus();
}

TvlPasswForm::TTexts& TvlPasswForm::Texts() {
  static TTexts texts;
  return texts;
}

QString TvlPasswForm::Password() const { return edit_->text(); }

}  // namespace vl
