#pragma once
// The start-up globals of each program: written once by InitSharedGlobals, read everywhere after.
#include <windows.h>

#include <string>

#include "ui/Screen.h"

namespace lumetta {

// Installation folder, ending in a backslash.
extern std::string InstallDir;
// InstallDir + "Frameset\": frame definitions, frame images and sample pictures.
extern std::string FramesetDir;
// The desktop's accent colour (0x00BBGGRR) and the same lightened by 40 percent.
extern COLORREF AccentColor;
extern COLORREF AccentLightColor;

// Marks an accent colour not yet found during start-up; never survives it.
inline constexpr COLORREF AccentColorUnset = 0x1FFFFFFF;
inline constexpr int AccentLightenPercent = 40;

// Screen cursor slot of the system hand, shown by every control that shows a hand.
inline constexpr ui::CursorId crHand = 1;

inline constexpr const char* FramesetFolderName = "Frameset\\";

} // namespace lumetta
