#include "shared/GlobalConsts.h"

namespace lumetta {

std::string InstallDir;
std::string FramesetDir;

} // namespace lumetta
