#include "engine/data/address_parts.h"

#include <algorithm>
#include <string_view>

#include "engine/core/text.h"
#include "engine/data/address_fields.h"
#include "engine/data/code_page.h"
#include "platform/code_page.h"

namespace vl {
namespace {

using Kind = TvlAddressPartKind;

struct TNamedPart {
  std::string_view Name;  // as vlComparableColumnName gives it
  Kind Part;
};

constexpr TNamedPart kPartNames[] = {
    {"地址", Kind::apWhole}, {"收件人地址", Kind::apWhole}, {"收信人地址", Kind::apWhole},
    {"收件地址", Kind::apWhole}, {"收货地址", Kind::apWhole}, {"收货人地址", Kind::apWhole},
    {"通信地址", Kind::apWhole}, {"通讯地址", Kind::apWhole}, {"邮寄地址", Kind::apWhole},
    {"联系地址", Kind::apWhole}, {"住址", Kind::apWhole}, {"address", Kind::apWhole},
    {"recipientaddress", Kind::apWhole}, {"mailingaddress", Kind::apWhole}, {"postaladdress", Kind::apWhole},
    {"fulladdress", Kind::apWhole}, {"addr", Kind::apWhole}, {"adr", Kind::apWhole},
    {"详细地址", Kind::apStreet}, {"街道", Kind::apStreet}, {"街道地址", Kind::apStreet},
    {"street", Kind::apStreet}, {"streetaddress", Kind::apStreet}, {"street1", Kind::apStreet},
    {"address1", Kind::apStreet}, {"addressline1", Kind::apStreet}, {"line1", Kind::apStreet},
    {"adrstreet", Kind::apStreet}, {"street2", Kind::apStreet2}, {"address2", Kind::apStreet2},
    {"addressline2", Kind::apStreet2}, {"line2", Kind::apStreet2}, {"street3", Kind::apStreet2},
    {"address3", Kind::apStreet2}, {"addressline3", Kind::apStreet2}, {"adrextended", Kind::apStreet2},
    {"区县", Kind::apDistrict}, {"区", Kind::apDistrict}, {"县", Kind::apDistrict}, {"区域", Kind::apDistrict},
    {"district", Kind::apDistrict}, {"county", Kind::apDistrict}, {"城市", Kind::apCity}, {"市", Kind::apCity},
    {"city", Kind::apCity}, {"town", Kind::apCity}, {"locality", Kind::apCity}, {"adrlocality", Kind::apCity},
    {"省份", Kind::apState}, {"省", Kind::apState}, {"省市", Kind::apState}, {"state", Kind::apState},
    {"province", Kind::apState}, {"region", Kind::apState}, {"stateprovince", Kind::apState},
    {"adrregion", Kind::apState}, {"邮编", Kind::apPostcode}, {"邮政编码", Kind::apPostcode},
    {"zip", Kind::apPostcode}, {"zipcode", Kind::apPostcode}, {"postcode", Kind::apPostcode},
    {"postalcode", Kind::apPostcode}, {"adrpostalcode", Kind::apPostcode}, {"国家", Kind::apCountry},
    {"国家地区", Kind::apCountry}, {"country", Kind::apCountry}, {"countryregion", Kind::apCountry},
    {"adrcountry", Kind::apCountry},
};

// Where a part stands in an address of each script.
int ChineseRank(Kind k) {
  switch (k) {
    case Kind::apCountry: return 0;
    case Kind::apState: return 1;
    case Kind::apCity: return 2;
    case Kind::apDistrict: return 3;
    case Kind::apWhole:
    case Kind::apStreet: return 4;
    case Kind::apStreet2: return 5;
    default: return 6;
  }
}

int LatinRank(Kind k) {
  switch (k) {
    case Kind::apWhole:
    case Kind::apStreet: return 0;
    case Kind::apStreet2: return 1;
    case Kind::apDistrict: return 2;
    case Kind::apCity: return 3;
    case Kind::apState: return 4;
    case Kind::apPostcode: return 5;
    case Kind::apCountry: return 6;
    default: return 7;
  }
}

// Decodes the code points of UTF-8 text; a broken sequence counts as one byte.
template <typename F>
void ForEachCodePoint(std::string_view s, F&& f) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (i + static_cast<std::size_t>(n) > s.size()) return;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    f(cp);
    i += static_cast<std::size_t>(n);
  }
}

}  // namespace

