#include "designer/designer_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/language_choice.h"
#include "designer/designer_text.h"
#include "engine/core/date_time.h"
#include "engine/model/report.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_language.h"

namespace vl {

namespace {

void AddOkCancel(QDialog* dialog, QBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(vlStr(str::kOk), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("OkButton"));
  ok->setDefault(true);
  buttons->addButton(vlStr(str::kCancel), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelButton"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QComboBox* FontBox(QWidget* parent, const char* name, const std::string& value) {
  auto* box = Named(new QComboBox(parent), name);
  box->setEditable(true);
  box->addItems(QFontDatabase::families());
  box->setCurrentText(vlToQt(value));
  return box;
}

QComboBox* SizeBox(QWidget* parent, const char* name, const std::string& value) {
  auto* box = Named(new QComboBox(parent), name);
  box->setEditable(true);
  for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 24}) box->addItem(QString::number(s));
  box->setCurrentText(vlToQt(value));
  return box;
}

// The sample text drawn in the chosen name and size.
QLabel* Sample(QWidget* parent, QComboBox* name, QComboBox* size) {
  auto* sample = new QLabel(QStringLiteral("AaBbCcDdEe"), parent);
  sample->setMinimumHeight(36);
  auto redraw = [sample, name, size] {
    TvlCanvasFont font;
    font.Name = vlFromQt(name->currentText());
    font.Height = std::max(1, size->currentText().toInt()) * 96 / 72;
    sample->setFont(vlQtFont(font));
  };
  QObject::connect(name, &QComboBox::currentTextChanged, sample, redraw);
  QObject::connect(size, &QComboBox::currentTextChanged, sample, redraw);
  redraw();
  return sample;
}

}  // namespace

