#include "viewer/help_window.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/core/string_table.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "engine/core/language.h"

namespace vl {
namespace {

QString FindHelpFileAsNamed(const std::string& name) {
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

}  // namespace

// The guide in the interface language when there is one, else the English.
QString vlFindHelpFile(const std::string& name) {
  const std::string localised = vlLocalisedFileName(name);
  if (localised != name)
    if (const QString path = FindHelpFileAsNamed(localised); !path.isEmpty()) return path;
  return FindHelpFileAsNamed(name);
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

// The window the user works in: a modal window blocks every other one, so
// help must belong to it to be usable; help asked for from the help window
// keeps its owner.
QWidget* WorkingWindow(const QWidget* help) {
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = QApplication::activeWindow();
  if (owner && help && (owner == help || help->isAncestorOf(owner))) return nullptr;
  // A tool window's help belongs to the window it serves.
  while (owner && (owner->windowType() == Qt::Tool || owner->windowType() == Qt::Popup) && owner->parentWidget())
    owner = owner->parentWidget()->window();
  return owner;
}

}  // namespace

void TvlQtHelpViewer::ShowHelp(const std::string& file, int context) {
  const QString path = vlFindHelpFile(file);
  if (path.isEmpty()) {
    vlShowMessage(vlLoadStr(str::kNoHelpFile) + file, vlLoadStr(str::kError), TvlMsgIcon::Error);
    return;
  }
  QWidget* owner = WorkingWindow(window_.data());
  if (!window_) {
    window_ = new TvlHelpWindow(owner);
    window_->setAttribute(Qt::WA_DeleteOnClose);
    AttachTo(owner);
  } else if (owner && owner != owner_) {
    // Re-parenting hides the window; it is shown again below.
    const QRect bounds = window_->geometry();
    window_->setParent(owner, Qt::Window);
    window_->setGeometry(bounds);
    AttachTo(owner);
  }
  window_->ShowTopic(path, context);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void TvlQtHelpViewer::AttachTo(QWidget* owner) {
  if (owner_) owner_->removeEventFilter(this);
  owner_ = owner;
  if (owner) owner->installEventFilter(this);
}

bool TvlQtHelpViewer::eventFilter(QObject* watched, QEvent* event) {
  // Help on a window closes with it (a minimised owner keeps its help).
  if (watched == owner_ && window_ && event->type() == QEvent::Hide && !event->spontaneous()) window_->close();
  return QObject::eventFilter(watched, event);
}

TvlQtHelpViewer& vlQtHelpViewer() {
  // Never destroyed: its window must not outlive the application object.
  static TvlQtHelpViewer* viewer = new TvlQtHelpViewer;
  return *viewer;
}

TvlHelpWindow* vlHelpWindow() { return vlQtHelpViewer().Window(); }

}  // namespace vl
