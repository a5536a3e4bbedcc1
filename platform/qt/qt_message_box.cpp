#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "platform/qt/passw_form.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

QMessageBox::Icon QtIcon(TvlMsgIcon icon) {
  switch (icon) {
    case TvlMsgIcon::None: break;
    case TvlMsgIcon::Error: return QMessageBox::Critical;
    case TvlMsgIcon::Warning: return QMessageBox::Warning;
    case TvlMsgIcon::Information: return QMessageBox::Information;
    case TvlMsgIcon::Question: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The buttons in the order the classic box shows them.
std::vector<QMessageBox::StandardButton> QtButtons(TvlMsgButtons buttons) {
  switch (buttons) {
    case TvlMsgButtons::Ok: break;
    case TvlMsgButtons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case TvlMsgButtons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case TvlMsgButtons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case TvlMsgButtons::AbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case TvlMsgButtons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
  }
  return {QMessageBox::Ok};
}

}  // namespace

std::unique_ptr<QMessageBox> vlMakeQtMessageBox(const std::string& text, const std::string& caption,
                                                const TvlMsgStyle& style, QWidget* parent) {
  const std::vector<QMessageBox::StandardButton> order = QtButtons(style.Buttons);
  QMessageBox::StandardButtons qbuttons;
  for (QMessageBox::StandardButton b : order) qbuttons |= b;
  // Engine messages break lines with a carriage return alone.
  QString body = vlToQt(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
  auto box = std::make_unique<QMessageBox>(QtIcon(style.Icon), vlToQt(caption), body, qbuttons, parent);
  const std::size_t first = style.DefaultButton >= 0 && static_cast<std::size_t>(style.DefaultButton) < order.size()
                                ? static_cast<std::size_t>(style.DefaultButton)
                                : 0;
  box->setDefaultButton(order[first]);
  return box;
}

TvlMsgResult vlQtMessageBoxResult(int standardButton) {
  switch (standardButton) {
    case QMessageBox::Ok: return TvlMsgResult::Ok;
    case QMessageBox::Cancel: return TvlMsgResult::Cancel;
    case QMessageBox::Abort: return TvlMsgResult::Abort;
    case QMessageBox::Retry: return TvlMsgResult::Retry;
    case QMessageBox::Ignore: return TvlMsgResult::Ignore;
    case QMessageBox::Yes: return TvlMsgResult::Yes;
    case QMessageBox::No: return TvlMsgResult::No;
    default: return TvlMsgResult::None;
  }
}

TvlMsgResult TvlQtMessageBox::Show(const std::string& text, const std::string& caption,
                                   TvlMsgIcon icon, TvlMsgButtons buttons) {
  return ShowStyled(text, caption, TvlMsgStyle{buttons, icon, 0});
}

TvlMsgResult TvlQtMessageBox::ShowStyled(const std::string& text, const std::string& caption,
                                         const TvlMsgStyle& style) {
  const std::unique_ptr<QMessageBox> box = vlMakeQtMessageBox(text, caption, style, QApplication::activeWindow());
  return vlQtMessageBoxResult(box->exec());
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
