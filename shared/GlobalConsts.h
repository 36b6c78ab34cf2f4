#pragma once
// The start-up globals of each program: written once by InitSharedGlobals, read everywhere after.
#include <string>

namespace lumetta {

// Installation folder, ending in a backslash.
extern std::string InstallDir;
// InstallDir + "Frameset\": frame definitions, frame images and sample pictures.
extern std::string FramesetDir;

} // namespace lumetta
