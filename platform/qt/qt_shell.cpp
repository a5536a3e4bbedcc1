#include "platform/qt/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/qt/qt_text.h"

namespace vl {

bool TvlQtShell::Open(const std::string& address, const std::string&) {
  const QString a = vlToQt(address);
  const QUrl url = QFileInfo::exists(a) ? QUrl::fromLocalFile(a) : QUrl::fromUserInput(a);
  return QDesktopServices::openUrl(url);
}

}  // namespace vl
