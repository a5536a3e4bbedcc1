#include "designer/data_sources_form.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "designer/ok_cancel_buttons.h"
#include "engine/core/error.h"
#include "engine/data/source_sample.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"
#include "engine/core/project_texts.h"

namespace vl {
namespace {

void Complain(const std::string& text) { vlShowMessage(text, vlTr("Data sources"), TvlMsgIcon::Error); }

// Names are written into field references ("Name"."Field") and component
// paths, so a dot or a double quote cannot be part of one.
bool ValidName(const std::string& name) {
  return !name.empty() && name.find_first_of(".\"[]") == std::string::npos && name.front() != ' ' &&
         name.back() != ' ';
}

// File names stay as the system spells them; names and queries are engine texts.
std::string FileOf(const QString& text) { return QFile::encodeName(text.trimmed()).toStdString(); }
QString FileText(const std::string& file) { return QFile::decodeName(QByteArray::fromStdString(file)); }

}  // namespace

// ---- One source ----

std::function<QString(QWidget*, const QString&)>& TvlDataSourceEditForm::ChooseFile() {
  static std::function<QString(QWidget*, const QString&)> choose = [](QWidget* owner, const QString& start) {
    return QFileDialog::getOpenFileName(owner, vlQTr("Data source file"), start,
                                        vlQTr("Data files (*.csv *.txt *.vcf *.vcard *.sqlite *.db *.sqlite3);;"
                                              "All files (*)"));
  };
  return choose;
}

TvlDataSourceEditForm::TvlDataSourceEditForm(const TvlReportDataSource& source,
                                             std::function<bool(const std::string&)> taken, QWidget* parent)
    : QDialog(parent), taken_(std::move(taken)) {
  setObjectName(QStringLiteral("DataSourceEditForm"));
  setWindowTitle(vlQTr("Data source"));
  NameE = new QLineEdit(vlToQt(source.Name), this);
  NameE->setObjectName(QStringLiteral("NameE"));
  FileE = new QLineEdit(FileText(source.FileName), this);
  FileE->setObjectName(QStringLiteral("FileE"));
  FileE->setMinimumWidth(320);
  QueryE = new QLineEdit(vlToQt(source.Query), this);
  QueryE->setObjectName(QStringLiteral("QueryE"));
  QueryE->setPlaceholderText(vlQTr("SQLite only: a table, or SELECT ..."));
  BrowseB = new QPushButton(vlQTr("Browse…"), this);
  BrowseB->setObjectName(QStringLiteral("BrowseB"));
  BrowseB->setAutoDefault(false);
  connect(BrowseB, &QPushButton::clicked, this, [this] {
    const QString start = FileE->text().isEmpty() ? QString() : QFileInfo(FileE->text()).absolutePath();
    const QString chosen = ChooseFile()(this, start);
    if (chosen.isEmpty()) return;
    FileE->setText(chosen);
    // A new file suggests its name for a source that has none yet.
    if (NameE->text().trimmed().isEmpty()) NameE->setText(QFileInfo(chosen).completeBaseName());
  });
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(FileE, 1);
  fileRow->addWidget(BrowseB);
  auto* form = new QFormLayout;
  form->addRow(vlQTr("&Name:"), NameE);
  form->addRow(vlQTr("&File:"), fileRow);
  form->addRow(vlQTr("&Table or SELECT:"), QueryE);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(vlOkCancelButtons(this));
}

TvlReportDataSource TvlDataSourceEditForm::Source() const {
  TvlReportDataSource s;
  s.Name = vlFromQt(NameE->text().trimmed());
  const QString file = FileE->text().trimmed();
  s.FileName = file.isEmpty() ? std::string() : FileOf(QFileInfo(file).absoluteFilePath());
  s.Query = vlFromQt(QueryE->text().trimmed());
  return s;
}

void TvlDataSourceEditForm::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(result);
    return;
  }
  const TvlReportDataSource s = Source();
  if (!ValidName(s.Name)) {
    Complain(vlTr("Name: give the source a name without dots, brackets or double quotes."));
    NameE->setFocus();
    return;
  }
  if (taken_ && taken_(s.Name)) {
    Complain(vlTr("Name: \"%1\" is already taken.", {s.Name}));
    NameE->setFocus();
    return;
  }
  if (s.FileName.empty()) {
    Complain(vlTr("File: choose the file the source reads."));
    FileE->setFocus();
    return;
  }
  try {
    vlSampleSource(s, 1);
  } catch (const TvlError& e) {
    Complain(e.what());
    FileE->setFocus();
    return;
  }
  QDialog::done(result);
}

// ---- The list ----

