#pragma once
// The walk the data-source fuzz targets share: every field of every record
// read forward, then a step back, a bookmark and a jump to it.

#include <cstddef>
#include <sstream>

#include "engine/data/data_source.h"

namespace vl::fuzz {

// Returns the total length of the fields' display texts. Source is a file
// data source (its record count is its own, not the base's).
template <typename Source>
std::size_t WalkRecords(Source& s) {
  const int fields = static_cast<int>(s.FieldDefs().size());
  std::size_t total = 0;
  std::ostringstream sink;
  for (s.First(); !s.Eof(); s.Next())
    for (int k = 0; k < fields; ++k) {
      total += s.DisplayText(k).size();
      s.SaveBlobToStream(k, sink);
    }
  if (s.RecordCount() > 0) {
    s.Prior();
    const TvlBookmark b = s.GetBookmark();
    s.First();
    s.GotoBookmark(b);
    for (int k = 0; k < fields; ++k) (void)vlFieldValue(s, k);
  }
  return total;
}

}  // namespace vl::fuzz
