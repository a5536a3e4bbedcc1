#include "app/recipient.h"

#include <QRegularExpression>
#include <string>

#include "engine/data/address_binding.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

namespace rs = recipient_settings;

TvlSettingsStore& Settings() { return *vlPlatform().Settings; }

std::string Read(const char* key, const std::string& name) { return Settings().ReadString(key, name, ""); }

// The value name of recent recipient i (1-based) for a field.
std::string RecentName(int field, int i) { return vlEnvelopeVariable(field) + std::to_string(i); }

// One CSV field, always quoted: the reader takes separators, line breaks and
// doubled quotes inside quotes.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

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

TRecipientBinding::TRecipientBinding(TvlForm& form, TvlReport& report, const TRecipient& given) : form_(form) {
  const TRecipient recipient = given.Tidied();
  // One header naming the envelope variables and one record of their values,
  // in the system code page as every engine text is.
  std::string header, record;
  TvlAddressMapping mapping;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    header += (f ? "," : "") + Quoted(vlEnvelopeVariable(f));
    record += (f ? "," : "") + Quoted(vlFromQt(recipient[f]));
    mapping.Columns[static_cast<std::size_t>(f)] = vlEnvelopeVariable(f);
  }
  auto source = std::make_unique<TvlCsvDataSource>(std::string(kDataset) + "_Source");
  source->OpenText(header + "\r\n" + record + "\r\n", "(recipient)");
  source_ = &static_cast<TvlCsvDataSource&>(form_.InsertComponent(std::move(source)));
  dataset_ = &form_.Add<TvlDBDataSet>(kDataset);
  dataset_->SetDataSet(source_);
  binding_ = std::make_unique<TvlAddressBinding>(report, *dataset_, mapping);
}

TRecipientBinding::~TRecipientBinding() {
  binding_.reset();
  form_.DestroyComponent(dataset_);
  form_.DestroyComponent(source_);
}

}  // namespace vl
