#include "engine/data/address_fields.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "engine/data/address_parts.h"
#include "engine/data/code_page.h"
#include "engine/core/text.h"
#include "platform/code_page.h"
#include "platform/settings_store.h"

namespace vl {
namespace {

constexpr const char* kVariables[kEnvelopeFieldCount] = {"RecipientName", "RecipientAddress", "RecipientPostcode",
                                                         "SenderAddress", "SenderPostcode"};

constexpr const char* kMappingsKey = "Software\\Vellora\\Envelope\\AddressMappings\\";

// The usual column names of each field, written as they compare: lower
// case, without blanks and punctuation.
const std::vector<std::string_view> kUsualNames[kEnvelopeFieldCount] = {
    {"姓名", "收件人", "收件人姓名", "收信人", "收信人姓名", "收货人", "收货人姓名", "名字", "联系人", "客户姓名",
     "客户名称", "name", "fullname", "recipient", "recipientname", "addressee", "contact", "contactname",
     "displayname", "to", "fn"},
    {"地址", "收件人地址", "收信人地址", "收件地址", "收货地址", "收货人地址", "通信地址", "通讯地址", "邮寄地址",
     "详细地址", "联系地址", "住址", "address", "recipientaddress", "mailingaddress", "postaladdress",
     "streetaddress", "fulladdress", "addr", "adr"},
    {"邮编", "邮政编码", "收件人邮编", "收信人邮编", "收件邮编", "收货邮编", "邮码", "zip", "zipcode", "postcode",
     "postalcode", "recipientpostcode", "recipientzip", "recipientzipcode", "postal", "plz", "adrpostalcode"},
    {"寄件人地址", "寄信人地址", "发件人地址", "寄件地址", "发件地址", "发信地址", "senderaddress", "fromaddress",
     "returnaddress"},
    {"寄件人邮编", "寄信人邮编", "发件人邮编", "寄件邮编", "发件邮编", "senderpostcode", "senderzip",
     "senderzipcode", "fromzip", "fromzipcode", "frompostcode", "returnzip", "returnpostcode"},
};

// Words that tell a field inside a longer column name.
const std::vector<std::string_view> kNameWords = {"姓名", "收件人"};
const std::vector<std::string_view> kAddressWords = {"地址", "address"};
const std::vector<std::string_view> kPostcodeWords = {"邮编", "邮政编码", "zip", "postcode", "postalcode"};
const std::vector<std::string_view> kSenderWords = {"寄件", "寄信", "发件", "发信", "sender", "from", "return"};
const std::vector<std::string_view> kNotAnAddress = {"email", "mail", "邮箱", "电子邮件", "ip"};

}  // namespace

std::string vlComparableColumnName(const std::string& column) {
  const std::string utf8 =
      vlSystemCodePageIsUtf8() ? column : vlConvertEncoding(column, vlPlatformCodePage().c_str(), "UTF-8");
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (static_cast<unsigned char>(c) <= ' ' || std::string_view("_-./:()#'").find(c) != std::string_view::npos)
      continue;
    const std::string_view rest(utf8.data() + i, utf8.size() - i);
    // Ideographic blank and the full-width colon and parentheses.
    bool skipped = false;
    for (std::string_view wide : {"\u3000", "\uFF1A", "\uFF08", "\uFF09"})
      if (rest.substr(0, wide.size()) == wide) {
        i += wide.size() - 1;
        skipped = true;
        break;
      }
    if (!skipped) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return out;
}

namespace {

std::string Comparable(const std::string& column) { return vlComparableColumnName(column); }

bool ContainsAny(const std::string& text, const std::vector<std::string_view>& words) {
  for (std::string_view w : words)
    if (text.find(w) != std::string::npos) return true;
  return false;
}

// Whether a column name holds a word that tells the field.
bool Tells(int field, const std::string& name) {
  const bool sender = ContainsAny(name, kSenderWords);
  switch (field) {
    case efRecipientName: return !sender && ContainsAny(name, kNameWords) && !ContainsAny(name, kAddressWords);
    case efRecipientAddress:
    case efSenderAddress:
      return sender == (field == efSenderAddress) && ContainsAny(name, kAddressWords) &&
             !ContainsAny(name, kNotAnAddress) && !ContainsAny(name, kPostcodeWords);
    default: return sender == (field == efSenderPostcode) && ContainsAny(name, kPostcodeWords);
  }
}

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t h = 1469598103934665603ull) {
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::string JoinColumns(const std::vector<std::string>& columns) {
  std::string joined;
  for (const std::string& c : columns) joined += (joined.empty() ? "" : "\x1F") + c;
  return joined;
}

}  // namespace

std::vector<std::string> TvlAddressMapping::ColumnsOf(int field) const {
  const auto f = static_cast<std::size_t>(field);
  std::vector<std::string> all;
  if (Columns[f].empty()) return all;
  all.push_back(Columns[f]);
  all.insert(all.end(), More[f].begin(), More[f].end());
  return all;
}

void TvlAddressMapping::SetColumns(int field, const std::vector<std::string>& columns) {
  const auto f = static_cast<std::size_t>(field);
  Columns[f] = columns.empty() ? std::string() : columns.front();
  More[f].assign(columns.empty() ? columns.end() : columns.begin() + 1, columns.end());
}

const char* vlEnvelopeVariable(int field) {
  return field >= 0 && field < kEnvelopeFieldCount ? kVariables[field] : "";
}

TvlAddressMapping vlMatchAddressColumns(const std::vector<std::string>& columns) {
  std::vector<std::string> names;
  for (const std::string& c : columns) names.push_back(Comparable(c));
  std::vector<bool> taken(columns.size(), false);
  TvlAddressMapping m;
  auto usable = [&](std::size_t k) { return !taken[k] && columns[k].find('"') == std::string::npos; };
  for (int pass = 0; pass < 2; ++pass)
    for (int f = 0; f < kEnvelopeFieldCount; ++f) {
      if (!m.Columns[static_cast<std::size_t>(f)].empty()) continue;
      for (std::size_t k = 0; k < columns.size(); ++k) {
        if (!usable(k)) continue;
        bool match = false;
        if (pass == 0) {
          for (std::string_view n : kUsualNames[f]) match = match || names[k] == n;
        } else {
          match = Tells(f, names[k]);
        }
        if (match) {
          m.Columns[static_cast<std::size_t>(f)] = columns[k];
          taken[k] = true;
          break;
        }
      }
    }
  std::vector<std::string> others;
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (f != efRecipientAddress && !m.Columns[static_cast<std::size_t>(f)].empty())
      others.push_back(m.Columns[static_cast<std::size_t>(f)]);
  std::vector<std::string> nameable;
  for (const std::string& c : columns)
    if (c.find('"') == std::string::npos) nameable.push_back(c);
  const std::vector<std::string> parts = vlSplitAddressColumns(nameable, others);
  if (!parts.empty()) m.SetColumns(efRecipientAddress, parts);
  return m;
}

bool vlMappingGivesNoRecipient(const TvlAddressMapping& mapping) {
  return mapping.Columns[efRecipientName].empty() && mapping.Columns[efRecipientAddress].empty();
}

bool vlMappingIncomplete(const TvlAddressMapping& mapping) {
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (vlIsRecipientField(f) && mapping.Columns[static_cast<std::size_t>(f)].empty()) return true;
  return false;
}

std::string vlAddressMappingKey(const std::vector<std::string>& columns) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a(JoinColumns(columns))));
  return kMappingsKey + std::string(hex);
}

