// Writes the six envelope templates the launcher offers.
//   make_envelopes <folder>      writes <folder>/1.vlf .. <folder>/6.vlf
// Runs with the in-memory platform, so the virtual printer is the one in force
// and the files do not depend on the printers of the machine.

#include <cstdio>
#include <exception>
#include <string>

#include "engine/model/report.h"
#include "tools/envelope_layouts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_envelopes <folder>\n");
    return 2;
  }
  try {
    for (int n = 1; n <= vl::kEnvelopeCount; ++n) {
      vl::TvlReport report;
      vl::vlBuildEnvelope(n, report);
      report.SaveToFile(std::string(argv[1]) + "/" + std::to_string(n) + ".vlf");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_envelopes: %s\n", e.what());
    return 1;
  }
  return 0;
}
