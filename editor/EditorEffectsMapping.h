#pragma once
// From the new-photo page's controls to the render settings, and the values the sliders show
// while they move. The page reads its controls into TSinglePhotoControls; everything after that
// is arithmetic that runs without a window.
#include <array>
#include <cstdint>
#include <string>

#include "shared/GlobalFramedPhoto.h"
#include "ui/Color.h"
#include "ui/Font.h"

namespace lumetta {

// The zoom slider's range: position 5 (top) is the largest zoom, 30 (bottom) the smallest.
inline constexpr int ZoomSliderMin = 5;
inline constexpr int ZoomSliderMax = 30;

// The number of text positions: 0 to 8 a cell of the photo area, 9 the frame's text area.
inline constexpr std::size_t TextPositionCount = 10;

// What the page's controls hold when a render or a save asks for the settings.
struct TSinglePhotoControls {
    std::string PhotoPath;
    int RotationPosition = 4;
    int ZoomPosition = 20;
    int ZoomMax = ZoomSliderMax;
    std::string Notes;                                       // lines joined by CR LF
    // The menu's items in menu order; "Photo Frame" is checked at design.
    std::array<bool, TextPositionCount> TextPositionChecked{false, false, false, false, false, false, false, false, false, true};
    std::string FontName = "Arial";
    ui::FontStyles FontStyle = ui::fsItalic;
    int FontSize = 14;                                       // points
    ui::Color FontColor = ui::clWindowText;                  // kept as it is, system colours too
    int BrightnessPosition = 0;
    int ContrastPosition = 0;
    int SaturationPosition = 0;
    bool Sepia = false;
    bool Emboss = false;
    bool ColorNoise = false;
};

// (max - position + 5) / 15 in extended precision, kept as a double: 20 gives 1, 5 gives 2,
// 30 gives 1/3. The zoom slider's hint shows the same ratio.
double ZoomRatioFromSlider(int position, int max = ZoomSliderMax);

// An effect slider's stored amount: position x 10 (-250 to 250).
std::int32_t EffectAmountFromSlider(int position);

// The percentage an effect slider's hint shows: Trunc(position / 0.25), that is position x 4.
std::int64_t EffectHintPercent(int position);

// The effect slider's hint text, "%d %%" of the percentage: "-100 %" at -25.
std::string EffectHintText(int position);

// The number of the checked text position; with several checked the last in menu order wins,
// with none the first.
std::uint8_t CheckedNotesPos(const std::array<bool, TextPositionCount>& checked);

// The render settings of the page, field by field from its controls.
TFramedEffects FramedEffectsFromControls(const TSinglePhotoControls& controls);

} // namespace lumetta
