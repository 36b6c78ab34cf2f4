#pragma once
// Small services shared by both programs.
#include <cstdint>

namespace lumetta {

// The process-wide pseudo-random generator: a uniform number from 0 to range - 1 (0 when range is 0).
std::uint32_t Random(std::uint32_t range);

} // namespace lumetta
