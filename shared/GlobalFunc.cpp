#include "GlobalFunc.h"

#include <chrono>
#include <random>

namespace lumetta {

namespace {
std::mt19937& Generator()
{
    static std::mt19937 generator(
        static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return generator;
}
} // namespace

std::uint32_t Random(std::uint32_t range)
{
    if (range == 0)
        return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(Generator());
}

} // namespace lumetta
