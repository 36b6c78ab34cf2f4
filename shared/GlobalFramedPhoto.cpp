#include "shared/GlobalFramedPhoto.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalImageHeader.h"
#include "shared/LangUnit.h"

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

namespace {

// A new transparent 32-bit ARGB bitmap, or null when GDI+ cannot make one of that size.
ui::GpBitmapPtr NewArgbBitmap(std::int64_t width, std::int64_t height, Gdiplus::PixelFormat format = PixelFormat32bppARGB)
{
    ui::GpBitmapPtr bitmap(new Gdiplus::Bitmap(static_cast<INT>(width), static_cast<INT>(height), format));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    Gdiplus::Graphics(bitmap.get()).Clear(Gdiplus::Color(0, 0, 0, 0));
    return bitmap;
}

void ApplyEffects(ui::Bitmap& part, const TFramedEffects& effects)
{
    constexpr std::int32_t sepiaAmount = 18;
    constexpr std::int32_t noiseAmount = 30;
    if (effects.Brightness != 0)
        ApplyBrightness(part, effects.Brightness);
    if (effects.Contrast != 0)
        ApplyContrast(part, effects.Contrast);
    if (effects.Saturation != 0)
        ApplySaturation(part, effects.Saturation);
    if (effects.Sepia)
        ApplySepia(part, sepiaAmount);
    if (effects.Emboss)
        ApplyEmboss(part);
    if (effects.ColorNoise)
        ApplyColorNoise(part, noiseAmount);
}

// Dark fill with message 17 and the path, in red, where a photo that did not load would be.
void DrawCannotLoad(Gdiplus::Bitmap& pic, const std::string& photoFile)
{
    const INT width = static_cast<INT>(pic.GetWidth());
    const INT height = static_cast<INT>(pic.GetHeight());
    Gdiplus::Graphics g(&pic);
    Gdiplus::SolidBrush brush(Gdiplus::Color(255, 24, 24, 24));
    g.FillRectangle(&brush, 0, 0, width, height);

    const auto family = ui::FontFamilyOrSansSerif("Arial");
    const Gdiplus::Font font(family.get(), 12, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::StringFormat format(0, 0);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    brush.SetColor(Gdiplus::Color(255, 255, 25, 25));
    ui::DrawTextLines(g, Messages[17] + "\r\n\r\n" + photoFile, font,
                      Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height)),
                      format, brush);
}

// The clip scaled to the photo area, with its effects, as a GDI+ bitmap.
ui::GpBitmapPtr MakePhotoPicture(const TPaddedPhoto& photo, const TPhotoClipRect& clip, bool fromHalvedCopies,
                                 const TFramedGeometry& geometry, const TFramedEffects& effects)
{
    ui::GpBitmapPtr pic;
    {
        const int width = static_cast<int>(geometry.PartWidth), height = static_cast<int>(geometry.PartHeight);
        const std::unique_ptr<ui::Bitmap> part =
            CropScalePhoto(photo, width, height, clip.X, clip.Y, clip.W, clip.H, fromHalvedCopies);
        ApplyEffects(*part, effects);
        pic.reset(new Gdiplus::Bitmap(part->Handle(), nullptr));
    }
    if (!pic || pic->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    if (LastPhotoStatus != Gdiplus::Ok)
        DrawCannotLoad(*pic, effects.PhotoFile);
    return pic;
}

// The note with its one-pixel shadow, at every zoom.
void DrawNote(Gdiplus::Graphics& g, const TFramedGeometry& geometry, const TPhotoFrame& frame,
              const TFramedEffects& effects)
{
    if (effects.PhotoNotes.empty())
        return;
    const auto family = ui::FontFamilyOrSansSerif(effects.FontFace);
    const Gdiplus::Font font(family.get(), static_cast<Gdiplus::REAL>(effects.FontSize * effects.ZoomRatio),
                             NoteFontStyle(effects), Gdiplus::UnitPixel);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    Gdiplus::StringFormat format(0, 0);
    const TNoteLayout layout = NoteLayout(effects.NotesPos, geometry, frame.TextHold, effects.ZoomRatio);
    if (layout.Aligned) {
        format.SetAlignment(layout.Alignment);
        format.SetLineAlignment(layout.LineAlignment);
    }
    Gdiplus::RectF rect = layout.Rect;
    rect.Offset(1, 1);
    Gdiplus::SolidBrush brush(Gdiplus::Color(60, 0, 0, 0));
    ui::DrawTextLines(g, effects.PhotoNotes, font, rect, format, brush);
    rect.Offset(-1, -1);
    brush.SetColor(Gdiplus::Color(NoteColor(effects.FontColor)));
    ui::DrawTextLines(g, effects.PhotoNotes, font, rect, format, brush);
}

// The canvas: the photo picture in its area, the frame image over it, the note over both.
void DrawCanvas(Gdiplus::Graphics& g, Gdiplus::Image* pic, Gdiplus::Image& frameImage, const TFramedGeometry& geometry,
                const TPhotoFrame& frame, const TFramedEffects& effects)
{
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    if (pic) {
        ui::DrawImageKeepingEdges(g, *pic,
                                  Gdiplus::RectF(static_cast<Gdiplus::REAL>(geometry.PhotoX),
                                                 static_cast<Gdiplus::REAL>(geometry.PhotoY),
                                                 static_cast<Gdiplus::REAL>(geometry.PhotoW),
                                                 static_cast<Gdiplus::REAL>(geometry.PhotoH)));
    }
    g.DrawImage(&frameImage, Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(geometry.CanvasWidth),
                                            static_cast<Gdiplus::REAL>(geometry.CanvasHeight)));
    DrawNote(g, geometry, frame, effects);
}

