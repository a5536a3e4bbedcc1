#pragma once
// The report's data dictionary: variables grouped into categories, aliases of
// datasets and fields, and aliases of band data sources; the resolution of
// names written in report texts through them (variables, field references
// written with aliases) with a cache of the fields bound; the lists the
// designer shows; the stream and the .vld file.
//
// Key forms: a dataset's entry in FieldAliases is its path ("People",
// "Data.People"); a field's entry is the dataset path, ".", and the field
// name in double quotes (People."Zip.Code"). The quote tells field entries
// from dataset entries, and field names may contain periods.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/core/variables.h"
#include "engine/model/field_cache.h"
#include "engine/model/field_resolver.h"

namespace vl {

class TvlStreamReader;
class TvlStreamWriter;

class TvlDataDictionary {
 public:
  TvlDataDictionary() = default;
  // Copies take the lists only: the cache and the resolver belong to the
  // report whose datasets they bind.
  TvlDataDictionary(const TvlDataDictionary& other);
  TvlDataDictionary& operator=(const TvlDataDictionary& other);
  ~TvlDataDictionary();

  // Entries whose name begins with a blank are categories; the others are the
  // variables of the category above them.
  TvlVariables Variables;
  // Dataset path, or dataset path "." field name in double quotes -> the
  // alias shown (an empty alias hides a field). See vlFieldAliasKey.
  TvlVariables FieldAliases;
  // Dataset component name -> the alias shown.
  TvlVariables BandDataSources;

  // Streams marked 0xFFFF drop field entries with an empty alias whose field
  // no longer exists. This hook answers that, else the resolver plugged in;
  // with neither such entries are kept, so nothing is lost.
  std::function<bool(const std::string& fieldName)> FieldExists;
  // Names bound to dataset fields by IsVariable.
  TvlFieldCache FieldCache;

  // The datasets behind the names; nullptr (the default) knows no fields.
  // Changing it empties the field cache. The resolver unplugs itself when
  // it is destroyed.
  void SetFieldResolver(TvlFieldResolver* resolver);
  TvlFieldResolver* FieldResolver() const noexcept { return resolver_; }

  // Empties the three lists (not the field cache).
  void Clear();
  // Empties the field cache; preparation does so when it starts, so that
  // bindings always refer to the current datasets.
  void ClearCache() noexcept { FieldCache.Clear(); }

  // Whether the name is a dictionary variable or a field reference (written
  // with or without aliases) that binds to a field; binds and caches it.
  bool IsVariable(const std::string& name);
  // The value of a name IsVariable knows: a cached field's value, else the
  // variable's (a script variable of the same name wins), a non-empty text
  // being evaluated as an expression with the shared evaluator. Null for a
  // name it does not know. While one such evaluation runs, each variable it
  // reaches is evaluated once and then reused, so that variables referring
  // to one another several times stay linear instead of exponential.
  TvlValue GetValue(const std::string& name);

  // Lists for the designer.
  std::vector<std::string> GetCategoryList() const;
  std::vector<std::string> GetVariablesList(const std::string& category) const;
  // External datasets, fields of a dataset (given by name or by alias) and
  // band data sources, with aliases applied: when the list of aliases has
  // entries, only the datasets and band data sources with an entry show.
  std::vector<std::string> GetDataSetList() const;
  std::vector<std::string> GetFieldList(const std::string& dataSet) const;
  std::vector<std::string> GetBandDataSourceList() const;
  // The names behind aliases; the alias itself when no entry has it.
  std::string RealDataSetName(const std::string& alias) const;
  std::string RealBandDataSourceName(const std::string& alias) const;
  // The field of dataSet (a real path) shown under the alias.
  std::string RealFieldName(const std::string& dataSet, const std::string& alias) const;
  // A name's alias: the FieldAliases entry's, else the BandDataSources
  // entry's, else (also for an empty alias) the name itself.
  std::string GetAlias(const std::string& name) const;

  // Clears, then reads the dictionary section in any of its layouts. A stream
  // that ends early raises TvlStreamError.
  void LoadFromStream(TvlStreamReader& r);
  // Writes the current layout (marker 0xFFFE and the three lists).
  void SaveToStream(TvlStreamWriter& w) const;
  // The .vld file: one byte 25, then the dictionary section. False when the
  // file does not exist; a damaged file raises TvlError.
  bool LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

 private:
  friend class TvlFieldResolver;
  void ReadOldestLayout(TvlStreamReader& r);
  // Replaces the aliases in a field reference by the names behind them.
  std::string UnaliasReference(const std::string& name) const;
  bool BindField(const std::string& name, const std::string& reference,
                 std::optional<std::string> variableText);

  TvlFieldResolver* resolver_ = nullptr;
  // Variables already evaluated within the outermost evaluation (by
  // upper-cased name), and how deep evaluations are nested.
  std::unordered_map<std::string, TvlValue> evaluated_;
  int evaluationDepth_ = 0;
};

// The FieldAliases key of a field: dataSet + "." + the field in double quotes.
std::string vlFieldAliasKey(const std::string& dataSet, const std::string& field);
// Splits a field reference at its last period outside double quotes; a field
// part longer than two characters loses enclosing double quotes. False (and
// nothing set) for a text without such a period.
bool vlSplitDictionaryReference(const std::string& text, std::string& dataSet, std::string& field);
// Whether a FieldAliases entry names a field (the dataset entries hold no quote).
bool vlIsFieldAliasKey(const std::string& key);

// The system variable names by their index in stored dictionaries (index 1
// stands for an expression).
const char* vlSystemVariableName(int index);

}  // namespace vl
