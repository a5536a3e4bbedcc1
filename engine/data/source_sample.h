#pragma once
// A look at a data source before it is used: its columns and its first rows
// as display texts (the data sources dialog's preview).

#include <string>
#include <vector>

#include "engine/model/report_data_sources.h"

namespace vl {

struct TvlSourceSample {
  std::vector<std::string> Columns;
  std::vector<std::vector<std::string>> Rows;
};

// Opens the source and reads at most rows records; a source that cannot be
// read raises TvlError naming the file.
TvlSourceSample vlSampleSource(const TvlReportDataSource& source, int rows);

}  // namespace vl
