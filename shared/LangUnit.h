#pragma once
// Language files: the numbered messages both programs show.
#include <array>
#include <string>

namespace lumetta {

// The numbered message texts ("Msg0" to "Msg99"), filled once at start.
extern std::array<std::string, 100> Messages;

} // namespace lumetta
