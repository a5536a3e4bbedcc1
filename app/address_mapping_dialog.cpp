#include "app/address_mapping_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "engine/data/data_source.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

const char* const kFieldLabels[kEnvelopeFieldCount] = {"Recipient name:", "Recipient address:",
                                                       "Recipient postcode:", "Sender address:",
                                                       "Sender postcode:"};

}  // namespace

TAddressMappingDialog::TAddressMappingDialog(const std::string& listName, TvlDataSource& source,
                                             const TvlAddressMapping& mapping, QWidget* parent)
    : QDialog(parent), source_(source), columns_(source.FieldNames()) {
  setObjectName(QStringLiteral("AddressMappingDialog"));
  setWindowTitle(QStringLiteral("Address list fields"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Choose the column of %1 that gives each envelope field.\n"
                                          "The choice is kept for lists with the same columns.")
                               .arg(QFileInfo(vlToQt(listName)).fileName()),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  auto* grid = new QGridLayout();
  grid->setColumnStretch(2, 1);
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    auto* label = new QLabel(QString::fromLatin1(kFieldLabels[f]), this);
    auto* combo = new QComboBox(this);
    combo->setMinimumWidth(150);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setObjectName(QString::fromLatin1(vlEnvelopeVariable(f)));
    combo->addItem(QStringLiteral("(none)"));
    for (const std::string& c : columns_) combo->addItem(vlToQt(c));
    const std::string& chosen = mapping.Columns[static_cast<std::size_t>(f)];
    for (std::size_t k = 0; k < columns_.size(); ++k)
      if (columns_[k] == chosen) combo->setCurrentIndex(static_cast<int>(k) + 1);
    label->setBuddy(combo);
    auto* sample = new QLabel(this);
    sample->setMinimumWidth(180);
    sample->setForegroundRole(QPalette::PlaceholderText);
    Columns[static_cast<std::size_t>(f)] = combo;
    Samples[static_cast<std::size_t>(f)] = sample;
    grid->addWidget(label, f, 0);
    grid->addWidget(combo, f, 1);
    grid->addWidget(sample, f, 2);
    connect(combo, &QComboBox::currentIndexChanged, this, [this, f] { ShowSample(f); });
    ShowSample(f);
  }
  layout->addLayout(grid);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

// The first address's value of the chosen column, on one line.
void TAddressMappingDialog::ShowSample(int field) {
  const int k = Columns[static_cast<std::size_t>(field)]->currentIndex() - 1;
  QString text;
  if (k >= 0 && !source_.Eof())
    text = vlToQt(std::string(source_.DisplayText(k))).replace(QRegularExpression(QStringLiteral("[\r\n]+")), QStringLiteral(" / "));
  QLabel* sample = Samples[static_cast<std::size_t>(field)];
  sample->setText(text.isEmpty() ? QString() : QStringLiteral("e.g. ") + text);
}

TvlAddressMapping TAddressMappingDialog::Mapping() const {
  TvlAddressMapping m;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const int k = Columns[static_cast<std::size_t>(f)]->currentIndex() - 1;
    if (k >= 0) m.Columns[static_cast<std::size_t>(f)] = columns_[static_cast<std::size_t>(k)];
  }
  return m;
}

}  // namespace vl