bool vlRecallAddressMapping(TvlSettingsStore& settings, const std::vector<std::string>& columns,
                            TvlAddressMapping& mapping) {
  const std::string key = vlAddressMappingKey(columns);
  // The column names are kept too, so that two sets with the same key never mix.
  if (settings.ReadString(key, "Columns", "\x01") != JoinColumns(columns)) return false;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    // Several columns of one field are kept one after another, split by 0x1F.
    const std::string kept = settings.ReadString(key, kVariables[f], "");
    std::vector<std::string> chosen;
    for (std::size_t start = 0; start <= kept.size() && !kept.empty();) {
      const std::size_t end = std::min(kept.find('\x1F', start), kept.size());
      const std::string column = kept.substr(start, end - start);
      for (const std::string& c : columns)
        if (c == column) {
          chosen.push_back(column);
          break;
        }
      start = end + 1;
    }
    mapping.SetColumns(f, chosen);
  }
  return true;
}

void vlRememberAddressMapping(TvlSettingsStore& settings, const std::vector<std::string>& columns,
                              const TvlAddressMapping& mapping) {
  const std::string key = vlAddressMappingKey(columns);
  settings.WriteString(key, "Columns", JoinColumns(columns));
  for (int f = 0; f < kEnvelopeFieldCount; ++f) settings.WriteString(key, kVariables[f], JoinColumns(mapping.ColumnsOf(f)));
}

}  // namespace vl
