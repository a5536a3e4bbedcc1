#include "engine/model/data_dictionary.h"

#include <vector>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
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
      // band data sources without an alias.
      for (int k = FieldAliases.Count() - 1; k >= 0; --k)
        if (vlValueToText(FieldAliases.ValueAt(k)).empty() && FieldExists &&
            !FieldExists(FieldAliases.NameAt(k)))
          FieldAliases.Delete(k);
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

}  // namespace vl
