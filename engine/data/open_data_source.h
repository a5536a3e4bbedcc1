#pragma once
// The one place that turns what the user names into a data source: the
// launcher's address list, vlreport's --dataset and data, and the designer
// go through it, so that a new kind of source is added here once.
//
// What may be named: a CSV file; a vCard file (.vcf); a SQLite file followed
// by "#TABLE" or "#SELECT ..." (a SQLite file with a single table needs
// neither). The kind is taken from the file itself where it tells (the
// SQLite header, a first line BEGIN:VCARD), else from the extension (.vcf,
// .vcard); everything else is read as CSV.

#include <memory>
#include <string>
#include <string_view>

#include "engine/data/data_source.h"

namespace vl {

enum class TvlSourceKind { Csv, SQLite, VCard };

struct TvlSourceSpec {
  TvlSourceKind Kind = TvlSourceKind::Csv;
  std::string FileName;
  std::string Table;  // SQLite: a table, or
  std::string SQL;    // a SELECT statement
};

// "csv", "sqlite", "vcard".
const char* vlSourceKindName(TvlSourceKind kind);

// Splits "FILE#TABLE" or "FILE#SELECT ..." (a "#" that is part of an
// existing file's name stays in the name) and finds the file's kind. Raises
// TvlError for an empty name or nothing after "#".
TvlSourceSpec vlParseSourceSpec(const std::string& spec);

// The source, not yet opened, as a component named name. A SQLite file named
// without table or query is read whole when it holds one table; otherwise
// TvlError lists its tables.
std::unique_ptr<TvlDataSource> vlMakeDataSource(const TvlSourceSpec& spec, const std::string& name);
std::unique_ptr<TvlDataSource> vlMakeDataSource(const std::string& spec, const std::string& name);
// Made and opened: every line of the file is checked, so a damaged file
// raises here, before anything is printed from it.
std::unique_ptr<TvlDataSource> vlOpenDataSource(const std::string& spec, const std::string& name = "Source");

}  // namespace vl
