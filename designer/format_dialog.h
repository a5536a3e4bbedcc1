#pragma once
// The display format dialog: a category and a kind of the category, the
// decimal digits and the decimal separator of numbers, and a custom format
// text for the custom kind. It edits one format code and one format text.

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;

namespace vl {

class TvlFmtForm : public QDialog {
 public:
  TvlFmtForm(std::int32_t code, const std::string& formatText, QWidget* parent = nullptr);

  // The code and text the boxes give (what OK returns).
  std::int32_t Code() const;
  std::string FormatText() const;

  QListWidget* CatLB() const { return cat_; }
  QListWidget* TypeLB() const { return type_; }
  QLineEdit* DecEdit() const { return dec_; }
  QLineEdit* SplEdit() const { return spl_; }
  QLineEdit* FormatEdit() const { return format_; }

 private:
  void FillKinds();
  void UpdateControls();

  std::int32_t code_;
  std::string text_;
  QListWidget* cat_;
  QListWidget* type_;
  QLabel* decLabel_;
  QLabel* splLabel_;
  QLabel* formatLabel_;
  QLineEdit* dec_;
  QLineEdit* spl_;
  QLineEdit* format_;
};

}  // namespace vl
