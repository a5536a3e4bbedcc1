#pragma once
// The data sources a report brings with it: each a name that bands and
// fields use, and the file it reads (a CSV or vCard file, a SQLite file with
// a table or a SELECT). They are stored inside the template as one object
// record of a type that creates no object, so every reader of the format
// skips it by its end offset and older programs still read the template.
// A report's list is kept beside the report (vlDataSourcesOf), so that the
// report class, which most of the program sees, stays as it is.
//
// In memory a source's file is as the user chose it (absolute once a
// template file has been read); in a template file it is stored relative to
// the template's folder, so that a folder of template and data travels whole.

#include <cstdint>
#include <string>
#include <vector>

namespace vl {

class TvlReport;
class TvlStreamReader;
class TvlStreamWriter;

struct TvlReportDataSource {
  std::string Name;      // the dataset name bands and field references use
  std::string FileName;  // the source file
  std::string Query;     // SQLite: a table name or a SELECT statement; empty otherwise
  bool operator==(const TvlReportDataSource&) const = default;
  // "FILE", or "FILE#QUERY" as the data source opener takes it.
  std::string Spec() const { return Query.empty() ? FileName : FileName + "#" + Query; }
};

// The object record type that carries them (a code that makes no object).
inline constexpr std::uint8_t kDataSourcesRecordType = 7;

class TvlReportDataSources {
 public:
  std::vector<TvlReportDataSource> Items;

  bool Empty() const noexcept { return Items.empty(); }
  void Clear() { Items.clear(); }
  // By name, exactly as bands compare names; nullptr when absent.
  const TvlReportDataSource* Find(const std::string& name) const;
  // Adds or replaces the source of that name.
  void Set(const TvlReportDataSource& source);
  bool Remove(const std::string& name);

  // The record's body (after the type byte, page index and end offset).
  // Files are written relative to folder and read back against it; an empty
  // folder keeps them as they are (templates copied in memory).
  void WriteBody(TvlStreamWriter& w, const std::string& folder) const;
  // False, with nothing changed, when the body is not a data sources body.
  bool ReadBody(TvlStreamReader& r, const std::string& folder);
};

// The report's own data sources (empty at first); the report's Clear empties
// them, and they go with the report.
TvlReportDataSources& vlDataSourcesOf(const TvlReport& report);
void vlForgetDataSourcesOf(const TvlReport& report);

// The template file being read or written now, set for as long as the scope
// lives: its folder is where the sources' files are stored relative to, and
// a failed read names it. Empty for templates in memory.
class TvlTemplateFileScope {
 public:
  explicit TvlTemplateFileScope(const std::string& path);
  ~TvlTemplateFileScope();
  TvlTemplateFileScope(const TvlTemplateFileScope&) = delete;
  TvlTemplateFileScope& operator=(const TvlTemplateFileScope&) = delete;

 private:
  std::string previous_;
};
const std::string& vlTemplateFileInUse();
std::string vlTemplateFolderInUse();

// path relative to folder where both are absolute; otherwise path itself.
std::string vlPathRelativeTo(const std::string& path, const std::string& folder);
// A relative path taken from folder; absolute paths and an empty folder leave it.
std::string vlPathFrom(const std::string& path, const std::string& folder);
// The folder that holds a file ("" for a bare name).
std::string vlFolderOf(const std::string& path);

}  // namespace vl