TvlAddressPartKind vlAddressPartOf(const std::string& column) {
  const std::string name = vlComparableColumnName(column);
  for (const TNamedPart& p : kPartNames)
    if (name == p.Name) return p.Part;
  return Kind::apOther;
}

bool vlIsCjkText(const std::string& text) {
  bool plain = true;
  for (char c : text) plain = plain && static_cast<unsigned char>(c) < 0x80;
  if (plain) return false;
  const std::string utf8 =
      vlSystemCodePageIsUtf8() ? text : vlConvertEncoding(text, vlPlatformCodePage().c_str(), "UTF-8");
  bool cjk = false;
  ForEachCodePoint(utf8, [&cjk](char32_t cp) {
    cjk = cjk || (cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) ||
          (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF) || (cp >= 0x20000 && cp <= 0x2FFFF);
  });
  return cjk;
}

std::string vlJoinAddressParts(const std::vector<TvlAddressPart>& parts) {
  std::vector<TvlAddressPart> given;
  bool cjk = false;
  for (const TvlAddressPart& p : parts) {
    std::string text = vlTrim(p.Text);
    if (text.empty()) continue;
    cjk = cjk || vlIsCjkText(text);
    given.push_back({p.Kind, std::move(text)});
  }
  std::string out;
  if (cjk) {
    for (const TvlAddressPart& p : given)
      if (p.Kind != Kind::apPostcode) out += p.Text;
    return out;
  }
  // City, state and postcode share one line, where the first of them stands.
  std::vector<std::string> lines;
  std::size_t placeLine = std::string::npos;
  auto place = [&]() -> std::string& {
    if (placeLine == std::string::npos) {
      placeLine = lines.size();
      lines.emplace_back();
    }
    return lines[placeLine];
  };
  bool placeHasCity = false;
  for (const TvlAddressPart& p : given) {
    switch (p.Kind) {
      case Kind::apCity: {
        std::string& line = place();
        line = p.Text + (line.empty() ? "" : ", " + line);
        placeHasCity = true;
        break;
      }
      case Kind::apState: {
        std::string& line = place();
        line += (line.empty() ? "" : placeHasCity ? ", " : " ") + p.Text;
        break;
      }
      case Kind::apPostcode: {
        std::string& line = place();
        line += (line.empty() ? "" : " ") + p.Text;
        break;
      }
      default: lines.push_back(p.Text);
    }
  }
  for (const std::string& line : lines) out += (out.empty() ? "" : "\r\n") + line;
  return out;
}

std::vector<std::string> vlSplitAddressColumns(const std::vector<std::string>& columns,
                                               const std::vector<std::string>& taken) {
  std::vector<std::pair<Kind, std::string>> parts;
  bool place = false, cjkNames = false, whole = false, street = false;
  for (const std::string& c : columns) {
    const Kind k = vlAddressPartOf(c);
    place = place || k == Kind::apCity || k == Kind::apState || k == Kind::apDistrict;
    whole = whole || k == Kind::apWhole;
    street = street || k == Kind::apStreet;
    cjkNames = cjkNames || vlIsCjkText(c);
  }
  // A whole address beside its own street line (a vCard's ADR and
  // ADR_Street) is the address already.
  if (whole && street) return {};
  int besidesPostcode = 0;
  for (const std::string& c : columns) {
    const Kind k = vlAddressPartOf(c);
    if (k == Kind::apOther) continue;
    // A column named as a whole address is the street line of a list that
    // has its places in columns of their own.
    if (k == Kind::apWhole && !place) return {};
    const bool isTaken = std::find(taken.begin(), taken.end(), c) != taken.end();
    // A Chinese address leaves its postcode to the boxes.
    if (k == Kind::apPostcode && cjkNames) continue;
    if (isTaken && k != Kind::apPostcode) continue;
    if (k != Kind::apPostcode) ++besidesPostcode;
    parts.emplace_back(k, c);
  }
  if (besidesPostcode < 2) return {};
  std::stable_sort(parts.begin(), parts.end(), [cjkNames](const auto& a, const auto& b) {
    return cjkNames ? ChineseRank(a.first) < ChineseRank(b.first) : LatinRank(a.first) < LatinRank(b.first);
  });
  std::vector<std::string> names;
  for (auto& p : parts) names.push_back(std::move(p.second));
  return names;
}

}  // namespace vl
