#pragma once
// The small dialog that asks which column of an address list feeds each
// envelope field, when the columns' names do not tell. Each field has a
// list of the columns (and "(none)"), with the first address's value of the
// chosen column beside it, so that the user sees what will print.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "engine/data/address_fields.h"

class QComboBox;
class QLabel;

namespace vl {

class TvlDataSource;

class TAddressMappingDialog : public QDialog {
 public:
  // source is open and its first record current; mapping is the starting choice.
  TAddressMappingDialog(const std::string& listName, TvlDataSource& source, const TvlAddressMapping& mapping,
                        QWidget* parent = nullptr);

  // The choice as it stands.
  TvlAddressMapping Mapping() const;

  std::array<QComboBox*, kEnvelopeFieldCount> Columns{};
  std::array<QLabel*, kEnvelopeFieldCount> Samples{};

 private:
  void ShowSample(int field);

  TvlDataSource& source_;
  std::vector<std::string> columns_;
};

}  // namespace vl