// The canvas pixels that reach the view: its corners turned back onto the canvas, with a margin
// for the interpolation's reach, within the canvas.
Gdiplus::Rect VisibleCanvasPart(const TFramedGeometry& geometry, std::int32_t angle, const TViewSpan& x,
                                const TViewSpan& y)
{
    if (x.Size == geometry.Side && y.Size == geometry.Side)
        return {0, 0, static_cast<INT>(geometry.CanvasWidth), static_cast<INT>(geometry.CanvasHeight)};
    const double centre = static_cast<double>(static_cast<std::uint64_t>(geometry.Side) >> 1);
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians), s = std::sin(radians);
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const std::int64_t px : {x.Origin, x.Origin + x.Size}) {
        for (const std::int64_t py : {y.Origin, y.Origin + y.Size}) {
            const double dx = static_cast<double>(px) - centre, dy = static_cast<double>(py) - centre;
            const double cx = dx * c + dy * s + centre - static_cast<double>(geometry.CanvasLeft);
            const double cy = -dx * s + dy * c + centre - static_cast<double>(geometry.CanvasTop);
            left = std::min(left, cx);
            top = std::min(top, cy);
            right = std::max(right, cx);
            bottom = std::max(bottom, cy);
        }
    }
    constexpr double margin = 3;
    const auto within = [](double value, std::int64_t limit) {
        return static_cast<INT>(std::clamp(value, 0.0, static_cast<double>(limit)));
    };
    const INT l = within(std::floor(left - margin), geometry.CanvasWidth);
    const INT t = within(std::floor(top - margin), geometry.CanvasHeight);
    const INT r = within(std::ceil(right + margin), geometry.CanvasWidth);
    const INT b = within(std::ceil(bottom + margin), geometry.CanvasHeight);
    return {l, t, std::max(r - l, 1), std::max(b - t, 1)};
}

// Result-square coordinates turned about the square's centre, then moved so that the view's
// first column and row are the bitmap's.
void SetTurnIntoView(Gdiplus::Graphics& g, const TFramedGeometry& geometry, std::int32_t angle, const TViewSpan& x,
                     const TViewSpan& y)
{
    const auto centre = static_cast<Gdiplus::REAL>(static_cast<std::uint64_t>(geometry.Side) >> 1);
    Gdiplus::Matrix matrix;
    if (x.Origin != 0 || y.Origin != 0)
        matrix.Translate(static_cast<Gdiplus::REAL>(-x.Origin), static_cast<Gdiplus::REAL>(-y.Origin),
                         Gdiplus::MatrixOrderPrepend);
    matrix.Translate(centre, centre, Gdiplus::MatrixOrderPrepend);
    matrix.Rotate(static_cast<Gdiplus::REAL>(angle), Gdiplus::MatrixOrderPrepend);
    matrix.Translate(-centre, -centre, Gdiplus::MatrixOrderPrepend);
    g.SetTransform(&matrix);
}

// The canvas part turned about the centre of the result square, of which the view's part is made.
ui::GpBitmapPtr RotateIntoSquare(Gdiplus::Bitmap& canvas, const Gdiplus::Rect& part, const TFramedGeometry& geometry,
                                 std::int32_t angle, const TViewSpan& x, const TViewSpan& y)
{
    ui::GpBitmapPtr out = NewArgbBitmap(x.Size, y.Size, canvas.GetPixelFormat());
    if (!out)
        return nullptr;
    Gdiplus::Graphics g(out.get());
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    SetTurnIntoView(g, geometry, angle, x, y);
    g.DrawImage(&canvas, static_cast<INT>(geometry.CanvasLeft) + part.X, static_cast<INT>(geometry.CanvasTop) + part.Y,
                part.Width, part.Height);
    return out;
}

