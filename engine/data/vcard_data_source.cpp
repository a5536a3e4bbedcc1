#include "engine/data/vcard_data_source.h"

#include <algorithm>
#include <array>
#include <map>

#include "engine/data/code_page.h"
#include "engine/data/data_file.h"
#include "engine/data/data_limits.h"
#include "engine/data/vcard_lines.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "platform/code_page.h"

namespace vl {
namespace {

// Field groups in the order of the field list. The first four name fields
// group, addresses, telephones and e-mail repeat (ADR2 ...); the repeats
// follow NOTE.
enum TGroup : std::uint8_t { gName, gAdr, gTel, gEmail, gNote, gGroupCount };

constexpr const char* kNameFields[] = {"FN", "N_Family", "N_Given", "N_Middle", "N_Prefix", "N_Suffix", "ORG", "TITLE"};
constexpr const char* kAdrParts[] = {"", "_Type", "_POBox", "_Extended", "_Street", "_Locality", "_Region",
                                     "_PostalCode", "_Country"};
constexpr const char* kTypedParts[] = {"", "_Type"};
constexpr std::size_t kPartCount[gGroupCount] = {8, 9, 2, 2, 1};
constexpr const char* kPrefix[gGroupCount] = {"", "ADR", "TEL", "EMAIL", "NOTE"};
constexpr bool kRepeats[gGroupCount] = {false, true, true, true, false};

// Name parts as the card holds them (N: family, given, middle, prefix, suffix).
enum TNamePart { npFN, npFamily, npGiven, npMiddle, npPrefix, npSuffix, npOrg, npTitle };
// ADR parts: post office box, extended, street, locality, region, postcode, country.
enum TAdrPart { apPOBox, apExtended, apStreet, apLocality, apRegion, apPostalCode, apCountry, apCount };

// A card's agent (2.1) may hold a card of its own; deeper nesting is refused.
constexpr int kMaxNesting = 8;

// One address, telephone or e-mail address of a card.
struct TRepeated {
  bool Preferred = false;
  std::string Types;               // lower case, comma separated
  std::vector<std::string> Parts;  // ADR: the seven parts; otherwise the value
};

struct TCard {
  std::array<std::string, 8> Name;
  std::array<bool, 8> HasName{};
  std::vector<TRepeated> Repeated[gGroupCount];
  std::string Note;
  bool HasNote = false;
};

// True when the UTF-8 text holds a CJK character (U+2E80 and above in the
// basic plane's East Asian blocks), which decides how names and addresses
// are composed.
bool HasCjk(std::string_view s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0xE2 || c > 0xEF || i + 2 >= s.size()) continue;
    const unsigned cp = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                        (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
    if ((cp >= 0x2E80 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) || (cp >= 0xF900 && cp <= 0xFAFF) ||
        (cp >= 0xFF00 && cp <= 0xFFEF))
      return true;
  }
  return false;
}

std::string JoinNonEmpty(std::initializer_list<const std::string*> parts, const char* separator) {
  std::string out;
  for (const std::string* p : parts) {
    if (p->empty()) continue;
    if (!out.empty()) out += separator;
    out += *p;
  }
  return out;
}

// The address as an envelope shows it. Chinese (and other East Asian)
// addresses run from the largest place to the smallest on one line, without
// the postcode, which has boxes of its own; others are written street first,
// then "locality, region postcode", then the country, one per line.
std::string ComposeAddress(const std::vector<std::string>& p) {
  bool cjk = false;
  for (const std::string& part : p) cjk = cjk || HasCjk(part);
  if (cjk)
    return JoinNonEmpty({&p[apCountry], &p[apRegion], &p[apLocality], &p[apStreet], &p[apExtended], &p[apPOBox]},
                        "");
  std::string city = JoinNonEmpty({&p[apLocality], &p[apRegion]}, ", ");
  city = JoinNonEmpty({&city, &p[apPostalCode]}, " ");
  return JoinNonEmpty({&p[apPOBox], &p[apExtended], &p[apStreet], &city, &p[apCountry]}, "\r\n");
}

// The formatted name a card without FN gets: from N, else its organisation.
std::string ComposeName(const TCard& c) {
  const auto& n = c.Name;
  if (HasCjk(n[npFamily]) || HasCjk(n[npGiven]))
    return JoinNonEmpty({&n[npFamily], &n[npGiven], &n[npMiddle]}, "");
  std::string name = JoinNonEmpty({&n[npPrefix], &n[npGiven], &n[npMiddle], &n[npFamily], &n[npSuffix]}, " ");
  return name.empty() ? n[npOrg] : name;
}

std::string JoinTypes(const std::vector<std::string>& types) {
  std::string out;
  for (const std::string& t : types) out += (out.empty() ? "" : ",") + t;
  return out;
}

// Reads one file's text into cards, cells and the arena.
class TVCardParser {
 public:
  TVCardParser(const std::string& sourceName, std::string& arena, std::vector<std::uint32_t>& lengths,
               std::vector<std::uint64_t>& offsets, std::vector<std::uint64_t>& keys,
               std::vector<std::size_t>& starts)
      : name_(sourceName), arena_(arena), lengths_(lengths), offsets_(offsets), keys_(keys), starts_(starts) {}

