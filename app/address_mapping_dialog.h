#pragma once
// The small dialog that asks which columns of an address list feed each
// envelope field, when the columns' names do not tell. Each field has a
// list of the columns (and "(none)"), and "+" adds another list for a field
// made of several columns (province, city and street), joined in order as
// one address. Beside each field stands the first address's value as it
// will print, and below them the first envelope's recipient as a whole. OK
// is refused while the choice gives neither the recipient's name nor the
// address, which would print blank envelopes.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "engine/data/address_fields.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QToolButton;

namespace vl {

class TvlDataSource;

class TAddressMappingDialog : public QDialog {
 public:
  // source is open and its first record current; mapping is the starting choice.
  TAddressMappingDialog(const std::string& listName, TvlDataSource& source, const TvlAddressMapping& mapping,
                        QWidget* parent = nullptr);

  // The choice as it stands.
  TvlAddressMapping Mapping() const;
  // Adds a further column list to a field (chosen: the column's index in
  // the list, -1 for none); returns it.
  QComboBox* AddColumn(int field, int chosen = -1);

  void accept() override;

  // The first column list of each field, and the further ones in order.
  std::array<QComboBox*, kEnvelopeFieldCount> Columns{};
  std::array<std::vector<QComboBox*>, kEnvelopeFieldCount> MoreColumns{};
  std::array<QToolButton*, kEnvelopeFieldCount> AddButtons{};
  std::array<QLabel*, kEnvelopeFieldCount> Samples{};
  // The first envelope's recipient as it will print.
  QLabel* Envelope = nullptr;
  // Why OK was refused; hidden while nothing is wrong.
  QLabel* Refusal = nullptr;

 private:
  QComboBox* MakeColumnBox(int chosen);
  void ShowSamples();
  // The first address's text of a field under the choice as it stands.
  std::string FirstText(int field) const;

  TvlDataSource& source_;
  std::vector<std::string> columns_;
  std::array<QHBoxLayout*, kEnvelopeFieldCount> rows_{};
};

}  // namespace vl