// The canvas's layers drawn turned straight into the view, without the upright canvas between.
ui::GpBitmapPtr DrawTurnedIntoView(Gdiplus::Image* pic, Gdiplus::Image& frameImage, const TFramedGeometry& geometry,
                                   const TPhotoFrame& frame, const TFramedEffects& effects, const TViewSpan& x,
                                   const TViewSpan& y, Gdiplus::PixelFormat format)
{
    ui::GpBitmapPtr out = NewArgbBitmap(x.Size, y.Size, format);
    if (!out)
        return nullptr;
    Gdiplus::Graphics g(out.get());
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    SetTurnIntoView(g, geometry, effects.RotationAngle, x, y);
    g.TranslateTransform(static_cast<Gdiplus::REAL>(geometry.CanvasLeft), static_cast<Gdiplus::REAL>(geometry.CanvasTop));
    // What the canvas's edges cut off stays cut off.
    g.SetClip(Gdiplus::Rect(0, 0, static_cast<INT>(geometry.CanvasWidth), static_cast<INT>(geometry.CanvasHeight)));
    DrawCanvas(g, pic, frameImage, geometry, frame, effects);
    return out;
}

} // namespace

ui::GpBitmapPtr LoadFrameImage(const TPhotoFrame& frame)
{
    const std::string path = FramesetDir + frame.Filename;
    const std::optional<DeclaredSize> size = DeclaredImageFileSize(path);
    if (!size || !HasPixelsWithin(*size, MaxPaddedCanvasPixels))
        return nullptr;
    ui::GpBitmapPtr image = DecodeImageFile(path);
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0 || image->GetHeight() == 0)
        return nullptr;
    return image;
}

Gdiplus::Bitmap* FrameImageCache::Get(const TPhotoFrame& frame)
{
    const std::string path = FramesetDir + frame.Filename;
    if (!image_ || path != path_) {
        path_ = path;
        image_ = LoadFrameImage(frame);
    }
    return image_.get();
}

void FrameImageCache::Drop()
{
    image_.reset();
    path_.clear();
}

TViewSpan CentredViewSpan(std::int64_t side, std::int64_t view)
{
    if (view <= 0 || view >= side)
        return {0, side};
    return {side / 2 - view / 2, view};
}

ui::GpBitmapPtr EmptyFramedPhoto()
{
    ui::GpBitmapPtr empty = NewArgbBitmap(1, 1);
    return empty ? std::move(empty) : ui::GpBitmapPtr(new Gdiplus::Bitmap(1, 1, PixelFormat32bppARGB));
}

ui::GpBitmapPtr ComposeFramedPhoto(const TPaddedPhoto& photo, const TPhotoClipRect& clip, const TPhotoFrame& frame,
                                   const TFramedEffects& effects)
{
    const ui::GpBitmapPtr frameImage = LoadFrameImage(frame);
    return ComposeFramedPhoto(photo, clip, frame, effects, TRenderShortcuts{frameImage.get(), {}});
}

ui::GpBitmapPtr ComposeFramedPhoto(const TPaddedPhoto& photo, const TPhotoClipRect& clip, const TPhotoFrame& frame,
                                   const TFramedEffects& effects, const TRenderShortcuts& shortcuts)
{
    Gdiplus::Bitmap* const frameImage = shortcuts.FrameImage;
    const double z = effects.ZoomRatio;
    // Crop, effects and placeholder come first: the photo area needs the definition only, not
    // the frame image.
    const TFramedGeometry area = FramedGeometry(0, 0, frame.ImageHold, z);
    const ui::GpBitmapPtr pic = area.HasPhotoPart() ? MakePhotoPicture(photo, clip, shortcuts.FromHalvedCopies, area, effects) : nullptr;

    // Without the frame image there is no canvas and nothing to draw.
    if (!frameImage)
        return EmptyFramedPhoto();
    const TFramedGeometry geometry = FramedGeometry(frameImage->GetWidth(), frameImage->GetHeight(), frame.ImageHold, z);
    if (!geometry.HasCanvas())
        return EmptyFramedPhoto();

    const TViewSpan spanX = CentredViewSpan(geometry.Side, shortcuts.View.Width);
    const TViewSpan spanY = CentredViewSpan(geometry.Side, shortcuts.View.Height);
    const Gdiplus::PixelFormat format = shortcuts.Premultiplied ? PixelFormat32bppPARGB : PixelFormat32bppARGB;
    ui::GpBitmapPtr out;
    if (shortcuts.TurnLayers) {
        out = DrawTurnedIntoView(pic.get(), *frameImage, geometry, frame, effects, spanX, spanY, format);
        return out ? std::move(out) : EmptyFramedPhoto();
    }
    const Gdiplus::Rect part = VisibleCanvasPart(geometry, effects.RotationAngle, spanX, spanY);
    const ui::GpBitmapPtr canvas = NewArgbBitmap(part.Width, part.Height, format);
    if (!canvas)
        return EmptyFramedPhoto();
    {
        Gdiplus::Graphics g(canvas.get());
        if (part.X != 0 || part.Y != 0)
            g.TranslateTransform(static_cast<Gdiplus::REAL>(-part.X), static_cast<Gdiplus::REAL>(-part.Y));
        DrawCanvas(g, pic.get(), *frameImage, geometry, frame, effects);
    }
    out = RotateIntoSquare(*canvas, part, geometry, effects.RotationAngle, spanX, spanY);
    return out ? std::move(out) : EmptyFramedPhoto();
}

} // namespace lumetta
