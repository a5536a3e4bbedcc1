// vlreport data: the fields and first records of a CSV file, a vCard file or
// a SQLite table or query, opened as every other user of a data source opens
// it and read through the same dataset the engine walks, so that a user can
// check what an envelope run will see.

#include <cstdlib>
#include <memory>
#include <sstream>

#include "app/vlreport/command.h"
#include "app/vlreport/json_output.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/data/open_data_source.h"
#include "engine/core/value_convert.h"
#include "engine/core/text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

const char* KindName(TvlFieldKind k) {
  static const char* const names[] = {"String", "Integer", "LargeInt", "Float",   "Boolean",
                                      "DateTime", "Binary", "Memo",    "Graphic", "FmtMemo",
                                      "ParadoxOle", "DBaseOle", "TypedBinary"};
  return names[static_cast<int>(k)];
}

nlohmann::ordered_json ValueJson(const TvlDataSource& s, int field) {
  const TvlFieldDef& def = s.FieldDefs()[static_cast<std::size_t>(field)];
  if (vlIsLargeField(def.Kind) && !vlIsTextField(def.Kind)) {
    if (s.IsNull(field)) return nullptr;
    std::ostringstream bytes;
    s.SaveBlobToStream(field, bytes);
    return {{"Bytes", bytes.str().size()}};
  }
  const TvlValue v = vlFieldValue(s, field);
  switch (v.Kind()) {
    case TvlValueKind::Integer: return v.Int();
    case TvlValueKind::Float: return v.Float();
    case TvlValueKind::Boolean: return v.Bool();
    default: return Utf8(vlValueToText(v));
  }
}

}  // namespace

int RunData(const Args& args) {
  ArgReader reader(args);
  const std::string table = reader.Option("--table");
  const std::string query = reader.Option("--query");
  const std::string limitText = reader.Option("--limit", "10");
  const Args rest = reader.Positional();
  if (rest.size() != 1) throw UsageError{vlTr("needs one data file")};
  char* end = nullptr;
  const long limit = std::strtol(limitText.c_str(), &end, 10);
  if (limitText.empty() || *end != 0 || limit < 0 || limit > 1000000)
    throw UsageError{vlTr("bad --limit '%1'", {limitText})};

  const std::string& file = rest[0];
  TvlSourceSpec spec = vlParseSourceSpec(file);
  if (!table.empty() || !query.empty()) {
    // --table and --query name what "#" would; they apply to SQLite files only.
    const bool csvName = file.size() >= 4 && vlSameText(file.substr(file.size() - 4), ".csv");
    if (spec.Kind == TvlSourceKind::VCard || (spec.Kind == TvlSourceKind::Csv && csvName))
      throw UsageError{vlTr("--table and --query are for SQLite files")};
    if (!table.empty() && !query.empty()) throw UsageError{vlTr("give --table or --query, not both")};
    spec.Kind = TvlSourceKind::SQLite;
    spec.Table = table;
    spec.SQL = query;
  }
  const std::unique_ptr<TvlDataSource> source = vlMakeDataSource(spec, "Source");

  TvlDBDataSet dataset("Data");
  dataset.SetDataSet(source.get());
  dataset.Init();
  nlohmann::ordered_json doc;
  doc["Source"] = Utf8(file);
  doc["Kind"] = vlSourceKindName(spec.Kind);
  if (auto* c = dynamic_cast<TvlCsvDataSource*>(source.get())) doc["Separator"] = std::string(1, c->Separator());
  nlohmann::ordered_json fields = nlohmann::ordered_json::array();
  for (const TvlFieldDef& d : source->FieldDefs())
    fields.push_back({{"Name", Utf8(d.Name)}, {"Kind", KindName(d.Kind)}});
  doc["Fields"] = fields;
  nlohmann::ordered_json records = nlohmann::ordered_json::array();
  const int count = static_cast<int>(source->FieldDefs().size());
  for (dataset.First(); !dataset.Eof() && dataset.RecNo() < limit; dataset.Next()) {
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    for (int k = 0; k < count; ++k)
      record[Utf8(source->FieldDefs()[static_cast<std::size_t>(k)].Name)] = ValueJson(*source, k);
    records.push_back(record);
  }
  doc["Records"] = records;
  dataset.Exit();
  PrintJson(doc);
  return 0;
}

}  // namespace vl::cli
