#pragma once
// The report's data dictionary: variables grouped into categories, aliases of
// datasets and fields, and aliases of band data sources. This file holds the
// lists and their stream and .vld file; resolving names through them belongs
// to value resolution.

#include <functional>
#include <string>

#include "engine/core/variables.h"

namespace vl {

class TvlStreamReader;
class TvlStreamWriter;

class TvlDataDictionary {
 public:
  // Entries whose name begins with a blank are categories; the others are the
  // variables of the category above them.
  TvlVariables Variables;
  // Dataset name, or dataset name "." field name -> the alias shown (empty hides a field).
  TvlVariables FieldAliases;
  // Dataset component name -> the alias shown.
  TvlVariables BandDataSources;

  // Streams marked 0xFFFF drop field-alias entries with an empty alias whose
  // field no longer exists. The datasets answer that through this hook; while
  // it is unset such entries are kept, so nothing is lost.
  std::function<bool(const std::string& fieldName)> FieldExists;

  void Clear();
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
  void ReadOldestLayout(TvlStreamReader& r);
};

// The system variable names by their index in stored dictionaries (index 1
// stands for an expression).
const char* vlSystemVariableName(int index);

}  // namespace vl
