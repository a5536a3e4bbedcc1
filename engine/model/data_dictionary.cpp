#include "engine/model/data_dictionary.h"

#include <algorithm>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

constexpr std::uint16_t kMarkerCurrent = 0xFFFE;
constexpr std::uint16_t kMarkerPrevious = 0xFFFF;
constexpr std::uint8_t kFileVersion = 25;

constexpr const char* kSystemVariables[] = {
    "PAGE#",         "",         "DATE",          "TIME",          "LINE#",
    "LINETHROUGH#",  "COLUMN#",  "CURRENT#",      "TOTALPAGES",    "REPORTCOMMENT",
    "REPORTNAME",    "REPORTAUTOR", "VMAJOR",     "VMINOR",        "VRELEASE",
    "VBUILD",        "REPORTDATE", "REPORTLASTCHANGE",
};

void ReadList(TvlStreamReader& r, TvlVariables& list) {
  const std::int32_t count = r.ReadI32();
  if (count < 0) throw TvlStreamError("Bad dictionary list");
  // Each pair takes at least six bytes, so a count beyond what remains ends
  // with a read error long before memory runs out.
  for (std::int32_t k = 0; k < count; ++k) {
    std::string name = r.ReadString16();
    std::string value = r.ReadString16();
    list.Set(name, TvlValue(std::move(value)));
  }
}

void WriteList(TvlStreamWriter& w, const TvlVariables& list) {
  w.WriteI32(list.Count());
  for (const TvlVariables::Entry& e : list.Entries()) {
    w.WriteString(e.Name);
    w.WriteString(vlValueToText(e.Value));
  }
}

bool StartsWithBlank(const std::string& s) { return !s.empty() && s[0] == ' '; }

}  // namespace

const char* vlSystemVariableName(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kSystemVariables))) return "";
  return kSystemVariables[index];
}

TvlDataDictionary::TvlDataDictionary(const TvlDataDictionary& other)
    : Variables(other.Variables),
      FieldAliases(other.FieldAliases),
      BandDataSources(other.BandDataSources),
      FieldExists(other.FieldExists) {}

TvlDataDictionary& TvlDataDictionary::operator=(const TvlDataDictionary& other) {
  if (this != &other) {
    Variables = other.Variables;
    FieldAliases = other.FieldAliases;
    BandDataSources = other.BandDataSources;
    FieldExists = other.FieldExists;
    ClearCache();
  }
  return *this;
}

TvlDataDictionary::~TvlDataDictionary() {
  if (resolver_) resolver_->dictionary_ = nullptr;
}

void TvlDataDictionary::SetFieldResolver(TvlFieldResolver* resolver) {
  if (resolver == resolver_) return;
  // Bindings belong to the resolver that made them.
  ClearCache();
  if (resolver_) resolver_->dictionary_ = nullptr;
  // A resolver serves one dictionary at a time.
  if (resolver && resolver->dictionary_) resolver->dictionary_->SetFieldResolver(nullptr);
  resolver_ = resolver;
  if (resolver_) resolver_->dictionary_ = this;
}

TvlFieldResolver::~TvlFieldResolver() {
  if (dictionary_) dictionary_->SetFieldResolver(nullptr);
}

void TvlFieldResolver::ForgetDataSet(const TvlDataSource* dataSet) {
  if (dictionary_) dictionary_->FieldCache.Forget(dataSet);
}

void TvlDataDictionary::Clear() {
  Variables.Clear();
  FieldAliases.Clear();
  BandDataSources.Clear();
}

