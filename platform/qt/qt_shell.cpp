#include "platform/qt/qt_shell.h"

#include <QDesktopServices>

#include "platform/qt/qt_text.h"

namespace vl {

QUrl vlShellUrl(const std::string& address) {
  const QString a = vlToQt(address).trimmed();
  const QUrl url(a, QUrl::StrictMode);
  // A one-letter scheme would be a drive letter, not a scheme.
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromUserInput(a);
}

bool TvlQtShell::Open(const std::string& address, const std::string&) {
  const QUrl url = vlShellUrl(address);
  if (!url.isValid() || url.scheme().isEmpty()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace vl