TvlDesignerOptionsForm::TvlDesignerOptionsForm(const TvlDesignerOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
  setObjectName(QStringLiteral("DesignerOptionsForm"));
  setWindowTitle(vlStr(57075));
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  layout->addWidget(tabs);

  auto* designer = new QWidget(tabs);
  auto* grid = new QGridLayout(designer);
  showGrid_ = Named(new QCheckBox(vlStr(57076), designer), "ShowGrid");
  alignGrid_ = Named(new QCheckBox(vlStr(57077), designer), "AlignGrid");
  contents_ = Named(new QCheckBox(vlStr(57078), designer), "ShowContents");
  colored_ = Named(new QCheckBox(vlStr(57083), designer), "ColoredButtons");
  editAfter_ = Named(new QCheckBox(vlStr(57084), designer), "EditAfterInsert");
  bandTitles_ = Named(new QCheckBox(vlStr(57085), designer), "BandTitles");
  localized_ = Named(new QCheckBox(vlStr(57086), designer), "LocalizedNames");
  disableUndo_ = Named(new QCheckBox(vlStr(57087), designer), "DisableUndo");
  int row = 0;
  for (QCheckBox* box : {showGrid_, alignGrid_, contents_, colored_, editAfter_, bandTitles_, localized_, disableUndo_})
    grid->addWidget(box, row++, 0);
  // The interface language is kept when the dialog is accepted.
  auto* language = new QHBoxLayout();
  QComboBox* languageBox = vlLanguageComboBox(designer);
  language->addWidget(new QLabel(vlQTr("Language (from the next start):"), designer));
  language->addWidget(languageBox);
  language->addStretch(1);
  grid->addLayout(language, row++, 0);
  connect(this, &QDialog::accepted, languageBox, [languageBox] { vlStoreLanguageChoice(*languageBox); });
  auto radios = [&](int title, std::initializer_list<int> captions, QRadioButton** out, const char* name, int column,
                    int at) {
    auto* box = new QGroupBox(vlStr(title), designer);
    auto* col = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    int i = 0;
    for (int c : captions) {
      out[i] = Named(new QRadioButton(vlStr(c), box), (std::string(name) + std::to_string(i)).c_str());
      group->addButton(out[i]);
      col->addWidget(out[i]);
      ++i;
    }
    grid->addWidget(box, at, column, 3, 1);
  };
  radios(57079, {55330, 55331, 55332}, units_, "Units", 1, 0);
  radios(57080, {57081, 57082, 57096}, grid_, "GridSize", 1, 3);
  radios(57088, {57089, 57090, 57091}, position_, "PagePosition", 1, 6);
  tabs->addTab(designer, vlStr(53080));

  auto* editor = new QWidget(tabs);
  auto* ecol = new QVBoxLayout(editor);
  auto* text = new QGroupBox(vlStr(57092), editor);
  auto* tgrid = new QGridLayout(text);
  objectFont_ = Named(new QRadioButton(vlStr(57093), text), "ObjectFont");
  fixedFont_ = Named(new QRadioButton(vlStr(57094), text), "FixedFont");
  textFont_ = FontBox(text, "TextFontName", options.TextFontName);
  textSize_ = SizeBox(text, "TextFontSize", options.TextFontSize);
  tgrid->addWidget(objectFont_, 0, 0, 1, 2);
  tgrid->addWidget(fixedFont_, 1, 0, 1, 2);
  tgrid->addWidget(textFont_, 2, 0);
  tgrid->addWidget(textSize_, 2, 1);
  tgrid->addWidget(Sample(text, textFont_, textSize_), 3, 0, 1, 2);
  ecol->addWidget(text);
  auto* script = new QGroupBox(vlStr(57095), editor);
  auto* sgrid = new QGridLayout(script);
  scriptFont_ = FontBox(script, "ScriptFontName", options.ScriptFontName);
  scriptSize_ = SizeBox(script, "ScriptFontSize", options.ScriptFontSize);
  sgrid->addWidget(scriptFont_, 0, 0);
  sgrid->addWidget(scriptSize_, 0, 1);
  sgrid->addWidget(Sample(script, scriptFont_, scriptSize_), 1, 0, 1, 2);
  ecol->addWidget(script);
  syntax_ = Named(new QCheckBox(vlStr(57097), editor), "SyntaxHighlight");
  ecol->addWidget(syntax_);
  tabs->addTab(editor, vlStr(57098));
  AddOkCancel(this, layout);

  auto fixedOnly = [this] {
    textFont_->setEnabled(fixedFont_->isChecked());
    textSize_->setEnabled(fixedFont_->isChecked());
  };
  connect(fixedFont_, &QRadioButton::toggled, this, fixedOnly);

  showGrid_->setChecked(options.GridShow);
  alignGrid_->setChecked(options.GridAlign);
  contents_->setChecked(options.Selection == 1);
  colored_->setChecked(!options.GrayButtons);
  editAfter_->setChecked(options.EditAfterInsert);
  bandTitles_->setChecked(options.BandTitles);
  localized_->setChecked(options.LocalizedPropNames);
  disableUndo_->setChecked(options.DisableUndo);
  units_[std::clamp(options.Units, 0, 2)]->setChecked(true);
  if (options.GridSize == 4) grid_[0]->setChecked(true);
  if (options.GridSize == 8) grid_[1]->setChecked(true);
  if (options.GridSize == 18) grid_[2]->setChecked(true);
  position_[options.PagePosition == ppLeft ? 1 : options.PagePosition == ppRight ? 2 : 0]->setChecked(true);
  (options.UseDefaultFont ? objectFont_ : fixedFont_)->setChecked(true);
  syntax_->setChecked(options.SyntaxHighlight);
  fixedOnly();
}

TvlDesignerOptions TvlDesignerOptionsForm::Result() const {
  TvlDesignerOptions o = options_;
  o.GridShow = showGrid_->isChecked();
  o.GridAlign = alignGrid_->isChecked();
  o.Selection = contents_->isChecked() ? 1 : 0;
  o.GrayButtons = !colored_->isChecked();
  o.EditAfterInsert = editAfter_->isChecked();
  o.BandTitles = bandTitles_->isChecked();
  o.LocalizedPropNames = localized_->isChecked();
  o.DisableUndo = disableUndo_->isChecked();
  for (int i = 0; i < 3; ++i)
    if (units_[i]->isChecked()) o.Units = i;
  o.GridSize = grid_[0]->isChecked() ? 4 : grid_[1]->isChecked() ? 8 : 18;
  o.PagePosition = position_[1]->isChecked() ? ppLeft : position_[2]->isChecked() ? ppRight : ppCenter;
  o.UseDefaultFont = objectFont_->isChecked();
  o.TextFontName = vlFromQt(textFont_->currentText());
  o.TextFontSize = vlFromQt(textSize_->currentText());
  o.ScriptFontName = vlFromQt(scriptFont_->currentText());
  o.ScriptFontSize = vlFromQt(scriptSize_->currentText());
  o.SyntaxHighlight = syntax_->isChecked();
  return o;
}

// ---- Report options ----

