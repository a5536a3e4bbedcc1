#pragma once
// One envelope addressed by hand: the recipient and sender the launcher's
// recipient form gives, remembered in the settings store (the sender, the
// last ten recipients and whether a template button asks at all). A run
// binds them to the template's envelope variables as a one-record source
// (engine/data/envelope_record.h), the way an address list feeds them.

#include <QString>
#include <array>
#include <vector>

#include "engine/data/address_fields.h"
#include "engine/data/envelope_record.h"

namespace vl {

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
  // The tidied texts in the system code page, every field given.
  TvlEnvelopeValues EngineValues() const;
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

}  // namespace vl
