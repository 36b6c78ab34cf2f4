#include "GdiPlus.h"

#include <vector>

namespace ui {

GdiPlusSession::GdiPlusSession()
{
    Gdiplus::GdiplusStartupInput input;
    status_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiPlusSession::~GdiPlusSession()
{
    if (status_ == Gdiplus::Ok)
        Gdiplus::GdiplusShutdown(token_);
}

GdiPlusSession& GdiPlusSession::Instance()
{
    static GdiPlusSession session;
    return session;
}

std::optional<CLSID> FindImageEncoder(std::wstring_view mimeType)
{
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0)
        return std::nullopt;
    // The codec records and the texts they point to share one block.
    std::vector<std::uint8_t> block(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok)
        return std::nullopt;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && mimeType == codecs[i].MimeType)
            return codecs[i].Clsid;
    }
    return std::nullopt;
}

std::wstring WideFromAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

namespace {

// The family that text falls back to, asked for once: the generic sans-serif family, or where there
// is none (a system without the usual fonts) the first installed family; empty only without any font.
const std::wstring& FallbackFamilyName()
{
    static const std::wstring name = [] {
        WCHAR text[LF_FACESIZE] = {};
        Gdiplus::GpFontFamily* generic = nullptr;
        // The platform keeps the generic family for the process.
        if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic &&
            Gdiplus::DllExports::GdipGetFamilyName(generic, text, LANG_NEUTRAL) == Gdiplus::Ok)
            return std::wstring(text);
        const Gdiplus::InstalledFontCollection installed;
        Gdiplus::FontFamily first;
        INT found = 0;
        if (installed.GetFamilies(1, &first, &found) == Gdiplus::Ok && found == 1 &&
            first.GetFamilyName(text) == Gdiplus::Ok)
            return std::wstring(text);
        return std::wstring();
    }();
    return name;
}

// GDI+ breaks lines at LF; some renderers draw the CR of a CR LF as a box of its own, so it is
// left out. An empty line before a break (the first line included) carries one space, which
// draws nothing and keeps renderers that drop an empty line from doing so.
std::wstring LinesForDrawing(std::string_view text)
{
    const std::wstring wide = WideFromAnsi(text);
    std::wstring out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n')
            continue;
        if (wide[i] == L'\n' && (out.empty() || out.back() == L'\n'))
            out += L' ';
        out += wide[i];
    }
    return out;
}

} // namespace

Gdiplus::Status DrawImageKeepingEdges(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::RectF& dest,
                                      const Gdiplus::RectF& source)
{
    // Mirroring at the edges makes every sample beyond them a copy of the pixels just inside.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    return graphics.DrawImage(&image, dest, source.X, source.Y, source.Width, source.Height, Gdiplus::UnitPixel,
                              &attributes, nullptr, nullptr);
}

Gdiplus::Status DrawImageKeepingEdges(Gdiplus::Graphics& graphics, Gdiplus::Image& image, const Gdiplus::RectF& dest)
{
    return DrawImageKeepingEdges(graphics, image, dest,
                                 Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(image.GetWidth()),
                                                static_cast<Gdiplus::REAL>(image.GetHeight())));
}

std::unique_ptr<Gdiplus::FontFamily> FontFamilyOrSansSerif(std::string_view name)
{
    auto family = std::make_unique<Gdiplus::FontFamily>(WideFromAnsi(name).c_str());
    if (family->IsAvailable())
        return family;
    return std::make_unique<Gdiplus::FontFamily>(FallbackFamilyName().c_str());
}

Gdiplus::Status DrawTextLines(Gdiplus::Graphics& graphics, std::string_view text, const Gdiplus::Font& font,
                              const Gdiplus::RectF& layout, const Gdiplus::StringFormat& format,
                              const Gdiplus::Brush& brush)
{
    const std::wstring lines = LinesForDrawing(text);
    return graphics.DrawString(lines.c_str(), static_cast<INT>(lines.size()), &font, layout, &format, &brush);
}

} // namespace ui
