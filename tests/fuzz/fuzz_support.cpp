#include "tests/fuzz/fuzz_support.h"

#include <cstdlib>
#include <fstream>

namespace vl::fuzz {

namespace {
std::vector<std::string>& Given() {
  static std::vector<std::string> seeds;
  return seeds;
}
}  // namespace

const std::vector<std::string>& SeedsGiven() { return Given(); }

void WriteSeedsIfAsked(const std::vector<std::string>& seeds) {
  Given() = seeds;
  const char* dir = std::getenv("VL_WRITE_SEEDS");
  if (!dir || !*dir) return;
  for (std::size_t k = 0; k < seeds.size(); ++k) {
    std::ofstream out(std::string(dir) + "/seed_" + std::to_string(k), std::ios::binary);
    out.write(seeds[k].data(), static_cast<std::streamsize>(seeds[k].size()));
  }
}

}  // namespace vl::fuzz