  void Parse(std::string_view text);
  std::size_t MaxRepeats(TGroup g) const { return maxRepeats_[g]; }

  // A cell's group, repeat and part packed into one sortable key.
  static std::uint64_t Key(TGroup g, std::size_t repeat, std::size_t part) {
    return (static_cast<std::uint64_t>(g) << 56) | (static_cast<std::uint64_t>(repeat) << 8) | part;
  }

 private:
  [[noreturn]] void Fail(std::size_t line, const std::string& why) const {
    throw TvlError(vlLoadStr(str::kMalformedVCard) + name_ + vlLoadStr(str::kCsvLine) + std::to_string(line) +
                   ": " + why);
  }
  std::string Decode(const TvlVCardLine& l);
  void Take(const TvlVCardLine& l);
  void Finish();
  void Emit(TGroup g, std::size_t repeat, std::size_t part, const std::string& utf8);

  const std::string& name_;
  std::string& arena_;
  std::vector<std::uint32_t>& lengths_;
  std::vector<std::uint64_t>& offsets_;
  std::vector<std::uint64_t>& keys_;
  std::vector<std::size_t>& starts_;
  std::map<std::string, bool> charsets_;  // known to iconv
  std::size_t maxRepeats_[gGroupCount] = {1, 1, 1, 1, 1};
  TCard card_;
  const bool convert_ = !vlSystemCodePageIsUtf8();
};

void TVCardParser::Parse(std::string_view text) {
  TvlVCardReader reader(text);
  TvlVCardLine l;
  int depth = 0;
  std::size_t begin = 0, lastLine = 1;
  while (reader.Next(l)) {
    lastLine = l.Line;
    if (l.TooLong)
      Fail(l.Line, vlLoadStr(str::kLineTooLong) + std::to_string(data_limits::kMaxLineBytes) + vlLoadStr(str::kBytesUnit));
    if (l.Name.empty()) Fail(l.Line, vlLoadStr(str::kVCardNoColon));
    const bool marker = vlSameText(vlTrim(l.Value), "VCARD");
    if (l.Name == "BEGIN" && marker) {
      if (depth == kMaxNesting) Fail(l.Line, vlLoadStr(str::kVCardNesting));
      if (depth++ == 0) {
        card_ = TCard();
        begin = l.Line;
      }
      continue;
    }
    if (l.Name == "END" && marker) {
      if (depth == 0) Fail(l.Line, vlLoadStr(str::kVCardEndWithoutBegin));
      if (--depth == 0) Finish();
      continue;
    }
    if (depth == 0) Fail(l.Line, vlLoadStr(str::kVCardOutsideCard));
    if (l.Base64()) {
      reader.SkipBase64Lines();
      continue;
    }
    if (depth == 1) Take(l);
  }
  if (depth > 0) Fail(begin, vlLoadStr(str::kVCardEndMissing));
  if (starts_.empty()) Fail(lastLine, vlLoadStr(str::kVCardNone));
}

// The value's bytes as UTF-8 (or as written, when the text names no
// character set and is not UTF-8).
std::string TVCardParser::Decode(const TvlVCardLine& l) {
  std::string v = l.QuotedPrintable() ? vlDecodeQuotedPrintable(l.Value) : l.Value;
  if (v.size() > data_limits::kMaxFieldBytes)
    Fail(l.Line, vlLoadStr(str::kFieldTooLong) + std::to_string(data_limits::kMaxFieldBytes) + vlLoadStr(str::kBytesUnit));
  const std::string charset = vlUpperCase(vlTrim(l.Param("CHARSET")));
  if (charset.empty() || charset == "UTF-8" || charset == "UTF8" || charset == "US-ASCII") return v;
  auto known = charsets_.find(charset);
  if (known == charsets_.end()) known = charsets_.emplace(charset, vlEncodingKnown(charset.c_str())).first;
  if (!known->second) Fail(l.Line, vlLoadStr(str::kVCardCharset) + l.Param("CHARSET"));
  return vlConvertEncoding(v, charset.c_str(), "UTF-8");
}

void TVCardParser::Take(const TvlVCardLine& l) {
  const std::string& n = l.Name;
  if (n == "VERSION") {
    const std::string v = vlTrim(l.Value);
    if (v != "2.1" && v != "3.0" && v != "4.0") Fail(l.Line, vlLoadStr(str::kVCardVersion) + v);
    return;
  }
  auto single = [this](int part, std::string value) {
    if (card_.HasName[part]) return;  // the first one counts
    card_.Name[part] = std::move(value);
    card_.HasName[part] = true;
  };
  auto repeated = [this, &l](TGroup g, std::vector<std::string> parts) {
    if (card_.Repeated[g].size() == data_limits::kMaxRepeats)
      Fail(l.Line, vlLoadStr(str::kTooManyRepeats) + kPrefix[g] + vlLoadStr(str::kTooManyRepeatsLimit) +
                       std::to_string(data_limits::kMaxRepeats));
    const std::vector<std::string> types = l.Types();
    const bool pref = l.HasParam("PREF") || std::find(types.begin(), types.end(), "pref") != types.end();
    card_.Repeated[g].push_back({pref, JoinTypes(types), std::move(parts)});
  };
  if (n == "FN") {
    single(npFN, vlUnescapeVCardText(Decode(l)));
  } else if (n == "N") {
    std::vector<std::string> parts = vlSplitVCardValue(Decode(l));
    parts.resize(5);
    for (int k = 0; k < 5; ++k) single(npFamily + k, std::move(parts[static_cast<std::size_t>(k)]));
  } else if (n == "ORG") {
    std::string org;
    for (const std::string& part : vlSplitVCardValue(Decode(l)))
      if (!part.empty()) org += (org.empty() ? "" : " ") + part;
    single(npOrg, std::move(org));
  } else if (n == "TITLE") {
    single(npTitle, vlUnescapeVCardText(Decode(l)));
  } else if (n == "ADR") {
    std::vector<std::string> parts = vlSplitVCardValue(Decode(l));
    // Parts beyond the seventh still belong to the address: keep them with the country.
    for (std::size_t k = apCount; k < parts.size(); ++k)
      if (!parts[k].empty()) parts[apCountry] += (parts[apCountry].empty() ? "" : " ") + parts[k];
    parts.resize(apCount);
    repeated(gAdr, std::move(parts));
  } else if (n == "TEL") {
    repeated(gTel, {vlUnescapeVCardText(Decode(l))});
  } else if (n == "EMAIL") {
    repeated(gEmail, {vlUnescapeVCardText(Decode(l))});
  } else if (n == "NOTE") {
    if (card_.HasNote) card_.Note += "\r\n";
    card_.Note += vlUnescapeVCardText(Decode(l));
    card_.HasNote = true;
  }
}

void TVCardParser::Emit(TGroup g, std::size_t repeat, std::size_t part, const std::string& utf8) {
  const std::size_t at = arena_.size();
  if (convert_)
    arena_ += vlUtf8ToSystemCodePage(utf8);
  else
    arena_ += utf8;
  offsets_.push_back(at);
  lengths_.push_back(static_cast<std::uint32_t>(arena_.size() - at));  // files are far below 4 GiB
  keys_.push_back(Key(g, repeat, part));
}

void TVCardParser::Finish() {
  starts_.push_back(keys_.size());
  TCard& c = card_;
  if (!c.HasName[npFN] || c.Name[npFN].empty()) {
    c.Name[npFN] = ComposeName(c);
    c.HasName[npFN] = c.HasName[npFN] || !c.Name[npFN].empty();
  }
  for (std::size_t k = 0; k < c.Name.size(); ++k)
    if (c.HasName[k]) Emit(gName, 0, k, c.Name[k]);
  for (TGroup g : {gAdr, gTel, gEmail}) {
    std::vector<TRepeated>& list = c.Repeated[g];
    std::stable_partition(list.begin(), list.end(), [](const TRepeated& r) { return r.Preferred; });
    maxRepeats_[g] = std::max(maxRepeats_[g], list.size());
    for (std::size_t r = 0; r < list.size(); ++r) {
      const TRepeated& item = list[r];
      Emit(g, r, 0, g == gAdr ? ComposeAddress(item.Parts) : item.Parts[0]);
      if (!item.Types.empty()) Emit(g, r, 1, item.Types);
      if (g != gAdr) continue;
      for (std::size_t p = 0; p < apCount; ++p)
        if (!item.Parts[p].empty()) Emit(g, r, 2 + p, item.Parts[p]);
    }
  }
  if (c.HasNote) Emit(gNote, 0, 0, c.Note);
}

}  // namespace

