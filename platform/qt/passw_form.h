#pragma once
// The password prompt: a fixed-size dialog centred on the screen with the
// prompt label, a one-line entry that shows every character as "*", and OK
// and Cancel. A second label with the confirmation wording stays hidden; the
// report options dialog copies it into the prompt before asking again.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace vl {

class TvlPasswForm : public QDialog {
 public:
  // The button captions and the confirmation wording; the program puts its
  // string-table texts here at start-up (this layer has no string table).
  struct TTexts {
    QString Ok = QStringLiteral("OK");
    QString Cancel = QStringLiteral("Cancel");
    QString Confirm;
  };
  static TTexts& Texts();

  TvlPasswForm(const QString& caption, const QString& prompt, const QString& confirmText = QString(),
               QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }  // the confirmation wording, hidden
  QLineEdit* Edit() const { return edit_; }
  QString Password() const;

 private:
  QLabel* label1_;
  QLabel* label2_;
  QLineEdit* edit_;
};

}  // namespace vl
