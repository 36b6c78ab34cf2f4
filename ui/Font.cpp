#include "ui/Font.h"

#include <cstring>

namespace ui {

Font::Font(const FontArgs& args) : name_(args.name), height_(args.height), style_(args.style), color_(args.color) {}

Font::Font(const Font& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_),
      charset_(other.charset_), pitch_(other.pitch_)
{
}

Font& Font::operator=(const Font& other)
{
    if (this != &other) {
        name_ = other.name_;
        height_ = other.height_;
        style_ = other.style_;
        color_ = other.color_;
        charset_ = other.charset_;
        pitch_ = other.pitch_;
        Changed();
    }
    return *this;
}

int Font::PixelsPerInch()
{
    static const int ppi = [] {
        WindowDC screen(nullptr);
        return GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }();
    return ppi;
}

void Font::SetName(const std::string& name)
{
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void Font::SetHeight(int height)
{
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int Font::Size() const { return -MulDiv(height_, 72, PixelsPerInch()); }

void Font::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch(), 72)); }

void Font::SetStyle(FontStyles style)
{
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void Font::SetColor(Color color)
{
    if (color != color_) {
        color_ = color;
        if (OnChange)
            OnChange();
    }
}

void Font::SetCharset(BYTE charset)
{
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

HFONT Font::Handle() const
{
    if (!handle_) {
        LOGFONTA logFont{};
        logFont.lfHeight = height_;
        logFont.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = (style_ & fsItalic) ? 1 : 0;
        logFont.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        logFont.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        logFont.lfCharSet = charset_;
        logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        logFont.lfQuality = DEFAULT_QUALITY;
        logFont.lfPitchAndFamily = pitch_;
        lstrcpynA(logFont.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectA(&logFont));
    }
    return handle_.Get();
}

void Font::SetHandle(HFONT font)
{
    LOGFONTA logFont{};
    if (!font || GetObjectA(font, sizeof logFont, &logFont) == 0)
        return;
    name_ = logFont.lfFaceName;
    height_ = logFont.lfHeight;
    style_ = 0;
    if (logFont.lfWeight >= FW_BOLD)
        style_ |= fsBold;
    if (logFont.lfItalic)
        style_ |= fsItalic;
    if (logFont.lfUnderline)
        style_ |= fsUnderline;
    if (logFont.lfStrikeOut)
        style_ |= fsStrikeOut;
    charset_ = logFont.lfCharSet;
    pitch_ = logFont.lfPitchAndFamily & 0x0F;
    handle_.Reset(font);
    if (OnChange)
        OnChange();
}

void Font::Changed()
{
    handle_.Reset();
    if (OnChange)
        OnChange();
}

} // namespace ui
