#pragma once
// Colours as the forms store them: 0x00BBGGRR for a plain colour, or 0xFF0000nn for system
// colour nn (COLOR_WINDOW and so on), resolved only when something is drawn.
#include <windows.h>

#include <cstdint>

namespace ui {

using Color = std::uint32_t;

inline constexpr Color SystemColor(int index) { return 0xFF000000u | static_cast<Color>(index); }

inline constexpr Color clBlack = 0x000000;
inline constexpr Color clWhite = 0xFFFFFF;
inline constexpr Color clNone = 0x1FFFFFFF;
inline constexpr Color clScrollBar = SystemColor(COLOR_SCROLLBAR);
inline constexpr Color clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
inline constexpr Color clWindow = SystemColor(COLOR_WINDOW);
inline constexpr Color clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr Color clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
inline constexpr Color clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr Color clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr Color clHighlight = SystemColor(COLOR_HIGHLIGHT);
inline constexpr Color clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
inline constexpr Color clInfoBk = SystemColor(COLOR_INFOBK);
inline constexpr Color clInfoText = SystemColor(COLOR_INFOTEXT);

// The RGB value to draw with: system colours are looked up now, plain ones pass unchanged.
inline COLORREF ColorToRGB(Color color)
{
    if (color & 0x80000000u)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0xFFFFFF);
}

} // namespace ui
