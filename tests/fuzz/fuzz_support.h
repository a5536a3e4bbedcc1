#pragma once
// Seeds for fuzz targets: when VL_WRITE_SEEDS names a folder, the target's
// seeds are written there as files seed_0, seed_1, ...; the replay program
// runs them from memory.

#include <cstdint>
#include <string>
#include <vector>

namespace vl::fuzz {

void WriteSeedsIfAsked(const std::vector<std::string>& seeds);

// The seeds the target handed to WriteSeedsIfAsked (empty before).
const std::vector<std::string>& SeedsGiven();

}  // namespace vl::fuzz
