// Replays the kept inputs of one fuzz target without libFuzzer: every file in
// the folders given on the command line goes through the target once, so an
// input that once failed keeps being checked in every build.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv) {
  if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
  std::vector<std::filesystem::path> files;
  for (int k = 1; k < argc; ++k) {
    std::error_code ec;
    if (std::filesystem::is_directory(argv[k], ec)) {
      for (const auto& entry : std::filesystem::directory_iterator(argv[k]))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
    } else if (std::filesystem::is_regular_file(argv[k], ec)) {
      files.emplace_back(argv[k]);
    } else {
      std::fprintf(stderr, "no kept inputs at %s\n", argv[k]);  // a target that never failed
    }
  }
  std::sort(files.begin(), files.end());  // a failure always names the same first input
  // The target's own seeds first: they walk the main paths under the sanitizers.
  const std::vector<std::string>& seeds = vl::fuzz::SeedsGiven();
  for (const std::string& seed : seeds)
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(seed.data()), seed.size());
  for (const auto& path : files) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fprintf(stderr, "replaying %s (%zu bytes)\n", path.filename().c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu seeds and %zu kept inputs replayed\n", seeds.size(), files.size());
  return 0;
}
