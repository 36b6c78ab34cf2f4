#include "shared/LangUnit.h"

namespace lumetta {

std::array<std::string, 100> Messages;

} // namespace lumetta
