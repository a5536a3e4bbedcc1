#include "app/address_mapping_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/data/address_parts.h"
#include "engine/data/data_source.h"
#include "engine/data/nothing_to_print.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

QString FieldLabel(int field) {
  switch (field) {
    case efRecipientName: return vlQTr("Recipient name:");
    case efRecipientAddress: return vlQTr("Recipient address:");
    case efRecipientPostcode: return vlQTr("Recipient postcode:");
    case efSenderAddress: return vlQTr("Sender address:");
    default: return vlQTr("Sender postcode:");
  }
}

// Column names of lists can be as long as their reader allows; a list shows
// the start of them.
constexpr int kShownNameLength = 60;

QString Shown(const std::string& column) {
  QString text = vlToQt(column);
  if (text.size() > kShownNameLength) text = text.left(kShownNameLength) + QStringLiteral("…");
  return text;
}

}  // namespace

TAddressMappingDialog::TAddressMappingDialog(const std::string& listName, TvlDataSource& source,
                                             const TvlAddressMapping& mapping, QWidget* parent)
    : QDialog(parent), source_(source), columns_(source.FieldNames()) {
  setObjectName(QStringLiteral("AddressMappingDialog"));
  setWindowTitle(vlQTr("Address list fields"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(vlQTr("Choose the column of %1 that gives each envelope field; \"+\" joins "
                                 "a further column, in order, for an address split over several.\n"
                                 "The choice is kept for lists with the same columns.")
                               .arg(QFileInfo(vlToQt(listName)).fileName()),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout();
  grid->setColumnStretch(2, 1);
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const auto i = static_cast<std::size_t>(f);
    auto* label = new QLabel(FieldLabel(f), this);
    rows_[i] = new QHBoxLayout();
    auto index = [this](const std::string& chosen) {
      for (std::size_t k = 0; k < columns_.size(); ++k)
        if (columns_[k] == chosen) return static_cast<int>(k);
      return -1;
    };
    Columns[i] = MakeColumnBox(index(mapping.Columns[i]));
    Columns[i]->setObjectName(QString::fromLatin1(vlEnvelopeVariable(f)));
    rows_[i]->addWidget(Columns[i]);
    AddButtons[i] = new QToolButton(this);
    AddButtons[i]->setText(QStringLiteral("+"));
    AddButtons[i]->setToolTip(vlQTr("Join a further column"));
    AddButtons[i]->setObjectName(QString::fromLatin1(vlEnvelopeVariable(f)) + QStringLiteral("Add"));
    rows_[i]->addWidget(AddButtons[i]);
    rows_[i]->addStretch();
    connect(AddButtons[i], &QToolButton::clicked, this, [this, f] { AddColumn(f); });
    label->setBuddy(Columns[i]);
    auto* sample = new QLabel(this);
    sample->setMinimumWidth(180);
    sample->setForegroundRole(QPalette::PlaceholderText);
    Samples[i] = sample;
    grid->addWidget(label, f, 0);
    grid->addLayout(rows_[i], f, 1);
    grid->addWidget(sample, f, 2);
    for (const std::string& more : mapping.More[i]) AddColumn(f, index(more));
  }
  layout->addLayout(grid);

  auto* envelopeTitle = new QLabel(vlQTr("The first envelope's recipient:"), this);
  layout->addWidget(envelopeTitle);
  Envelope = new QLabel(this);
  Envelope->setObjectName(QStringLiteral("FirstEnvelope"));
  Envelope->setFrameShape(QFrame::StyledPanel);
  Envelope->setMargin(8);
  Envelope->setMinimumHeight(90);
  Envelope->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Envelope->setTextFormat(Qt::PlainText);
  layout->addWidget(Envelope);

  Refusal = new QLabel(this);
  Refusal->setObjectName(QStringLiteral("Refusal"));
  Refusal->setWordWrap(true);
  Refusal->setStyleSheet(QStringLiteral("color: #b00020"));
  Refusal->hide();
  layout->addWidget(Refusal);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  ShowSamples();
}

QComboBox* TAddressMappingDialog::MakeColumnBox(int chosen) {
  auto* combo = new QComboBox(this);
  combo->setMinimumWidth(150);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  combo->addItem(vlQTr("(none)"));
  for (const std::string& c : columns_) combo->addItem(Shown(c));
  combo->setCurrentIndex(chosen + 1);
  connect(combo, &QComboBox::currentIndexChanged, this, [this] { ShowSamples(); });
  return combo;
}

QComboBox* TAddressMappingDialog::AddColumn(int field, int chosen) {
  const auto i = static_cast<std::size_t>(field);
  QComboBox* combo = MakeColumnBox(chosen);
  combo->setObjectName(QString::fromLatin1(vlEnvelopeVariable(field)) + QString::number(MoreColumns[i].size() + 2));
  // Before the "+" button.
  rows_[i]->insertWidget(rows_[i]->indexOf(AddButtons[i]), combo);
  MoreColumns[i].push_back(combo);
  ShowSamples();
  return combo;
}

std::string TAddressMappingDialog::FirstText(int field) const {
  if (source_.Eof()) return {};
  const std::vector<std::string> chosen = Mapping().ColumnsOf(field);
  if (chosen.size() == 1) return std::string(source_.DisplayText(source_.FieldIndex(chosen.front())));
  std::vector<TvlAddressPart> parts;
  for (const std::string& c : chosen)
    parts.push_back({vlAddressPartOf(c), std::string(source_.DisplayText(source_.FieldIndex(c)))});
  return vlJoinAddressParts(parts);
}

// The first address's values, each on one line beside its field, and the
// recipient as the envelope prints it below.
void TAddressMappingDialog::ShowSamples() {
  if (!Envelope) return;  // still being built
  QString envelope;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const QString value = vlToQt(FirstText(f));
    const QString line = QString(value).replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" / "));
    Samples[static_cast<std::size_t>(f)]->setText(line.isEmpty() ? QString() : vlQTr("e.g. ") + line);
    if (vlIsRecipientField(f) && !value.trimmed().isEmpty())
      envelope += (envelope.isEmpty() ? QString() : QStringLiteral("\n")) + QString(value).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  }
  Envelope->setText(envelope.isEmpty() ? vlQTr("(blank)") : envelope);
  if (Refusal && !vlMappingGivesNoRecipient(Mapping())) Refusal->hide();
}

TvlAddressMapping TAddressMappingDialog::Mapping() const {
  TvlAddressMapping m;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const auto i = static_cast<std::size_t>(f);
    std::vector<std::string> chosen;
    std::vector<QComboBox*> boxes{Columns[i]};
    boxes.insert(boxes.end(), MoreColumns[i].begin(), MoreColumns[i].end());
    for (QComboBox* box : boxes) {
      const int k = box ? box->currentIndex() - 1 : -1;
      if (k >= 0) chosen.push_back(columns_[static_cast<std::size_t>(k)]);
    }
    m.SetColumns(f, chosen);
  }
  return m;
}

void TAddressMappingDialog::accept() {
  if (vlMappingGivesNoRecipient(Mapping())) {
    Refusal->setText(vlQTr(kNoRecipientColumn) + vlQTr("the lists above."));
    Refusal->show();
    return;
  }
  QDialog::accept();
}

}  // namespace vl