void TvlDataDictionary::LoadFromStream(TvlStreamReader& r) {
  Clear();
  const std::size_t start = r.Position();
  const std::uint16_t marker = r.ReadU16();
  if (marker == kMarkerCurrent || marker == kMarkerPrevious) {
    ReadList(r, Variables);
    ReadList(r, FieldAliases);
    ReadList(r, BandDataSources);
    if (marker == kMarkerPrevious) {
      // Entries the older editor left behind: hidden fields that are gone, and
      // band data sources without an alias. Only field entries are checked:
      // a dataset entry ("Data.People") is no field reference and would be
      // lost although its dataset exists.
      const auto exists = [this](const std::string& key) {
        if (FieldExists) return FieldExists(key);
        return resolver_ ? resolver_->FieldExists(key) : true;
      };
      for (int k = FieldAliases.Count() - 1; k >= 0; --k) {
        const std::string key = FieldAliases.NameAt(k);
        if (vlIsFieldAliasKey(key) && vlValueToText(FieldAliases.ValueAt(k)).empty() && !exists(key))
          FieldAliases.Delete(k);
      }
      for (int k = BandDataSources.Count() - 1; k >= 0; --k)
        if (vlValueToText(BandDataSources.ValueAt(k)).empty()) BandDataSources.Delete(k);
    }
  } else {
    r.Seek(start);
    ReadOldestLayout(r);
  }
  // Old dictionaries prefixed variables with a blank; now categories carry it.
  if (Variables.Count() > 0 && !StartsWithBlank(Variables.NameAt(0))) {
    for (int k = 0; k < Variables.Count(); ++k) {
      const std::string name = Variables.NameAt(k);
      Variables.SetNameAt(k, StartsWithBlank(name) ? name.substr(1) : " " + name);
    }
  }
}

void TvlDataDictionary::ReadOldestLayout(TvlStreamReader& r) {
  struct Record {
    std::string Name, Value;
  };
  const std::int32_t count = r.ReadI32();
  if (count < 0) throw TvlStreamError("Bad dictionary");
  std::vector<Record> records;
  for (std::int32_t k = 0; k < count; ++k) {
    const std::uint8_t kind = r.ReadByte();
    const std::int32_t index = r.ReadI32();
    const std::string dataset = r.ReadShortString();
    const std::string field = r.ReadShortString();
    Record rec;
    rec.Name = r.ReadShortString();
    if (kind == 1)
      rec.Value = dataset + ".\"" + field + "\"";
    else if (kind == 2)
      rec.Value = index == 1 ? field : vlSystemVariableName(index);
    records.push_back(std::move(rec));
  }
  std::vector<std::string> lines;
  r.ReadStringList(lines);
  for (const std::string& line : lines) {
    std::string value;
    if (StartsWithBlank(line))
      for (const Record& rec : records)
        if (" " + rec.Name == line) {
          value = rec.Value;
          break;
        }
    Variables.Set(line, TvlValue(std::move(value)));
  }
}

void TvlDataDictionary::SaveToStream(TvlStreamWriter& w) const {
  w.WriteU16(kMarkerCurrent);
  WriteList(w, Variables);
  WriteList(w, FieldAliases);
  WriteList(w, BandDataSources);
}

bool TvlDataDictionary::LoadFromFile(const std::string& path) {
  std::string bytes;
  if (!vlReadFile(path, bytes)) return false;
  TvlStreamReader r(bytes, /*inMemory=*/false);
  // The leading byte is the stream version the old layout's text list was written in.
  const std::uint8_t version = r.ReadByte();
  TvlEngineState& st = vlState();
  st.StreamVersion = version >= 21 && version <= kCurrentStreamVersion ? version : kCurrentStreamVersion;
  try {
    LoadFromStream(r);
  } catch (...) {
    st.StreamVersion = kCurrentStreamVersion;
    throw;
  }
  st.StreamVersion = kCurrentStreamVersion;
  return true;
}

void TvlDataDictionary::SaveToFile(const std::string& path) const {
  TvlStreamWriter w;
  w.WriteByte(kFileVersion);
  SaveToStream(w);
  vlWriteFileAtomically(path, w.Bytes());
}

std::string vlFieldAliasKey(const std::string& dataSet, const std::string& field) {
  return dataSet + ".\"" + field + "\"";
}

bool vlIsFieldAliasKey(const std::string& key) { return key.find('"') != std::string::npos; }

