#include "designer/designer_dialogs.h"

#include <QDir>
#include <QFileDialog>

#include "viewer/preview_form.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

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
  // The user guide at the section of the context (its anchor "context-N").
  d.ShowHelp = [](int context) { vlPlatform().Help->ShowHelp(kPreviewHelpFile, context); };
  return d;
}

}  // namespace

TvlDesignerDialogs& vlDesignerDialogs() {
  static TvlDesignerDialogs dialogs = MakeDefaults();
  return dialogs;
}

}  // namespace vl
