#pragma once
// The photo-set record: one registry key per framed photo, its value names and defaults, the
// text form of its fractional numbers, and the reader that turns a stored set into its picture.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shared/GlobalFramedPhoto.h"

namespace lumetta {

inline constexpr const char* PhotoSetsKey = "Software\\Orvaneware\\Lumetta\\PhotoSets";

// The key of one photo set under HKEY_CURRENT_USER.
std::string PhotoSetKey(const std::string& id);

// One value of a photo-set key under HKEY_CURRENT_USER: 0 or the empty text when it is missing.
std::int32_t ReadPhotoSetInteger(const std::string& key, const char* name);
std::string ReadPhotoSetText(const std::string& key, const char* name);

// Value names of the record.
namespace PhotoSetValue {
inline constexpr const char* PhotoFile = "PhotoFile";
inline constexpr const char* Frame = "Frame";
inline constexpr const char* ClipX = "ClipX";
inline constexpr const char* ClipY = "ClipY";
inline constexpr const char* ClipW = "ClipW";
inline constexpr const char* ClipH = "ClipH";
inline constexpr const char* RotationAngle = "RotationAngle";
inline constexpr const char* ZoomRatio = "ZoomRatio";
inline constexpr const char* PhotoNotes = "PhotoNotes";
inline constexpr const char* NotesPos = "NotesPos";
inline constexpr const char* FontFace = "FontFace";
inline constexpr const char* Bold = "Bold";
inline constexpr const char* Italic = "Italic";
inline constexpr const char* Underline = "Underline";
inline constexpr const char* StrikeOut = "StrikeOut";
inline constexpr const char* FontSize = "FontSize";
inline constexpr const char* FontColor = "FontColor";
inline constexpr const char* Brightness = "Brightness";
inline constexpr const char* Contrast = "Contrast";
inline constexpr const char* Saturation = "Saturation";
inline constexpr const char* Sepia = "Sepia";
inline constexpr const char* Emboss = "Emboss";
inline constexpr const char* ColorNoise = "ColorNoise";
// The window values, written by the agent and once by the editor when it creates the set.
inline constexpr const char* X = "X";
inline constexpr const char* Y = "Y";
inline constexpr const char* Transparency = "Transparency";
inline constexpr const char* FadeIn = "FadeIn";
inline constexpr const char* Locked = "Locked";
inline constexpr const char* OnTop = "OnTop";
inline constexpr const char* Hidden = "Hidden";
inline constexpr const char* FrameType = "FrameType";
} // namespace PhotoSetValue

// The frame definition of a set that names none, or one that is not installed.
inline constexpr const char* DefaultFrameName = "frame2.ini";
inline constexpr const char* DefaultFontFace = "Arial";
inline constexpr std::int32_t DefaultFontSize = 14;
// Stands in for a number text that could not be read, so that it converts to the default.
inline constexpr const char* MissingNumberText = "PARAM_NOT_FOUND";

// ---- number texts ----------------------------------------------------------------------------
// Fractions are stored as texts with the user's decimal separator, the one the locale had when
// the program started.
char DecimalSeparator();

// General format: at most 15 significant digits, no trailing zeros, fixed notation from 1E-5
// up to 15 integer digits, otherwise d.dddE-x (one third is 0.333333333333333).
std::string NumberToText(double value, char separator = DecimalSeparator());

// Both readers take a point or a comma as the decimal mark, so that a number written before the
// user changed the locale's separator still reads; the writer never writes thousands separators,
// so neither reading is ever wrong.

// Strict: the whole text must be a number; blanks around it are allowed.
std::optional<double> TryTextToNumber(std::string_view text);

// Lenient: anything that is not a number gives the fallback.
double TextToNumber(std::string_view text, double fallback);

// A REG_SZ number of a key: a missing value, a missing key or an unparsable text gives the fallback.
double ReadRegNumber(HKEY root, const std::string& keyPath, const std::string& valueName, double fallback);
LONG WriteRegNumber(HKEY root, const std::string& keyPath, const std::string& valueName, double value);

// ---- the reader --------------------------------------------------------------------------------
// The stored settings of one set, with the reader's defaults for everything missing.
struct TPhotoSetSettings {
    std::string Frame; // as stored; may be empty or name a file that is not installed
    TPhotoClipRect Clip;
    TFramedEffects Effects;
};

TPhotoSetSettings ReadPhotoSetSettings(const std::string& id);

// The definition to load for a stored frame name: the default when the name is empty or no
// such file lies in the frame folder.
std::string ResolveFrameName(const std::string& storedName, const std::string& framesetDir);

// The finished picture of the stored set `id` (see ComposeFramedPhoto); the caller owns it. A
// missing key or value is no error: the set renders with the defaults.
ui::GpBitmapPtr RenderPhotoSet(const std::string& id);
// The same from settings already read: frame definition, photo load and composition, without the
// registry, so that it can run beside the GUI thread.
ui::GpBitmapPtr RenderPhotoSet(const TPhotoSetSettings& set);

} // namespace lumetta