bool vlSplitDictionaryReference(const std::string& text, std::string& dataSet, std::string& field) {
  bool quoted = false;
  for (std::size_t k = text.size(); k-- > 0;) {
    if (text[k] == '"') {
      quoted = !quoted;
    } else if (text[k] == '.' && !quoted) {
      dataSet = text.substr(0, k);
      field = text.substr(k + 1);
      if (field.size() > 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
      return true;
    }
  }
  return false;
}

namespace {

// A variable's entry: names with a leading blank are categories.
const TvlValue* FindVariable(const TvlVariables& variables, const std::string& name) {
  if (name.empty() || name[0] == ' ') return nullptr;
  return variables.Find(name);
}

// A binding made from a variable's text holds while the variable keeps that text.
bool StillBound(const TvlVariables& variables, const std::string& name, const TvlCacheItem& item) {
  if (!item.VariableText) return true;
  const TvlValue* v = FindVariable(variables, name);
  return v && v->IsString() && v->Str() == *item.VariableText;
}

bool StartsWithText(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && vlSameText(s.substr(0, prefix.size()), prefix);
}

void SortByText(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
}

// Names with aliases applied: with entries present only the named ones show,
// a non-empty alias instead of the name.
std::vector<std::string> ApplyAliases(const std::vector<std::string>& names, const TvlVariables& aliases) {
  if (aliases.Count() == 0) return names;
  std::vector<std::string> out;
  for (const std::string& name : names)
    if (const TvlValue* alias = aliases.Find(name)) {
      std::string text = vlValueToText(*alias);
      out.push_back(text.empty() ? name : std::move(text));
    }
  SortByText(out);
  return out;
}

// The entry shown under alias among the entries accept admits; nullptr when none.
template <class Accept>
const TvlVariables::Entry* FindAlias(const TvlVariables& list, const std::string& alias, Accept accept) {
  if (alias.empty()) return nullptr;
  for (const TvlVariables::Entry& e : list.Entries())
    if (accept(e.Name) && vlSameText(vlValueToText(e.Value), alias)) return &e;
  return nullptr;
}

}  // namespace

bool TvlDataDictionary::BindField(const std::string& name, const std::string& reference,
                                  std::optional<std::string> variableText) {
  if (!resolver_) return false;
  TvlFieldBinding binding = resolver_->ResolveField(reference);
  if (!binding.Bound()) return false;
  FieldCache.Add(name, TvlCacheItem{std::move(binding), std::move(variableText)});
  return true;
}

std::string TvlDataDictionary::UnaliasReference(const std::string& name) const {
  std::string dataSet, field;
  if (!vlSplitDictionaryReference(name, dataSet, field)) return name;
  if (const auto* e = FindAlias(FieldAliases, dataSet, [](const std::string& k) { return !vlIsFieldAliasKey(k); }))
    dataSet = e->Name;
  const std::string prefix = dataSet + ".";
  if (const auto* e = FindAlias(FieldAliases, field, [&](const std::string& k) {
        return vlIsFieldAliasKey(k) && StartsWithText(k, prefix);
      })) {
    std::string ignored;
    vlSplitDictionaryReference(e->Name, ignored, field);
  }
  return vlFieldAliasKey(dataSet, field);
}

bool TvlDataDictionary::IsVariable(const std::string& name) {
  if (TvlCacheItem* item = FieldCache.Find(name)) {
    if (StillBound(Variables, name, *item)) return true;
    FieldCache.Remove(name);  // a script gave the variable another value
  }
  if (const TvlValue* v = FindVariable(Variables, name)) {
    if (v->IsString() && v->Str().find('.') != std::string::npos) {
      const std::string text = v->Str();
      BindField(name, text, text);
    }
    return true;
  }
  return BindField(name, UnaliasReference(name), std::nullopt);
}

TvlValue TvlDataDictionary::GetValue(const std::string& name) {
  if (TvlCacheItem* item = FieldCache.Find(name)) {
    if (StillBound(Variables, name, *item)) return resolver_->ReadField(item->Field);
    FieldCache.Remove(name);
  }
  const TvlValue* v = FindVariable(Variables, name);
  if (!v) return TvlValue::Null();
  if (const TvlVariables* script = vlShared().ScriptVariables)
    if (const TvlValue* s = script->Find(name)) return *s;
  if (!v->IsString() || v->Str().empty()) return *v;
  TvlExpressionEvaluator* evaluator = vlShared().Evaluator;
  if (!evaluator) throw TvlError("No expression evaluator for the variable " + name);
  std::string key = vlUpperCase(name);
  if (const auto done = evaluated_.find(key); done != evaluated_.end()) return done->second;
  // Copied: evaluating may change the variables.
  const std::string text = v->Str();
  struct Nesting {
    TvlDataDictionary& d;
    explicit Nesting(TvlDataDictionary& dictionary) : d(dictionary) { ++d.evaluationDepth_; }
    ~Nesting() {
      if (--d.evaluationDepth_ == 0) d.evaluated_.clear();
    }
  } nesting(*this);
  TvlValue value = evaluator->Evaluate(text);
  evaluated_.insert_or_assign(std::move(key), value);
  return value;
}

std::vector<std::string> TvlDataDictionary::GetCategoryList() const {
  std::vector<std::string> out;
  for (const TvlVariables::Entry& e : Variables.Entries())
    if (StartsWithBlank(e.Name)) out.push_back(e.Name.substr(1));
  return out;
}

std::vector<std::string> TvlDataDictionary::GetVariablesList(const std::string& category) const {
  std::vector<std::string> out;
  const int start = Variables.IndexOf(" " + category);
  if (start < 0) return out;
  for (int k = start + 1; k < Variables.Count(); ++k) {
    std::string name = Variables.NameAt(k);
    if (name.empty() || StartsWithBlank(name)) break;
    out.push_back(std::move(name));
  }
  return out;
}

std::vector<std::string> TvlDataDictionary::GetDataSetList() const {
  if (!resolver_) return {};
  return ApplyAliases(resolver_->DataSetNames(), FieldAliases);
}

std::vector<std::string> TvlDataDictionary::GetFieldList(const std::string& dataSet) const {
  std::vector<std::string> out;
  if (!resolver_) return out;
  const std::string real = RealDataSetName(dataSet);
  for (std::string& field : resolver_->FieldNames(real)) {
    if (const TvlValue* alias = FieldAliases.Find(vlFieldAliasKey(real, field))) {
      std::string text = vlValueToText(*alias);
      if (!text.empty()) out.push_back(std::move(text));  // an empty alias hides the field
    } else {
      out.push_back(std::move(field));
    }
  }
  return out;
}

std::vector<std::string> TvlDataDictionary::GetBandDataSourceList() const {
  if (!resolver_) return {};
  return ApplyAliases(resolver_->BandDataSourceNames(), BandDataSources);
}

std::string TvlDataDictionary::RealDataSetName(const std::string& alias) const {
  const auto* e = FindAlias(FieldAliases, alias, [](const std::string& k) { return !vlIsFieldAliasKey(k); });
  return e ? e->Name : alias;
}

std::string TvlDataDictionary::RealBandDataSourceName(const std::string& alias) const {
  const auto* e = FindAlias(BandDataSources, alias, [](const std::string&) { return true; });
  return e ? e->Name : alias;
}

std::string TvlDataDictionary::RealFieldName(const std::string& dataSet, const std::string& alias) const {
  const std::string prefix = dataSet + ".";
  const auto* e = FindAlias(FieldAliases, alias, [&](const std::string& k) {
    return vlIsFieldAliasKey(k) && StartsWithText(k, prefix);
  });
  std::string ignored, field;
  if (e && vlSplitDictionaryReference(e->Name, ignored, field)) return field;
  return alias;
}

std::string TvlDataDictionary::GetAlias(const std::string& name) const {
  for (const TvlVariables* list : {&FieldAliases, &BandDataSources})
    if (const TvlValue* alias = list->Find(name)) {
      std::string text = vlValueToText(*alias);
      if (!text.empty()) return text;
    }
  return name;
}

}  // namespace vl