TvlReportOptionsForm::TvlReportOptionsForm(TvlReport& report, QWidget* parent) : QDialog(parent), report_(report) {
  setObjectName(QStringLiteral("ReportOptionsForm"));
  setWindowTitle(vlStr(57099));
  auto* layout = new QVBoxLayout(this);
  auto* general = new QGroupBox(vlStr(57100), this);
  auto* gcol = new QVBoxLayout(general);
  printer_ = Named(new QComboBox(general), "Printer");
  for (const std::string& p : vlPrinter().PrinterList) printer_->addItem(vlToQt(p));
  printer_->setCurrentText(vlToQt(report.PrinterName));
  gcol->addWidget(new QLabel(vlStr(57101), general));
  gcol->addWidget(printer_);
  select_ = Named(new QCheckBox(vlStr(53372), general), "SelectWhenLoaded");
  twoPass_ = Named(new QCheckBox(vlStr(53374), general), "TwoPass");
  password_ = Named(new QCheckBox(vlStr(55657), general), "PasswordProtected");
  for (QCheckBox* b : {select_, twoPass_, password_}) gcol->addWidget(b);
  layout->addWidget(general);
  auto* info = new QGroupBox(vlStr(57102), this);
  auto* form = new QFormLayout(info);
  comment_ = Named(new QLineEdit(vlToQt(report.ReportComment), info), "Comment");
  name_ = Named(new QLineEdit(vlToQt(report.ReportName), info), "ReportName");
  author_ = Named(new QLineEdit(vlToQt(report.ReportAutor), info), "Author");
  form->addRow(vlStr(57103), comment_);
  form->addRow(vlStr(57104), name_);
  form->addRow(vlStr(57105), author_);
  auto* version = new QWidget(info);
  auto* vrow = new QHBoxLayout(version);
  vrow->setContentsMargins(0, 0, 0, 0);
  major_ = Named(new QLineEdit(vlToQt(report.VMajor), version), "VMajor");
  minor_ = Named(new QLineEdit(vlToQt(report.VMinor), version), "VMinor");
  release_ = Named(new QLineEdit(vlToQt(report.VRelease), version), "VRelease");
  build_ = Named(new QLineEdit(vlToQt(report.VBuild), version), "VBuild");
  for (QLineEdit* e : {major_, minor_, release_, build_}) vrow->addWidget(e);
  form->addRow(vlStr(57106), version);
  form->addRow(vlStr(57107), new QLabel(vlToQt(vlDateTimeToText(report.ReportCreateDate)), info));
  form->addRow(vlStr(57108), new QLabel(vlToQt(vlDateTimeToText(report.ReportLastChange)), info));
  layout->addWidget(info);
  AddOkCancel(this, layout);
  select_->setChecked(report.SelectPrinterWhenLoaded);
  twoPass_->setChecked(report.TwoPassReport);
  password_->setChecked(report.PasswordProtected);
  connect(password_, &QCheckBox::toggled, this, [this](bool on) { PasswordToggled(on); });
}

void TvlReportOptionsForm::PasswordToggled(bool on) {
  passwordSet_ = false;
  newPassword_.clear();
  if (!on) return;
  TvlMessageBox& box = *vlPlatform().MessageBox;
  std::string first, second;
  const bool ok = box.PasswordPrompt(vlLoadStr(str::kPasswordCaption), vlLoadStr(str::kPasswordPrompt), first) &&
                  box.PasswordPrompt(vlLoadStr(str::kPasswordCaption), vlLoadStr(str::kPasswordRetype), second) &&
                  first == second;
  if (!ok) {
    const QSignalBlocker block(password_);
    password_->setChecked(false);
    return;
  }
  newPassword_ = first;
  passwordSet_ = true;
}

void TvlReportOptionsForm::Apply() {
  report_.SelectPrinterWhenLoaded = select_->isChecked();
  report_.TwoPassReport = twoPass_->isChecked();
  report_.ReportComment = vlFromQt(comment_->text());
  report_.ReportName = vlFromQt(name_->text());
  report_.ReportAutor = vlFromQt(author_->text());
  report_.VMajor = vlFromQt(major_->text());
  report_.VMinor = vlFromQt(minor_->text());
  report_.VRelease = vlFromQt(release_->text());
  report_.VBuild = vlFromQt(build_->text());
  report_.ChangePrinter(vlFromQt(printer_->currentText()));
  if (!password_->isChecked()) {
    report_.PasswordProtected = false;
    report_.Password.clear();
  } else if (passwordSet_) {
    report_.PasswordProtected = true;
    report_.Password = newPassword_;
  }
}

}  // namespace vl