TvlDataSourcesForm::TvlDataSourcesForm(const TvlReportDataSources& sources, QWidget* parent)
    : QDialog(parent), sources_(sources) {
  setObjectName(QStringLiteral("DataSourcesForm"));
  setWindowTitle(vlQTr("Data sources"));
  ListL = new QListWidget(this);
  ListL->setObjectName(QStringLiteral("ListL"));
  ListL->setMinimumWidth(160);
  AddB = new QPushButton(vlQTr("&Add…"), this);
  AddB->setObjectName(QStringLiteral("AddB"));
  EditB = new QPushButton(vlQTr("&Edit…"), this);
  EditB->setObjectName(QStringLiteral("EditB"));
  RemoveB = new QPushButton(vlQTr("&Remove"), this);
  RemoveB->setObjectName(QStringLiteral("RemoveB"));
  for (QPushButton* b : {AddB, EditB, RemoveB}) b->setAutoDefault(false);
  PreviewT = new QTableWidget(this);
  PreviewT->setObjectName(QStringLiteral("PreviewT"));
  PreviewT->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PreviewT->setMinimumSize(420, 220);
  ColumnsL = new QLabel(this);
  ColumnsL->setObjectName(QStringLiteral("ColumnsL"));
  ColumnsL->setWordWrap(true);

  EditSource = [](QWidget* owner, TvlReportDataSource& source, const std::function<bool(const std::string&)>& taken) {
    TvlDataSourceEditForm edit(source, taken, owner);
    if (edit.exec() != QDialog::Accepted) return false;
    source = edit.Source();
    return true;
  };
  connect(AddB, &QPushButton::clicked, this, [this] { AddSource(); });
  connect(EditB, &QPushButton::clicked, this, [this] { EditCurrent(); });
  connect(RemoveB, &QPushButton::clicked, this, [this] { RemoveCurrent(); });
  connect(ListL, &QListWidget::currentRowChanged, this, [this] { ShowPreview(); });
  connect(ListL, &QListWidget::itemDoubleClicked, this, [this] { EditCurrent(); });

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(AddB);
  buttons->addWidget(EditB);
  buttons->addWidget(RemoveB);
  buttons->addStretch(1);
  auto* left = new QHBoxLayout;
  left->addWidget(ListL);
  left->addLayout(buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(vlQTr("First rows:"), this));
  right->addWidget(PreviewT, 1);
  right->addWidget(ColumnsL);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(vlOkCancelButtons(this));
  Refill(0);
}

void TvlDataSourcesForm::Refill(int current) {
  ListL->clear();
  for (const auto& s : sources_.Items) ListL->addItem(vlToQt(s.Name));
  if (ListL->count() > 0) ListL->setCurrentRow(std::min(std::max(current, 0), ListL->count() - 1));
  EditB->setEnabled(ListL->count() > 0);
  RemoveB->setEnabled(ListL->count() > 0);
  ShowPreview();
}

void TvlDataSourcesForm::AddSource() {
  TvlReportDataSource source;
  auto taken = [this](const std::string& name) { return sources_.Find(name) != nullptr; };
  if (!EditSource || !EditSource(this, source, taken)) return;
  sources_.Set(source);
  Refill(static_cast<int>(sources_.Items.size()) - 1);
}

void TvlDataSourcesForm::EditCurrent() {
  const int row = ListL->currentRow();
  if (row < 0 || row >= static_cast<int>(sources_.Items.size())) return;
  TvlReportDataSource source = sources_.Items[static_cast<std::size_t>(row)];
  const std::string was = source.Name;
  auto taken = [this, was](const std::string& name) { return name != was && sources_.Find(name) != nullptr; };
  if (!EditSource || !EditSource(this, source, taken)) return;
  sources_.Items[static_cast<std::size_t>(row)] = source;
  Refill(row);
}

void TvlDataSourcesForm::RemoveCurrent() {
  const int row = ListL->currentRow();
  if (row < 0 || row >= static_cast<int>(sources_.Items.size())) return;
  sources_.Items.erase(sources_.Items.begin() + row);
  Refill(row);
}

void TvlDataSourcesForm::ShowPreview() {
  PreviewT->clear();
  PreviewT->setRowCount(0);
  PreviewT->setColumnCount(0);
  const int row = ListL->currentRow();
  if (row < 0 || row >= static_cast<int>(sources_.Items.size())) {
    ColumnsL->setText(vlQTr("No data source: Add… names a CSV, vCard or SQLite file."));
    return;
  }
  const TvlReportDataSource& source = sources_.Items[static_cast<std::size_t>(row)];
  try {
    const TvlSourceSample sample = vlSampleSource(source, kPreviewRows);
    PreviewT->setColumnCount(static_cast<int>(sample.Columns.size()));
    QStringList headers;
    for (const auto& c : sample.Columns) headers << vlToQt(c);
    PreviewT->setHorizontalHeaderLabels(headers);
    PreviewT->setRowCount(static_cast<int>(sample.Rows.size()));
    for (std::size_t r = 0; r < sample.Rows.size(); ++r)
      for (std::size_t c = 0; c < sample.Rows[r].size(); ++c)
        PreviewT->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(vlToQt(sample.Rows[r][c])));
    PreviewT->resizeColumnsToContents();
    ColumnsL->setText(vlQTr("%1 columns: %2").arg(headers.size()).arg(headers.join(QStringLiteral(", "))));
  } catch (const TvlError& e) {
    ColumnsL->setText(vlToQt(e.what()));
  }
}

bool vlEditDataSources(QWidget* owner, TvlReportDataSources& sources) {
  TvlDataSourcesForm form(sources, owner);
  if (form.exec() != QDialog::Accepted) return false;
  if (form.Sources().Items == sources.Items) return false;
  sources = form.Sources();
  return true;
}

}  // namespace vl
