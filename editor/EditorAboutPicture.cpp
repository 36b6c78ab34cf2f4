#include "editor/EditorAboutPicture.h"

#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/LangUnit.h"
#include "ui/GdiPlus.h"

namespace lumetta {

namespace {

constexpr Gdiplus::REAL TiltDegrees = 4.0f;

} // namespace

TFramedEffects AboutPictureEffects(const std::string& photoFile, const std::string& message41)
{
    TFramedEffects fx;
    fx.PhotoFile = photoFile;
    fx.RotationAngle = 0;
    fx.ZoomRatio = 1.4;
    fx.PhotoNotes = "Lumetta\r\n\r\n" + message41 + "\r\n\r\n\r\n\r\nMade by Orvaneware\r\nAll rights reserved";
    fx.NotesPos = 4;
    fx.FontFace = "Arial";
    fx.Bold = true;
    fx.Italic = true;
    fx.Underline = false;
    fx.StrikeOut = false;
    fx.FontSize = 14;
    fx.FontColor = 0xFFFFFF;
    fx.Brightness = -30;
    fx.Contrast = 0;
    fx.Saturation = 0;
    fx.ColorNoise = fx.Emboss = fx.Sepia = false;
    return fx;
}

std::unique_ptr<ui::Bitmap> MakeAboutPicture(COLORREF windowColor, int width, int height)
{
    ui::GpBitmapPtr picture;
    {
        const std::string photoFile = FramesetDir + "example.jpg";
        const auto photo = LoadPaddedPhoto(photoFile, false);
        TPhotoFrame frame;
        LoadPhotoFrame(DefaultFrameName, frame);
        picture = ComposeFramedPhoto(*photo, TPhotoClipRect{0, 0, 1, 1}, frame, AboutPictureEffects(photoFile, Messages[41]));
    }

    auto bitmap = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    bitmap->Canvas().Brush.Color = windowColor;
    bitmap->Canvas().Brush.Style = ui::BrushStyle::Solid;
    bitmap->Canvas().FillRect({0, 0, width, height});
    {
        Gdiplus::Graphics g(bitmap->DC());
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        const Gdiplus::PointF centre(static_cast<Gdiplus::REAL>(width / 2), static_cast<Gdiplus::REAL>(height / 2));
        const INT pictureWidth = static_cast<INT>(picture->GetWidth());
        const INT pictureHeight = static_cast<INT>(picture->GetHeight());
        const INT x = width / 2 - pictureWidth / 2, y = height / 2 - pictureHeight / 2;

        // One matrix turned step by step: -4, back to none for the wash, then +4.
        Gdiplus::Matrix m;
        m.RotateAt(-TiltDegrees, centre, Gdiplus::MatrixOrderPrepend);
        g.SetTransform(&m);
        g.DrawImage(picture.get(), x, y, pictureWidth, pictureHeight);

        m.RotateAt(TiltDegrees, centre, Gdiplus::MatrixOrderPrepend);
        g.SetTransform(&m);
        Gdiplus::SolidBrush wash(Gdiplus::Color(ui::ArgbFromColor(windowColor, AboutWashAlpha)));
        g.FillRectangle(&wash, 0, 0, width, height);

        m.RotateAt(TiltDegrees, centre, Gdiplus::MatrixOrderPrepend);
        g.SetTransform(&m);
        g.DrawImage(picture.get(), x, y, pictureWidth, pictureHeight);
    }
    bitmap->Changed();
    return bitmap;
}

} // namespace lumetta
