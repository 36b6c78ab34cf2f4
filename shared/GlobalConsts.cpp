#include "shared/GlobalConsts.h"

namespace lumetta {

std::string InstallDir;
std::string FramesetDir;
COLORREF AccentColor = AccentColorUnset;
COLORREF AccentLightColor = AccentColorUnset;

} // namespace lumetta
