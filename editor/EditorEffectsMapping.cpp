#include "editor/EditorEffectsMapping.h"

#include <cstdio>

namespace lumetta {

double ZoomRatioFromSlider(int position, int max)
{
    const long double ratio = static_cast<long double>(max - position + 5) / 15;
    return static_cast<double>(ratio);
}

std::int32_t EffectAmountFromSlider(int position) { return position * 10; }

std::int64_t EffectHintPercent(int position)
{
    // A quarter is exact in binary, so the quotient is exactly four times the position.
    return static_cast<std::int64_t>(position / 0.25);
}

std::string EffectHintText(int position)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld %%", static_cast<long long>(EffectHintPercent(position)));
    return text;
}

std::uint8_t CheckedNotesPos(const std::array<bool, TextPositionCount>& checked)
{
    std::uint8_t pos = 0;
    for (std::size_t i = 0; i < checked.size(); ++i) {
        if (checked[i])
            pos = static_cast<std::uint8_t>(i);
    }
    return pos;
}

TFramedEffects FramedEffectsFromControls(const TSinglePhotoControls& controls)
{
    TFramedEffects fx;
    fx.PhotoFile = controls.PhotoPath;
    fx.RotationAngle = controls.RotationPosition;
    fx.ZoomRatio = ZoomRatioFromSlider(controls.ZoomPosition, controls.ZoomMax);
    fx.PhotoNotes = controls.Notes;
    fx.NotesPos = CheckedNotesPos(controls.TextPositionChecked);
    fx.FontFace = controls.FontName;
    fx.Bold = (controls.FontStyle & ui::fsBold) != 0;
    fx.Italic = (controls.FontStyle & ui::fsItalic) != 0;
    fx.Underline = (controls.FontStyle & ui::fsUnderline) != 0;
    fx.StrikeOut = (controls.FontStyle & ui::fsStrikeOut) != 0;
    fx.FontSize = controls.FontSize;
    fx.FontColor = controls.FontColor;
    fx.Brightness = EffectAmountFromSlider(controls.BrightnessPosition);
    fx.Contrast = EffectAmountFromSlider(controls.ContrastPosition);
    fx.Saturation = EffectAmountFromSlider(controls.SaturationPosition);
    fx.ColorNoise = controls.ColorNoise;
    fx.Emboss = controls.Emboss;
    fx.Sepia = controls.Sepia;
    return fx;
}

} // namespace lumetta
