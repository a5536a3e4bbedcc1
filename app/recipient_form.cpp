#include "app/recipient_form.h"
#include "platform/qt/qt_language.h"

#include <QCheckBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace vl {
namespace {

QLineEdit* LineField(int field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(vlEnvelopeVariable(field)));
  return edit;
}

}  // namespace

TRecipientForm::TRecipientForm(const TRecipient& values, const std::vector<TRecipient>& recent, bool ask,
                               QWidget* parent)
    : QDialog(parent), recent_(recent) {
  setObjectName(QStringLiteral("RecipientForm"));
  setWindowTitle(vlQTr("Recipient"));
  auto* layout = new QVBoxLayout(this);

  auto* to = new QGroupBox(vlQTr("Recipient"), this);
  auto* toLayout = new QFormLayout(to);
  RecipientName = LineField(efRecipientName, to);
  RecipientName->setMinimumWidth(320);
  RecipientAddress = new QPlainTextEdit(to);
  RecipientAddress->setObjectName(QString::fromLatin1(vlEnvelopeVariable(efRecipientAddress)));
  RecipientAddress->setTabChangesFocus(true);
  // Room for three lines, as the envelopes print.
  RecipientAddress->setFixedHeight(RecipientAddress->fontMetrics().lineSpacing() * 4 + 8);
  RecipientPostcode = LineField(efRecipientPostcode, to);
  RecipientPostcode->setMaxLength(16);
  toLayout->addRow(vlQTr("&Name:"), RecipientName);
  toLayout->addRow(vlQTr("&Address:"), RecipientAddress);
  toLayout->addRow(vlQTr("&Postcode:"), RecipientPostcode);
  layout->addWidget(to);

  auto* from = new QGroupBox(vlQTr("Sender (remembered)"), this);
  auto* fromLayout = new QFormLayout(from);
  SenderAddress = LineField(efSenderAddress, from);
  SenderPostcode = LineField(efSenderPostcode, from);
  SenderPostcode->setMaxLength(16);
  fromLayout->addRow(vlQTr("A&ddress:"), SenderAddress);
  fromLayout->addRow(vlQTr("P&ostcode:"), SenderPostcode);
  layout->addWidget(from);

  AskForRecipient = new QCheckBox(vlQTr("As&k for the recipient"), this);
  AskForRecipient->setObjectName(QStringLiteral("AskForRecipient"));
  AskForRecipient->setToolTip(vlQTr("When no address list is in force, a template button shows this form first."));
  AskForRecipient->setChecked(ask);
  layout->addWidget(AskForRecipient);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ClearButton = buttons->addButton(vlQTr("C&lear recipient"), QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ClearButton, &QPushButton::clicked, this, [this] {
    RecipientName->clear();
    RecipientAddress->clear();
    RecipientPostcode->clear();
    RecipientName->setFocus();
  });
  layout->addWidget(buttons);

  // The recent names, latest first; picking one brings its address along.
  QStringList names;
  for (const TRecipient& r : recent_)
    if (!names.contains(r[efRecipientName])) names << r[efRecipientName];
  Completer = new QCompleter(names, this);
  Completer->setCaseSensitivity(Qt::CaseInsensitive);
  Completer->setFilterMode(Qt::MatchContains);
  RecipientName->setCompleter(Completer);
  connect(Completer, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& name) { TakeRecent(name); });

  SetValues(values);
  RecipientName->setFocus();
}

TRecipient TRecipientForm::Values() const {
  TRecipient r;
  r[efRecipientName] = RecipientName->text();
  r[efRecipientAddress] = RecipientAddress->toPlainText();
  r[efRecipientPostcode] = RecipientPostcode->text();
  r[efSenderAddress] = SenderAddress->text();
  r[efSenderPostcode] = SenderPostcode->text();
  return r;
}

void TRecipientForm::SetValues(const TRecipient& values) {
  RecipientName->setText(values[efRecipientName]);
  RecipientAddress->setPlainText(values[efRecipientAddress]);
  RecipientPostcode->setText(values[efRecipientPostcode]);
  SenderAddress->setText(values[efSenderAddress]);
  SenderPostcode->setText(values[efSenderPostcode]);
}

bool TRecipientForm::TakeRecent(const QString& name) {
  for (const TRecipient& r : recent_)
    if (r[efRecipientName] == name) {
      RecipientName->setText(name);
      RecipientAddress->setPlainText(r[efRecipientAddress]);
      RecipientPostcode->setText(r[efRecipientPostcode]);
      return true;
    }
  return false;
}

void TRecipientForm::Remember() const {
  vlRememberRecipient(Values());
  vlSetAskForRecipient(AskForRecipient->isChecked());
}

}  // namespace vl
