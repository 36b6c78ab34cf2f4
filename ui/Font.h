#pragma once
// A font description (face, height or point size, style, character set, colour) with a GDI
// handle made from it on demand. Controls keep a Font each and redraw when it changes.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/Color.h"
#include "ui/Handles.h"

namespace ui {

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using FontStyles = unsigned;

// How a layout gives a font: height in pixels, negative for the character height.
struct FontArgs {
    std::string name = "MS Sans Serif";
    int height = -11;
    FontStyles style = 0;
    Color color = clWindowText;
};

class Font {
public:
    Font() : Font(FontArgs{}) {}
    explicit Font(const FontArgs& args);
    // Copies the description, never the handle.
    Font(const Font& other);
    Font& operator=(const Font& other);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at the screen's pixels per inch; the height follows (and the other way round).
    int Size() const;
    void SetSize(int points);
    FontStyles Style() const { return style_; }
    void SetStyle(FontStyles style);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);

    // Made from the description on first use and kept until the description changes.
    HFONT Handle() const;
    // Takes over `font` (a stock font is never deleted) and reads face, height, style,
    // pitch and character set back from it; the colour stays.
    void SetHandle(HFONT font);

    // Called after every change of the description.
    std::function<void()> OnChange;

    static int PixelsPerInch();

private:
    void Changed();

    std::string name_;
    int height_ = -11;
    FontStyles style_ = 0;
    Color color_ = clWindowText;
    BYTE charset_ = DEFAULT_CHARSET;
    BYTE pitch_ = DEFAULT_PITCH;
    mutable FontHandle handle_;
};

} // namespace ui
