#include "app/recipient.h"

#include <QRegularExpression>
#include <string>

#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

namespace rs = recipient_settings;

TvlSettingsStore& Settings() { return *vlPlatform().Settings; }

std::string Read(const char* key, const std::string& name) { return Settings().ReadString(key, name, ""); }

// The value name of recent recipient i (1-based) for a field.
std::string RecentName(int field, int i) { return vlEnvelopeVariable(field) + std::to_string(i); }

bool SameRecipient(const TRecipient& a, const TRecipient& b) {
  return a[efRecipientName] == b[efRecipientName] && a[efRecipientAddress] == b[efRecipientAddress];
}

}  // namespace

bool TRecipient::Empty() const {
  for (const QString& f : Fields)
    if (!f.trimmed().isEmpty()) return false;
  return true;
}

bool TRecipient::HasRecipient() const {
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (vlIsRecipientField(f) && !(*this)[f].trimmed().isEmpty()) return true;
  return false;
}

TRecipient TRecipient::Tidied() const {
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  TRecipient t;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    t[f] = (*this)[f].trimmed();
    if (f == efRecipientPostcode || f == efSenderPostcode) t[f].remove(blanks);
  }
  return t;
}

TvlEnvelopeValues TRecipient::EngineValues() const {
  const TRecipient tidied = Tidied();
  TvlEnvelopeValues values;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) values[static_cast<std::size_t>(f)] = vlFromQt(tidied[f]);
  return values;
}

bool vlAskForRecipient() { return Settings().ReadBool(rs::kKey, rs::kAsk, true); }
void vlSetAskForRecipient(bool ask) { Settings().WriteBool(rs::kKey, rs::kAsk, ask); }

TRecipient vlLoadSender() {
  TRecipient r;
  for (int f : {efSenderAddress, efSenderPostcode}) r[f] = vlToQt(Read(rs::kKey, vlEnvelopeVariable(f)));
  return r;
}

std::vector<TRecipient> vlRecentRecipients() {
  std::vector<TRecipient> recent;
  for (int i = 1; i <= rs::kRecentCount; ++i) {
    TRecipient r;
    for (int f = 0; f < kEnvelopeFieldCount; ++f)
      if (vlIsRecipientField(f)) r[f] = vlToQt(Read(rs::kRecentKey, RecentName(f, i)));
    if (r.HasRecipient()) recent.push_back(std::move(r));
  }
  return recent;
}

void vlRememberRecipient(const TRecipient& given) {
  const TRecipient recipient = given.Tidied();
  TvlSettingsStore& settings = Settings();
  for (int f : {efSenderAddress, efSenderPostcode})
    settings.WriteString(rs::kKey, vlEnvelopeVariable(f), vlFromQt(recipient[f]));
  if (!recipient.HasRecipient()) return;
  std::vector<TRecipient> recent{recipient};
  for (TRecipient& r : vlRecentRecipients())
    if (!SameRecipient(r, recipient) && static_cast<int>(recent.size()) < rs::kRecentCount)
      recent.push_back(std::move(r));
  settings.DeleteKey(rs::kRecentKey);
  for (std::size_t i = 0; i < recent.size(); ++i)
    for (int f = 0; f < kEnvelopeFieldCount; ++f)
      if (vlIsRecipientField(f))
        settings.WriteString(rs::kRecentKey, RecentName(f, static_cast<int>(i) + 1), vlFromQt(recent[i][f]));
}

}  // namespace vl
