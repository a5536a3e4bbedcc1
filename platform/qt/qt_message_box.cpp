#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/qt/passw_form.h"
#include "platform/qt/qt_text.h"

namespace vl {

TvlMsgResult TvlQtMessageBox::Show(const std::string& text, const std::string& caption,
                                   TvlMsgIcon icon, TvlMsgButtons buttons) {
  QMessageBox::Icon qicon = QMessageBox::NoIcon;
  switch (icon) {
    case TvlMsgIcon::None: break;
    case TvlMsgIcon::Error: qicon = QMessageBox::Critical; break;
    case TvlMsgIcon::Warning: qicon = QMessageBox::Warning; break;
    case TvlMsgIcon::Information: qicon = QMessageBox::Information; break;
    case TvlMsgIcon::Question: qicon = QMessageBox::Question; break;
  }
  QMessageBox::StandardButtons qbuttons = QMessageBox::Ok;
  switch (buttons) {
    case TvlMsgButtons::Ok: break;
    case TvlMsgButtons::OkCancel: qbuttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case TvlMsgButtons::YesNo: qbuttons = QMessageBox::Yes | QMessageBox::No; break;
    case TvlMsgButtons::YesNoCancel:
      qbuttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  // Engine messages break lines with a carriage return alone.
  QString body = vlToQt(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  QMessageBox box(qicon, vlToQt(caption), body, qbuttons, QApplication::activeWindow());
  switch (box.exec()) {
    case QMessageBox::Ok: return TvlMsgResult::Ok;
    case QMessageBox::Yes: return TvlMsgResult::Yes;
    case QMessageBox::No: return TvlMsgResult::No;
    case QMessageBox::Cancel: return TvlMsgResult::Cancel;
    default: return TvlMsgResult::None;
  }
}

bool TvlQtMessageBox::InputBox(const std::string& caption, const std::string& prompt,
                               std::string& value) {
  bool ok = false;
  const QString r = QInputDialog::getText(QApplication::activeWindow(), vlToQt(caption),
                                          vlToQt(prompt), QLineEdit::Normal, vlToQt(value), &ok);
  if (ok) value = vlFromQt(r);
  return ok;
}

bool TvlQtMessageBox::PasswordPrompt(const std::string& caption, const std::string& prompt,
                                     std::string& value) {
  TvlPasswForm form(vlToQt(caption), vlToQt(prompt), QString(), QApplication::activeWindow());
  if (form.exec() != QDialog::Accepted) return false;
  value = vlFromQt(form.Password());
  return true;
}

}  // namespace vl