// Text without a CHARSET is UTF-8 whether or not it starts with the mark.
std::size_t TvlVCardDataSource::ReadText(std::string bytes, bool, const std::string& sourceName) {
  std::vector<std::uint32_t> lengths;
  std::vector<std::uint64_t> offsets, keys;
  TVCardParser parser(sourceName, arena_, lengths, offsets, keys, starts_);
  parser.Parse(bytes);
  starts_.push_back(keys.size());

  // The field list: the first of every group, then the repeats.
  std::size_t first[gGroupCount], extra[gGroupCount];
  std::size_t count = 0;
  auto add = [this](TGroup g, std::size_t repeat) {
    const std::string prefix = kPrefix[g] + (repeat == 0 ? std::string() : std::to_string(repeat + 1));
    for (std::size_t p = 0; p < kPartCount[g]; ++p) {
      const char* part = g == gName ? kNameFields[p] : g == gAdr ? kAdrParts[p] : g == gNote ? "" : kTypedParts[p];
      defs_.push_back({prefix + part, TvlFieldKind::fkString, false});
    }
  };
  for (int g = 0; g < gGroupCount; ++g) {
    first[g] = count;
    count += kPartCount[g];
    add(static_cast<TGroup>(g), 0);
  }
  for (int g = 0; g < gGroupCount; ++g) {
    extra[g] = count;
    if (!kRepeats[g]) continue;
    for (std::size_t r = 1; r < parser.MaxRepeats(static_cast<TGroup>(g)); ++r) add(static_cast<TGroup>(g), r);
    count += (parser.MaxRepeats(static_cast<TGroup>(g)) - 1) * kPartCount[g];
  }

  cells_.resize(keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const auto g = static_cast<TGroup>(keys[k] >> 56);
    const std::size_t repeat = (keys[k] >> 8) & 0xFFFFFFFFFFFull;
    const std::size_t part = keys[k] & 0xFF;
    const std::size_t field = repeat == 0 ? first[g] + part : extra[g] + (repeat - 1) * kPartCount[g] + part;
    cells_[k] = {static_cast<std::uint32_t>(field), lengths[k], offsets[k]};
  }
  for (std::size_t r = 0; r + 1 < starts_.size(); ++r)
    std::sort(cells_.begin() + static_cast<std::ptrdiff_t>(starts_[r]),
              cells_.begin() + static_cast<std::ptrdiff_t>(starts_[r + 1]),
              [](const Cell& a, const Cell& b) { return a.Field < b.Field; });
  return starts_.size() - 1;
}

