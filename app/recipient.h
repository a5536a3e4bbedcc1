#pragma once
// One envelope addressed by hand: the recipient and sender the launcher's
// recipient form gives, remembered in the settings store (the sender, the
// last ten recipients and whether a template button asks at all), and bound
// to a template for one run through the same envelope variables an address
// list feeds (address_binding.h): the values become a one-record data
// source "Recipient" on the launcher's form, so postcode boxes take one
// character each exactly as they do from a list.

#include <QString>
#include <array>
#include <memory>
#include <vector>

#include "engine/data/address_fields.h"
#include "engine/data/components.h"

namespace vl {

class TvlAddressBinding;
class TvlCsvDataSource;
class TvlDBDataSet;
class TvlReport;

struct TRecipient {
  // By envelope field (efRecipientName ... efSenderPostcode), as typed.
  std::array<QString, kEnvelopeFieldCount> Fields;

  QString& operator[](int field) { return Fields[static_cast<std::size_t>(field)]; }
  const QString& operator[](int field) const { return Fields[static_cast<std::size_t>(field)]; }
  bool operator==(const TRecipient&) const = default;
  // Nothing to print: the template prints blank, as without the form.
  bool Empty() const;
  // True when a recipient's field holds something.
  bool HasRecipient() const;
  // Blanks round each text gone, and the postcodes without blanks, since
  // each character of a postcode takes a box of its own.
  TRecipient Tidied() const;
};

// The settings the recipient form keeps.
namespace recipient_settings {
inline constexpr const char* kKey = "Software\\Vellora\\Envelope\\Recipient";
inline constexpr const char* kRecentKey = "Software\\Vellora\\Envelope\\Recipient\\Recent";
inline constexpr const char* kAsk = "AskForRecipient";
inline constexpr int kRecentCount = 10;
}  // namespace recipient_settings

// Whether a template button offers the form when no address list is in
// force (on unless the user turned it off).
bool vlAskForRecipient();
void vlSetAskForRecipient(bool ask);
// The remembered sender (only the sender's fields are set).
TRecipient vlLoadSender();
// The recipients used last, the latest first (only the recipient's fields set).
std::vector<TRecipient> vlRecentRecipients();
// Remembers the sender and puts the recipient first among the recent ones
// (an earlier entry of the same name and address goes).
void vlRememberRecipient(const TRecipient& recipient);

// Binds the report to one recipient for as long as the object lives: a
// one-record source "Recipient_Source" with the dataset "Recipient" on the
// form, and the envelope variables reading its fields. When it ends the
// variables, the report and the form are as they were.
class TRecipientBinding {
 public:
  static constexpr const char* kDataset = "Recipient";

  TRecipientBinding(TvlForm& form, TvlReport& report, const TRecipient& recipient);
  ~TRecipientBinding();
  TRecipientBinding(const TRecipientBinding&) = delete;
  TRecipientBinding& operator=(const TRecipientBinding&) = delete;

 private:
  TvlForm& form_;
  TvlCsvDataSource* source_ = nullptr;
  TvlDBDataSet* dataset_ = nullptr;
  std::unique_ptr<TvlAddressBinding> binding_;
};

}  // namespace vl
