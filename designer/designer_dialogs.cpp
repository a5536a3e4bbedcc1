#include "designer/designer_dialogs.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/designer_text.h"
#include "designer/report_designer.h"
#include "engine/model/page.h"
#include "engine/output/qt/help_window.h"
#include "engine/model/report.h"
#include "platform/platform.h"

namespace vl {

namespace {

// "Caption (*.ext)|*.ext" pairs as a Qt filter list, and the chosen one back.
QString QtFilters(const std::vector<std::string>& filters) {
  QStringList list;
  for (const std::string& f : filters) list << vlToQt(f.substr(0, f.find('|')));
  return list.join(QStringLiteral(";;"));
}

int FilterIndex(const std::vector<std::string>& filters, const QString& chosen) {
  for (std::size_t i = 0; i < filters.size(); ++i)
    if (vlToQt(filters[i].substr(0, filters[i].find('|'))) == chosen) return static_cast<int>(i) + 1;
  return 1;
}

QString StartIn(const std::string& dir, const std::string& path) {
  if (!path.empty()) return vlToQt(path);
  return dir.empty() ? QString() : vlToQt(dir);
}

void AddButtons(QDialog& dialog, QBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(vlStr(str::kOk), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(vlStr(str::kCancel), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

// The band types a page may take: unique types only while the page has none;
// a sub-report's target page takes no title, summary, page, column or group bands.
bool BandTypeAllowed(const TvlPage* page, bool subReportTarget, int t) {
  const bool repeatable = (t >= btMasterHeader && t <= btSubDetailFooter) || t == btGroupHeader ||
                          t == btGroupFooter || t == btChild;
  if (subReportTarget && ((t >= btReportTitle && t <= btPageFooter) || (t >= btColumnHeader && t <= btGroupFooter)))
    return false;
  if (repeatable || !page) return true;
  return std::none_of(page->Objects.begin(), page->Objects.end(),
                      [t](const auto& v) { return v->Typ == otBand && v->FrameTyp == t; });
}

bool ChooseBandType(QWidget* owner, bool subReportTarget, int& bandType) {
  QDialog dialog(owner);
  dialog.setWindowTitle(vlStr(53510));
  auto* layout = new QVBoxLayout(&dialog);
  auto* box = new QGroupBox(vlStr(53511), &dialog);
  auto* grid = new QGridLayout(box);
  auto* group = new QButtonGroup(&dialog);
  const TvlPage* page = vlCurrentDesigner() ? vlCurrentDesigner()->Page : nullptr;
  bool preselected = false;
  for (int t = 0; t <= btChild; ++t) {
    auto* radio = new QRadioButton(vlStr(str::kFirstBandName + t), box);
    radio->setEnabled(BandTypeAllowed(page, subReportTarget, t));
    if (radio->isEnabled() && !preselected) {
      radio->setChecked(true);
      preselected = true;
    }
    group->addButton(radio, t);
    grid->addWidget(radio, t % 11, t / 11);
  }
  layout->addWidget(box);
  AddButtons(dialog, layout);
  if (dialog.exec() != QDialog::Accepted || group->checkedId() < 0) return false;
  bandType = group->checkedId();
  return true;
}

bool ChooseTemplate(QWidget* owner, const std::string& templateDir, std::string& path) {
  QDialog dialog(owner);
  dialog.setWindowTitle(vlStr(53318));
  auto* layout = new QVBoxLayout(&dialog);
  auto* row = new QHBoxLayout;
  auto* list = new QListWidget(&dialog);
  list->setViewMode(QListView::IconMode);
  auto* description = new QGroupBox(vlStr(53319), &dialog);
  auto* column = new QVBoxLayout(description);
  auto* picture = new QLabel(description);
  picture->setFixedSize(100, 100);
  picture->setAlignment(Qt::AlignCenter);
  auto* comment = new QLabel(description);
  comment->setWordWrap(true);
  column->addWidget(picture);
  column->addWidget(comment, 1);
  row->addWidget(list, 1);
  row->addWidget(description);
  layout->addLayout(row);
  AddButtons(dialog, layout);
  QString folder = templateDir.empty() ? QCoreApplication::applicationDirPath() : vlToQt(templateDir);
  QDir dir(folder);
  QStringList names = dir.entryList({QStringLiteral("*.vlt")}, QDir::Files, QDir::Name);
  for (const QString& n : names) list->addItem(new QListWidgetItem(QFileInfo(n).completeBaseName()));
  auto* ok = dialog.findChild<QDialogButtonBox*>()->buttons().front();
  ok->setEnabled(false);
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&](int current) {
    ok->setEnabled(current >= 0);
    if (current < 0) return;
    try {
      const TvlDesignerTemplateInfo info =
          vlReadDesignerTemplateInfo(vlFromQt(dir.filePath(list->item(current)->text() + QStringLiteral(".vlt"))));
      QStringList lines;
      for (const std::string& l : info.Description) lines << vlToQt(l);
      comment->setText(lines.join(QLatin1Char('\n')));
      QImage image;
      image.loadFromData(reinterpret_cast<const uchar*>(info.Picture.data()), static_cast<int>(info.Picture.size()));
      picture->setPixmap(QPixmap::fromImage(image));
    } catch (const std::exception&) {
      comment->clear();
      picture->clear();
    }
  });
  if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return false;
  path = vlFromQt(dir.filePath(list->currentItem()->text() + QStringLiteral(".vlt")));
  return true;
}

bool DescribeTemplate(QWidget* owner, TvlDesignerTemplateInfo& info) {
  QDialog dialog(owner);
  dialog.setWindowTitle(vlStr(53320));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(vlStr(53321), &dialog));
  auto* comment = new QPlainTextEdit(&dialog);
  layout->addWidget(comment);
  auto* icon = new QGroupBox(vlStr(53322), &dialog);
  auto* row = new QHBoxLayout(icon);
  auto* picture = new QLabel(icon);
  picture->setFixedSize(86, 87);
  picture->setFrameShape(QFrame::Panel);
  picture->setFrameShadow(QFrame::Sunken);
  auto* file = new QPushButton(vlStr(53323), icon);
  row->addWidget(picture);
  row->addWidget(file);
  layout->addWidget(icon);
  AddButtons(dialog, layout);
  std::string bitmap;
  QObject::connect(file, &QPushButton::clicked, &dialog, [&] {
    const QString name = QFileDialog::getOpenFileName(&dialog, {}, {}, vlStr(55217) + QStringLiteral(" (*.bmp)"));
    if (name.isEmpty()) return;
    QFile f(name);
    QImage image(name);
    if (!f.open(QIODevice::ReadOnly) || image.isNull()) {
      vlShowMessage(vlFromQt(f.errorString().isEmpty() ? name : f.errorString()), vlLoadStr(str::kError), TvlMsgIcon::Error);
      return;
    }
    bitmap = f.readAll().toStdString();
    picture->setPixmap(QPixmap::fromImage(image).scaled(86, 87, Qt::KeepAspectRatio));
  });
  comment->setFocus();
  if (dialog.exec() != QDialog::Accepted) return false;
  info.Description.clear();
  for (const QString& line : comment->toPlainText().split(QLatin1Char('\n'))) info.Description.push_back(vlFromQt(line));
  info.Picture = bitmap;
  return true;
}

TvlDesignerDialogs MakeDefaults() {
  TvlDesignerDialogs d;
  d.OpenFile = [](QWidget* owner, const std::string& dir, const std::vector<std::string>& filters, std::string& path,
                  int& filter) {
    QString chosen;
    const QString name = QFileDialog::getOpenFileName(owner, {}, StartIn(dir, path), QtFilters(filters), &chosen);
    if (name.isEmpty()) return false;
    path = vlFromQt(name);
    filter = FilterIndex(filters, chosen);
    return true;
  };
  d.SaveFile = [](QWidget* owner, const std::string& dir, const std::vector<std::string>& filters, std::string& path,
                  int& filter) {
    QString chosen;
    const QString start = path.empty() ? StartIn(dir, {}) : QDir(vlToQt(dir)).filePath(QFileInfo(vlToQt(path)).fileName());
    const QString name = QFileDialog::getSaveFileName(owner, {}, start, QtFilters(filters), &chosen);
    if (name.isEmpty()) return false;
    path = vlFromQt(name);
    filter = FilterIndex(filters, chosen);
    return true;
  };
  d.ChooseBandType = ChooseBandType;
  d.NewReport = ChooseTemplate;
  d.NewTemplate = DescribeTemplate;
  // The user guide at the section of the context (its anchor "context-N").
  d.ShowHelp = [](int context) { vlShowHelp(context); };
  return d;
}

}  // namespace

TvlDesignerDialogs& vlDesignerDialogs() {
  static TvlDesignerDialogs dialogs = MakeDefaults();
  return dialogs;
}

}  // namespace vl
