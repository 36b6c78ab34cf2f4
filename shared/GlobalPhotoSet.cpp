#include "shared/GlobalPhotoSet.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalRegistryAccess.h"

namespace lumetta {

namespace {

char ReadLocaleDecimalSeparator()
{
    char text[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 1)
        return text[0];
    return '.';
}

// Read once while the program starts, before any window can write or read a number.
[[maybe_unused]] const char separatorAtStart = DecimalSeparator();

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Flags are set only by the value 1.
bool ReadFlag(const std::string& key, const char* name) { return ReadPhotoSetInteger(key, name) == 1; }

} // namespace

std::string PhotoSetKey(const std::string& id) { return std::string(PhotoSetsKey) + "\\" + id; }

std::int32_t ReadPhotoSetInteger(const std::string& key, const char* name)
{
    std::int32_t value = 0;
    ReadRegInteger(HKEY_CURRENT_USER, key, name, value);
    return value;
}

std::string ReadPhotoSetText(const std::string& key, const char* name)
{
    std::string text;
    ReadRegString(HKEY_CURRENT_USER, key, name, text);
    return text;
}

char DecimalSeparator()
{
    static const char separator = ReadLocaleDecimalSeparator();
    return separator;
}

std::string NumberToText(double value, char separator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // 15 significant digits, correctly rounded: d.dddddddddddddde[+-]x
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string text(buffer, result.ptr);

    std::string sign;
    if (text[0] == '-') {
        sign = "-";
        text.erase(0, 1);
    }
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (exponent < -5 || exponent >= 15) {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += separator + digits.substr(1);
        out += 'E' + std::to_string(exponent);
    } else if (exponent < 0) {
        out = std::string("0") + separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out = digits + std::string(whole - digits.size(), '0');
        } else {
            out = digits.substr(0, whole) + separator + digits.substr(whole);
        }
    }
    return sign + out;
}

std::optional<double> TryTextToNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i]))
        ++i;
    std::size_t end = n;
    while (end > i && IsBlank(text[end - 1]))
        --end;

    // [sign] digits [mark digits] [E [sign] digits], at least one mantissa digit.
    std::string normal;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            normal += '-';
        ++i;
    }
    std::string whole, fraction;
    while (i < end && IsDigit(text[i]))
        whole += text[i++];
    if (i < end && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < end && IsDigit(text[i]))
            fraction += text[i++];
    }
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    normal += (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        std::string exponent;
        if (i < end && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        std::size_t digits = 0;
        while (i < end && IsDigit(text[i])) {
            exponent += text[i++];
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        normal += "e" + exponent;
    }
    if (i != end)
        return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double TextToNumber(std::string_view text, double fallback) { return TryTextToNumber(text).value_or(fallback); }

double ReadRegNumber(HKEY root, const std::string& keyPath, const std::string& valueName, double fallback)
{
    std::string text;
    if (ReadRegString(root, keyPath, valueName, text) != ERROR_SUCCESS)
        text = MissingNumberText;
    return TextToNumber(text, fallback);
}

LONG WriteRegNumber(HKEY root, const std::string& keyPath, const std::string& valueName, double value)
{
    return WriteRegString(root, keyPath, valueName, NumberToText(value), REG_SZ, true);
}

TPhotoSetSettings ReadPhotoSetSettings(const std::string& id)
{
    namespace V = PhotoSetValue;
    const std::string key = PhotoSetKey(id);
    TPhotoSetSettings set;
    TFramedEffects& fx = set.Effects;

    // In the order the editor writes them.
    fx.PhotoFile = ReadPhotoSetText(key, V::PhotoFile);
    set.Frame = ReadPhotoSetText(key, V::Frame);
    set.Clip.X = ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipX, 0.0);
    set.Clip.Y = ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipY, 0.0);
    set.Clip.W = ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipW, 1.0);
    set.Clip.H = ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipH, 1.0);
    fx.RotationAngle = ReadPhotoSetInteger(key, V::RotationAngle);
    fx.ZoomRatio = ReadRegNumber(HKEY_CURRENT_USER, key, V::ZoomRatio, 1.0);
    fx.PhotoNotes = ReadPhotoSetText(key, V::PhotoNotes);
    fx.NotesPos = static_cast<std::uint8_t>(ReadPhotoSetInteger(key, V::NotesPos) & 0xFF);
    fx.FontFace = ReadPhotoSetText(key, V::FontFace);
    if (fx.FontFace.empty())
        fx.FontFace = DefaultFontFace;
    fx.Bold = ReadFlag(key, V::Bold);
    fx.Italic = ReadFlag(key, V::Italic);
    fx.Underline = ReadFlag(key, V::Underline);
    fx.StrikeOut = ReadFlag(key, V::StrikeOut);
    fx.FontSize = ReadPhotoSetInteger(key, V::FontSize);
    if (fx.FontSize == 0)
        fx.FontSize = DefaultFontSize;
    fx.FontColor = static_cast<std::uint32_t>(ReadPhotoSetInteger(key, V::FontColor));
    fx.Brightness = ReadPhotoSetInteger(key, V::Brightness);
    fx.Contrast = ReadPhotoSetInteger(key, V::Contrast);
    fx.Saturation = ReadPhotoSetInteger(key, V::Saturation);
    fx.Sepia = ReadFlag(key, V::Sepia);
    fx.Emboss = ReadFlag(key, V::Emboss);
    fx.ColorNoise = ReadFlag(key, V::ColorNoise);
    return set;
}

std::string ResolveFrameName(const std::string& storedName, const std::string& framesetDir)
{
    if (storedName.empty())
        return DefaultFrameName;
    const DWORD attributes = GetFileAttributesA((framesetDir + storedName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return DefaultFrameName;
    return storedName;
}

ui::GpBitmapPtr RenderPhotoSet(const std::string& id) { return RenderPhotoSet(ReadPhotoSetSettings(id)); }

ui::GpBitmapPtr RenderPhotoSet(const TPhotoSetSettings& set)
{
    TPhotoFrame frame;
    LoadPhotoFrame(ResolveFrameName(set.Frame, FramesetDir), frame);
    const auto photo = LoadPaddedPhoto(set.Effects.PhotoFile, frame.Orientation);
    return ComposeFramedPhoto(*photo, set.Clip, frame, set.Effects);
}

} // namespace lumetta
