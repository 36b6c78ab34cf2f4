#pragma once
// The frame window of the desktop agent: one borderless per-pixel-alpha window per shown photo set.
#include <windows.h>

#include <array>
#include <cstdint>

namespace lumetta {

// ---- Arithmetic of the frame window, free of any window ----------------------------------------

// Window alpha of a stored opacity percentage (`Transparency`): 255 when it is 0 (absent), otherwise
// the low 8 bits of floor(T * 255 / 100), exact in integers (a product with 2.55 falls short).
BYTE OpacityAlpha(std::int32_t transparency);

// The Opacity submenu: item 0 is "100%", item 9 is "10%".
inline constexpr int OpacityItemCount = 10;
std::int32_t OpacityOfItem(int index);
// The item checked for a stored value: 1 to 100 round down to their ten, anything else is "100%".
int OpacityItemIndex(std::int32_t transparency);

// Alphas of the two fades of a window resting at `transparency`: five steps and the end value.
using FadeAlphas = std::array<BYTE, 6>;
FadeAlphas FadeInAlphas(std::int32_t transparency);
FadeAlphas FadeOutAlphas(std::int32_t transparency);

// Where a dragged window goes: the point grabbed at `origin` (window coordinates) follows the
// mouse, now at `mouse` in the same window's coordinates.
POINT DraggedPosition(POINT window, POINT mouse, POINT origin);

} // namespace lumetta
