#pragma once
// Seeds for fuzz targets: when VL_WRITE_SEEDS names a folder, the target's
// seeds are written there as files seed_0, seed_1, ...

#include <cstdint>
#include <string>
#include <vector>

namespace vl::fuzz {

void WriteSeedsIfAsked(const std::vector<std::string>& seeds);

}  // namespace vl::fuzz
