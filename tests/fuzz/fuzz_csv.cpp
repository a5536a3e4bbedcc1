// The CSV reader on arbitrary bytes: it either refuses them with a TvlError or
// gives records whose every field reads within bounds, forward and back.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/data/csv_data_source.h"
#include "engine/core/error.h"
#include "tests/fuzz/fuzz_records.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  vl::fuzz::WriteSeedsIfAsked({
      "Name,\"Zip.Code\",Note\r\nAnn,\"1,2\",\"said \"\"hi\"\"\"\r\n\r\nBob,,\"two\nlines\"\n",
      "a;b;c\n1;2;3\n\"x\";\"y\";\"\"\n",
      "\xEF\xBB\xBFh\n\xC3\xA4\n",
      "a,b\n1,\"open\n",
      "a,b\n1,\"x\"y\n",
      "only\n",
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vl::TvlCsvDataSource s;
  try {
    s.OpenText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv");
  } catch (const vl::TvlError&) {
    return 0;
  }
  const std::size_t total = vl::fuzz::WalkRecords(s);
  if (total > size) __builtin_trap();  // a field can only shrink (undoubled quotes)
  return 0;
}
