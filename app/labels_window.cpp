#include "app/labels_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/own_sheet_dialog.h"
#include "app/sheet_picture.h"
#include "engine/labels/sheet_catalogue.h"
#include "platform/platform.h"
#include "platform/qt/qt_language.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"

namespace vl {
namespace {

constexpr const char* kKey = "Software\\Vellora\\Labels";

}  // namespace

TLabelChoice vlLoadLabelChoice() {
  TvlSettingsStore& s = *vlPlatform().Settings;
  TLabelChoice c;
  c.Sheet = s.ReadString(kKey, "Sheet", "");
  if (!vlLabelLayoutOf(s.ReadString(kKey, "Layout", ""), c.Layout)) c.Layout = TvlLabelLayout::Recipient;
  c.Start = s.ReadInteger(kKey, "Start", 1);
  return c;
}

void vlRememberLabelChoice(const TLabelChoice& c) {
  TvlSettingsStore& s = *vlPlatform().Settings;
  s.WriteString(kKey, "Sheet", c.Sheet);
  s.WriteString(kKey, "Layout", vlLabelLayoutName(c.Layout));
  s.WriteInteger(kKey, "Start", c.Start);
}

TLabelsWindow::TLabelsWindow(std::vector<TvlLabelSheet> sheets, const TLabelChoice& start, const QString& list,
                             const QString& sender, QWidget* parent)
    : QDialog(parent), sheets_(std::move(sheets)), list_(list), sender_(sender) {
  setWindowTitle(vlQTr("Address labels"));
  SheetBox = new QComboBox;
  for (const TvlLabelSheet& s : sheets_) SheetBox->addItem(vlToQt(s.Name));
  if (const TvlLabelSheet* s = vlFindSheet(sheets_, start.Sheet))
    SheetBox->setCurrentIndex(static_cast<int>(s - sheets_.data()));
  OwnSheetButton = new QPushButton(vlQTr("Own sheet…"));
  auto* sheetRow = new QHBoxLayout;
  sheetRow->addWidget(SheetBox, 1);
  sheetRow->addWidget(OwnSheetButton);
  LayoutBox = new QComboBox;
  LayoutBox->addItem(vlQTr("Recipient: name, address and postcode"));
  LayoutBox->addItem(vlQTr("Recipient with the postcode as a barcode"));
  LayoutBox->addItem(vlQTr("Return address: the sender on every label"));
  LayoutBox->setCurrentIndex(static_cast<int>(start.Layout));
  StartBox = new QSpinBox;
  StartBox->setMinimum(1);
  SourceText = new QLabel;
  SourceText->setWordWrap(true);
  Picture = new TSheetPicture;

  auto* form = new QFormLayout;
  form->addRow(vlQTr("Sheet:"), sheetRow);
  form->addRow(vlQTr("Layout:"), LayoutBox);
  form->addRow(vlQTr("Start at label:"), StartBox);
  form->addRow(vlQTr("Prints:"), SourceText);
  auto* buttons = new QDialogButtonBox;
  PreviewButton = buttons->addButton(vlQTr("Preview"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addStretch(1);
  left->addWidget(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(Picture);

  Update();
  StartBox->setValue(start.Start);
  connect(SheetBox, &QComboBox::currentIndexChanged, this, [this] { Update(); });
  connect(LayoutBox, &QComboBox::currentIndexChanged, this, [this] { Update(); });
  connect(StartBox, &QSpinBox::valueChanged, this, [this] { Update(); });
  connect(OwnSheetButton, &QPushButton::clicked, this, [this] { AddOwnSheet(); });
  resize(560, 320);
}

const TvlLabelSheet* TLabelsWindow::Sheet() const {
  const int k = SheetBox->currentIndex();
  return k >= 0 && k < static_cast<int>(sheets_.size()) ? &sheets_[static_cast<std::size_t>(k)] : nullptr;
}

TLabelChoice TLabelsWindow::Choice() const {
  TLabelChoice c;
  if (const TvlLabelSheet* s = Sheet()) c.Sheet = s->Name;
  c.Layout = static_cast<TvlLabelLayout>(std::max(0, LayoutBox->currentIndex()));
  c.Start = StartBox->value();
  return c;
}

void TLabelsWindow::Update() {
  const TvlLabelSheet* sheet = Sheet();
  StartBox->setMaximum(sheet ? sheet->Labels() : 1);
  if (sheet) Picture->SetSheet(*sheet, StartBox->value());
  const bool returnLabels = LayoutBox->currentIndex() == static_cast<int>(TvlLabelLayout::Return);
  bool ready = sheet != nullptr;
  if (returnLabels) {
    ready = ready && !sender_.isEmpty();
    SourceText->setText(sender_.isEmpty()
                            ? vlQTr("No sender yet: enter your address in the recipient form (Recipient…).")
                            : vlQTr("The sender: %1").arg(sender_));
  } else {
    ready = ready && !list_.isEmpty();
    SourceText->setText(list_.isEmpty()
                            ? vlQTr("No address list is in force: choose one with Address list… first.")
                            : vlQTr("One label per address of %1").arg(list_));
  }
  PreviewButton->setEnabled(ready);
}

void TLabelsWindow::AddOwnSheet() {
  TvlLabelSheet start = Sheet() ? *Sheet() : TvlLabelSheet{};
  start.Name = vlFromQt(vlQTr("My sheet"));
  TOwnSheetDialog dialog(start, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const TvlLabelSheet own = dialog.Sheet();
  if (const TvlLabelSheet* same = vlFindSheet(sheets_, own.Name)) {
    sheets_[static_cast<std::size_t>(same - sheets_.data())] = own;
  } else {
    sheets_.push_back(own);
    SheetBox->addItem(vlToQt(own.Name));
  }
  SheetBox->setCurrentIndex(static_cast<int>(vlFindSheet(sheets_, own.Name) - sheets_.data()));
  Update();
}

}  // namespace vl
