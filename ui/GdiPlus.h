#pragma once
// The one way into GDI+: its headers, the process-wide session and the small conversions the
// drawing code shares. Including this header is enough to have GDI+ started before the including
// file's own statics and shut down after them.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// GDI+ started once per process: the first user starts it, process exit shuts it down.
class GdiPlusSession {
public:
    static GdiPlusSession& Instance();
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;
    ~GdiPlusSession();

    Gdiplus::Status StartupStatus() const { return status_; }

private:
    GdiPlusSession();
    ULONG_PTR token_ = 0;
    Gdiplus::Status status_;
};

namespace detail {
// Runs in every file that includes this header, before that file's own statics.
inline GdiPlusSession& gdiPlusSession = GdiPlusSession::Instance();
} // namespace detail

// GDI+ objects made with `new` are freed through their own operator delete.
using GpBitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;

// A 0x00BBGGRR colour with the given alpha as a GDI+ ARGB value; the colour's high byte is ignored.
constexpr Gdiplus::ARGB ArgbFromColor(COLORREF color, std::uint8_t alpha)
{
    return (static_cast<Gdiplus::ARGB>(alpha) << 24) | (static_cast<Gdiplus::ARGB>(GetRValue(color)) << 16) |
           (static_cast<Gdiplus::ARGB>(GetGValue(color)) << 8) | GetBValue(color);
}

// The image encoder whose MIME type is exactly mimeType ("image/jpeg", "image/png"...).
std::optional<CLSID> FindImageEncoder(std::wstring_view mimeType);

// Text of the ANSI code page as UTF-16, the form every GDI+ text and file name takes.
std::wstring WideFromAnsi(std::string_view text);

// Draws the source rectangle (pixels) of image into dest with the graphics' interpolation mode.
// Where the scaler reaches past the image's edges it takes the image's own edge pixels, not the
// transparent black it would take otherwise (a tiny or enlarged photo would fade out at its edges).
Gdiplus::Status DrawImageKeepingEdges(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::RectF& dest,
                                      const Gdiplus::RectF& source);
// The same with the whole image as the source.
Gdiplus::Status DrawImageKeepingEdges(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::RectF& dest);

// The installed font family of that name (ANSI code page) or, when there is none, the system's
// generic sans-serif family, so that text set in a font removed since still shows; where that is
// missing as well, the first installed family: text never vanishes while any font is there.
std::unique_ptr<Gdiplus::FontFamily> FontFamilyOrSansSerif(std::string_view name);

// Draws text of the ANSI code page whose lines end in CR LF (or LF): each break starts a new line
// and nothing is drawn for it, empty lines keep their height. Every text with line breaks goes
// through here.
Gdiplus::Status DrawTextLines(Gdiplus::Graphics& graphics, std::string_view text, const Gdiplus::Font& font,
                              const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format,
                              const Gdiplus::Brush& brush);

} // namespace ui
