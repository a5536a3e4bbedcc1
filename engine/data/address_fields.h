#pragma once
// The fields of an envelope and how an address list's columns feed them.
//
// The envelope templates print five dictionary variables of the category
// "Envelope": RecipientName, RecipientAddress, RecipientPostcode,
// SenderAddress and SenderPostcode. Without an address list they are empty
// texts; with one, each reads the column mapped to it (see
// address_binding.h). Anything else that fills envelopes (a recipient form)
// sets the same variables.
//
// Columns are matched by the names address lists usually give them, in
// Chinese and English, ignoring case, blanks and punctuation ("姓名",
// "收件人", "地址", "邮编", "Name", "Address", "ZIP", "Post code" ...); the
// fields of a vCard file match by meaning (FN, ADR, ADR_PostalCode). What a
// user maps by hand is remembered per set of column names in the settings
// store.

#include <array>
#include <string>
#include <vector>

namespace vl {

class TvlSettingsStore;

enum TvlEnvelopeField : int {
  efRecipientName,
  efRecipientAddress,
  efRecipientPostcode,
  efSenderAddress,
  efSenderPostcode,
};
inline constexpr int kEnvelopeFieldCount = 5;

// The dictionary category of the envelope variables.
inline constexpr const char* kEnvelopeCategory = "Envelope";
// The variable's name: "RecipientName", "RecipientAddress", ...
const char* vlEnvelopeVariable(int field);
// True for the recipient's fields, which an address list is expected to give.
inline bool vlIsRecipientField(int field) { return field <= efRecipientPostcode; }

// The dataset name an address list goes by (vlreport --dataset Addresses=...,
// and the launcher's list).
inline constexpr const char* kAddressDataset = "Addresses";

// The column that feeds each envelope field; empty for none. A field fed by
// several columns (an address split into province, city and street) has the
// first in Columns and the others, in order, in More; their texts are joined
// as address_parts.h says.
struct TvlAddressMapping {
  std::array<std::string, kEnvelopeFieldCount> Columns;
  std::array<std::vector<std::string>, kEnvelopeFieldCount> More;
  // The columns of a field, in order (none when Columns is empty).
  std::vector<std::string> ColumnsOf(int field) const;
  // Gives a field these columns, in order (none for an empty list).
  void SetColumns(int field, const std::vector<std::string>& columns);
  bool operator==(const TvlAddressMapping&) const = default;
};

// A column name as it compares: UTF-8, ASCII letters in lower case, without
// blanks, ideographic blanks and the usual punctuation.
std::string vlComparableColumnName(const std::string& column);

// Each field gets the first column whose name is one of the field's usual
// names; then, for fields still without one, the first column whose name
// contains a telling word ("地址", "address", "邮编", "zip" ... and, for the
// sender, "寄件" or "sender" as well). A column feeds one field at most.
// Columns whose names hold a double quote cannot be referred to and are
// passed over. A recipient's address split over several columns (see
// vlSplitAddressColumns) gets them all.
TvlAddressMapping vlMatchAddressColumns(const std::vector<std::string>& columns);
// True when a recipient's field found no column: the user is asked.
bool vlMappingIncomplete(const TvlAddressMapping& mapping);
// True when the mapping gives neither the recipient's name nor the address:
// every envelope would be blank.
bool vlMappingGivesNoRecipient(const TvlAddressMapping& mapping);

// The settings key under which the mapping for these column names is kept.
std::string vlAddressMappingKey(const std::vector<std::string>& columns);
// The mapping the user gave for these column names; false when none was
// kept. Columns no longer among them are dropped.
bool vlRecallAddressMapping(TvlSettingsStore& settings, const std::vector<std::string>& columns,
                            TvlAddressMapping& mapping);
void vlRememberAddressMapping(TvlSettingsStore& settings, const std::vector<std::string>& columns,
                              const TvlAddressMapping& mapping);

}  // namespace vl