void TvlVCardDataSource::Close() {
  SetClosed();
  defs_.clear();
  cells_.clear();
  cells_.shrink_to_fit();
  starts_.clear();
  arena_.clear();
  arena_.shrink_to_fit();
}

const TvlVCardDataSource::Cell* TvlVCardDataSource::Find(int field) const {
  if (!HasRecord() || field < 0) return nullptr;
  const auto begin = cells_.begin() + static_cast<std::ptrdiff_t>(starts_[Position()]);
  const auto end = cells_.begin() + static_cast<std::ptrdiff_t>(starts_[Position() + 1]);
  const auto it = std::lower_bound(begin, end, static_cast<std::uint32_t>(field),
                                   [](const Cell& c, std::uint32_t f) { return c.Field < f; });
  return it != end && it->Field == static_cast<std::uint32_t>(field) ? &*it : nullptr;
}

bool TvlVCardDataSource::IsNull(int field) const { return Find(field) == nullptr; }

std::string_view TvlVCardDataSource::DisplayText(int field) const {
  const Cell* c = Find(field);
  return c ? std::string_view(arena_.data() + c->Offset, c->Length) : std::string_view();
}

void TvlVCardDataSource::ReadValue(int field, TvlValue& out) const {
  if (IsNull(field)) {
    out = TvlValue::Null();
    return;
  }
  vlAssignText(out, DisplayText(field));
}

}  // namespace vl
