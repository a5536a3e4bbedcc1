#include "engine/output/qt/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/core/string_table.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {

std::string& vlApplicationHelpFile() {
  static std::string file;
  return file;
}

QString vlFindHelpFile(const std::string& name) {
  if (name.empty()) return {};
  const QString file = vlToQt(name);
  if (QFileInfo(file).isAbsolute()) return QFileInfo::exists(file) ? file : QString();
  // The program starts in its data folder (the one holding Vlf and help);
  // beside the program, in the installation's shared data (bin/../share/vellora,
  // which the build tree mirrors), and the source tree for a build run where
  // it was made.
  const QString programDir = QCoreApplication::applicationDirPath();
  const QStringList folders = {QDir::currentPath() + QStringLiteral("/help"), QDir::currentPath(),
                               programDir + QStringLiteral("/help"),
                               programDir + QStringLiteral("/../share/vellora/help"),
                               QStringLiteral(VL_HELP_DIR)};
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(file);
    if (QFileInfo::exists(path)) return QFileInfo(path).absoluteFilePath();
  }
  return {};
}

TvlHelpWindow::TvlHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("TvlHelpWindow"));
  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 560);
}

bool TvlHelpWindow::ShowTopic(const QString& path, int context) {
  if (path.isEmpty()) return false;
  QUrl url = QUrl::fromLocalFile(path);
  if (context > 0) url.setFragment(QStringLiteral("context-%1").arg(context));
  browser_->setSource(url);
  if (context > 0) browser_->scrollToAnchor(url.fragment());
  setWindowTitle(browser_->documentTitle());
  return true;
}

namespace {
QPointer<TvlHelpWindow>& Window() {
  static QPointer<TvlHelpWindow> window;
  return window;
}
}  // namespace

TvlHelpWindow* vlHelpWindow() { return Window().data(); }

void vlShowHelp(int context) {
  const QString path = vlFindHelpFile(vlApplicationHelpFile());
  if (path.isEmpty()) {
    vlShowMessage(vlLoadStr(str::kNoHelpFile) + vlApplicationHelpFile(), vlLoadStr(str::kError),
                  TvlMsgIcon::Error);
    return;
  }
  if (!Window()) {
    Window() = new TvlHelpWindow;
    Window()->setAttribute(Qt::WA_DeleteOnClose);
  }
  Window()->ShowTopic(path, context);
  Window()->show();
  Window()->raise();
  Window()->activateWindow();
}

}  // namespace vl
