#include "shared/GlobalFramedPhoto.h"

#include <cmath>

namespace lumetta {

namespace {

// Round to nearest, ties to even; values no bitmap could have saturate instead of overflowing.
std::int64_t RoundEven(double value)
{
    constexpr double limit = 1e15;
    if (std::isnan(value))
        return 0;
    if (value > limit)
        return static_cast<std::int64_t>(limit);
    if (value < -limit)
        return -static_cast<std::int64_t>(limit);
    return static_cast<std::int64_t>(std::nearbyint(value));
}

bool FitsBitmap(std::int64_t width, std::int64_t height)
{
    return width >= 1 && height >= 1 && width <= MaxRenderSide && height <= MaxRenderSide;
}

} // namespace

bool TFramedGeometry::HasCanvas() const
{
    return FitsBitmap(CanvasWidth, CanvasHeight) && Side <= MaxRenderSide;
}

bool TFramedGeometry::HasPhotoPart() const
{
    return FitsBitmap(PartWidth, PartHeight);
}

int PhotoAreaExtra(double zoom)
{
    return static_cast<int>(RoundEven(zoom * zoom + 0.5));
}

TFramedGeometry FramedGeometry(std::uint32_t frameWidth, std::uint32_t frameHeight, const THoldRect& imageHold,
                               double zoom)
{
    TFramedGeometry g;
    g.Extra = PhotoAreaExtra(zoom);
    g.PhotoX = imageHold.Left * zoom;
    g.PhotoY = imageHold.Top * zoom;
    g.PhotoW = g.Extra + (static_cast<double>(imageHold.Right) - imageHold.Left) * zoom;
    g.PhotoH = g.Extra + (static_cast<double>(imageHold.Bottom) - imageHold.Top) * zoom;
    g.PartWidth = RoundEven(g.PhotoW);
    g.PartHeight = RoundEven(g.PhotoH);

    g.CanvasWidth = RoundEven(frameWidth * zoom);
    g.CanvasHeight = RoundEven(frameHeight * zoom);
    if (g.CanvasWidth < 0 || g.CanvasHeight < 0) {
        g.CanvasWidth = g.CanvasHeight = 0;
    }

    // The half diagonal in extended precision, kept as a double.
    const long double halfW = static_cast<long double>(g.CanvasWidth) / 2;
    const long double halfH = static_cast<long double>(g.CanvasHeight) / 2;
    g.HalfDiagonal = static_cast<double>(std::sqrt(halfW * halfW + halfH * halfH));
    g.Side = RoundEven(2 * g.HalfDiagonal);

    const auto half = [](std::int64_t n) { return static_cast<std::int64_t>(static_cast<std::uint64_t>(n) >> 1); };
    g.CanvasLeft = half(g.Side) - half(g.CanvasWidth);
    g.CanvasTop = half(g.Side) - half(g.CanvasHeight);
    return g;
}

TNoteLayout NoteLayout(std::uint8_t notesPos, const TFramedGeometry& geometry, const THoldRect& textHold,
                       double zoom)
{
    TNoteLayout layout;
    if (notesPos == 9) {
        layout.Rect = Gdiplus::RectF(static_cast<Gdiplus::REAL>(textHold.Left * zoom),
                                     static_cast<Gdiplus::REAL>(textHold.Top * zoom),
                                     static_cast<Gdiplus::REAL>((static_cast<double>(textHold.Right) - textHold.Left) * zoom),
                                     static_cast<Gdiplus::REAL>((static_cast<double>(textHold.Bottom) - textHold.Top) * zoom));
        layout.Aligned = true;
        layout.Alignment = Gdiplus::StringAlignmentCenter;
        layout.LineAlignment = Gdiplus::StringAlignmentCenter;
        return layout;
    }
    layout.Rect = Gdiplus::RectF(static_cast<Gdiplus::REAL>(geometry.PhotoX), static_cast<Gdiplus::REAL>(geometry.PhotoY),
                                 static_cast<Gdiplus::REAL>(geometry.PhotoW), static_cast<Gdiplus::REAL>(geometry.PhotoH));
    if (notesPos <= 8) {
        // Rows top, middle, bottom; columns left, centre, right: near, center, far both ways.
        layout.Aligned = true;
        layout.LineAlignment = static_cast<Gdiplus::StringAlignment>(notesPos / 3);
        layout.Alignment = static_cast<Gdiplus::StringAlignment>(notesPos % 3);
    }
    return layout;
}

int NoteFontStyle(const TFramedEffects& effects)
{
    int style = Gdiplus::FontStyleRegular;
    if (effects.Bold)
        style |= Gdiplus::FontStyleBold;
    if (effects.Italic)
        style |= Gdiplus::FontStyleItalic;
    if (effects.Underline)
        style |= Gdiplus::FontStyleUnderline;
    if (effects.StrikeOut)
        style |= Gdiplus::FontStyleStrikeout;
    return style;
}

Gdiplus::ARGB NoteColor(std::uint32_t fontColor)
{
    const std::uint32_t red = fontColor & 0xFF;
    const std::uint32_t green = (fontColor >> 8) & 0xFF;
    const std::uint32_t blue = (fontColor >> 16) & 0xFF;
    return 0xFF000000u | (red << 16) | (green << 8) | blue;
}

} // namespace lumetta
