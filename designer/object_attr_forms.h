#pragma once
// The dialogs of one object attribute: the object tag (a free text with an
// expression button) and the object's restrictions (seven check boxes).

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class QCheckBox;

namespace vl {

class TvlComboEdit;

class TvlAttrEditorForm : public QDialog {
 public:
  // buildExpression: the expression builder (unset: the button does nothing).
  TvlAttrEditorForm(const std::string& tag, std::function<bool(std::string&)> buildExpression,
                    QWidget* parent = nullptr);
  std::string Tag() const;
  TvlComboEdit* Edit() const { return edit_; }

 private:
  TvlComboEdit* edit_;
};

class TvlRestrictionsForm : public QDialog {
 public:
  explicit TvlRestrictionsForm(std::uint8_t restrictions, QWidget* parent = nullptr);
  // The sum of the checked boxes' bits.
  std::uint8_t Restrictions() const;
  QCheckBox* Box(int i) const { return boxes_[i]; }  // 0-6: CB1 ... CB7

 private:
  QCheckBox* boxes_[7];
};

}  // namespace vl
