// Times the renderer on the path the editor's live preview runs on every slider change, and a
// stored set rendered end to end, with the shipped default frame design ("frame2.ini" of the
// frame folder given) and a 6000 x 4000 (24 megapixel) photo.jpg that it makes in the work folder.
// Prints one "name milliseconds" line per measurement (the median of the runs), and a line
// "geometry IMAGE X Y W H CW CH" that lets a script run the same pipeline elsewhere.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shared/GlobalConsts.h"
#include "shared/GlobalFramedPhoto.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Bitmap.h"
#include "ui/GdiPlus.h"

#include "BenchSupport.h"

using namespace lumetta;
using namespace lumetta::bench;

namespace {

TFramedEffects TypicalEffects(const std::string& photoPath, bool allEffects)
{
    TFramedEffects fx;
    fx.PhotoFile = photoPath;
    fx.RotationAngle = 5;
    fx.PhotoNotes = "Summer by the lake";
    fx.NotesPos = 7;
    fx.FontColor = 0x00FFFFFF;
    if (allEffects) {
        fx.Brightness = 50;
        fx.Contrast = 50;
        fx.Saturation = 50;
        fx.Sepia = fx.Emboss = fx.ColorNoise = true;
    }
    return fx;
}

} // namespace

int main(int argc, char** argv)
{
    const BenchSetup setup = StartBench(argc, argv, "RenderBench", 15);
    const std::string& photoPath = setup.PhotoPath;
    const int runs = setup.Runs;
    const TPhotoFrame& frame = setup.Frame;
    Gdiplus::Bitmap& frameImage = *setup.FrameImage;
    const std::wstring frameImagePath = ui::WideFromAnsi(FramesetDir + frame.Filename);
    const TFramedGeometry g = FramedGeometry(frameImage.GetWidth(), frameImage.GetHeight(), frame.ImageHold, 1.0);
    std::printf("geometry %s %d %d %lld %lld %lld %lld\n", frame.Filename.c_str(), frame.ImageHold.Left,
                frame.ImageHold.Top, static_cast<long long>(g.PartWidth), static_cast<long long>(g.PartHeight),
                static_cast<long long>(g.CanvasWidth), static_cast<long long>(g.CanvasHeight));
    Report("decode+pad (LoadPaddedPhoto)", MedianMs(std::max(1, runs / 3), [&] { LoadPaddedPhoto(photoPath, false); }));
    const std::unique_ptr<TPaddedPhoto> padded = LoadPaddedPhoto(photoPath, false);
    if (LastPhotoStatus != Gdiplus::Ok) {
        std::fprintf(stderr, "the photo did not load\n");
        return 1;
    }

    const TPhotoClipRect clip{0.1, 0.1, 0.8, 0.8};
    const TFramedEffects plain = TypicalEffects(photoPath, false);
    const TFramedEffects all = TypicalEffects(photoPath, true);
    Report("preview, no effects", MedianMs(runs, [&] { ComposeFramedPhoto(*padded, clip, frame, plain); }));
    Report("preview, all effects", MedianMs(runs, [&] { ComposeFramedPhoto(*padded, clip, frame, all); }));

    // Where a preview's time goes.
    Report("  crop and scale", MedianMs(runs, [&] {
               CropScalePhoto(*padded, static_cast<int>(g.PartWidth), static_cast<int>(g.PartHeight), clip.X, clip.Y,
                              clip.W, clip.H);
           }));
    const auto part = CropScalePhoto(*padded, static_cast<int>(g.PartWidth), static_cast<int>(g.PartHeight), clip.X,
                                     clip.Y, clip.W, clip.H);
    Report("  six effects", MedianMs(runs, [&] {
               ApplyBrightness(*part, 50);
               ApplyContrast(*part, 50);
               ApplySaturation(*part, 50);
               ApplySepia(*part, 18);
               ApplyEmboss(*part);
               ApplyColorNoise(*part, 30);
           }));
    // The rest of the path: the same render from a photo already at the photo area's size.
    Gdiplus::Bitmap smallImage(static_cast<INT>(g.PartWidth), static_cast<INT>(g.PartHeight), PixelFormat24bppRGB);
    const TPaddedPhoto small(ui::GpBitmapPtr(smallImage.Clone(0, 0, static_cast<INT>(g.PartWidth),
                                                              static_cast<INT>(g.PartHeight), PixelFormat24bppRGB)));
    Report("  all but crop and scale",
           MedianMs(runs, [&] { ComposeFramedPhoto(small, TPhotoClipRect{}, frame, plain); }));
    TFramedEffects upright = plain;
    upright.RotationAngle = 0;
    Report("  same at rotation 0",
           MedianMs(runs, [&] { ComposeFramedPhoto(small, TPhotoClipRect{}, frame, upright); }));
    TFramedEffects silent = upright;
    silent.PhotoNotes.clear();
    Report("  same without a note",
           MedianMs(runs, [&] { ComposeFramedPhoto(small, TPhotoClipRect{}, frame, silent); }));
    const auto cw = static_cast<INT>(g.CanvasWidth), ch = static_cast<INT>(g.CanvasHeight);
    Gdiplus::Bitmap canvas(cw, ch, PixelFormat32bppARGB);
    Report("  photo and frame drawn", MedianMs(runs, [&] {
               Gdiplus::Graphics c(&canvas);
               c.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
               c.DrawImage(&smallImage, Gdiplus::RectF(static_cast<Gdiplus::REAL>(g.PhotoX),
                                                       static_cast<Gdiplus::REAL>(g.PhotoY),
                                                       static_cast<Gdiplus::REAL>(g.PhotoW),
                                                       static_cast<Gdiplus::REAL>(g.PhotoH)));
               c.DrawImage(&frameImage, Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(cw),
                                                       static_cast<Gdiplus::REAL>(ch)));
           }));
    Report("  turned into the square", MedianMs(runs, [&] {
               const auto side = static_cast<INT>(g.Side);
               const auto centre = static_cast<Gdiplus::REAL>(side / 2);
               Gdiplus::Bitmap out(side, side, PixelFormat32bppARGB);
               Gdiplus::Graphics o(&out);
               o.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
               Gdiplus::Matrix m;
               m.Translate(centre, centre);
               m.Rotate(5);
               m.Translate(-centre, -centre);
               o.SetTransform(&m);
               o.DrawImage(&canvas, static_cast<INT>(g.CanvasLeft), static_cast<INT>(g.CanvasTop), cw, ch);
           }));
    Report("  frame image decode", MedianMs(runs, [&] {
               Gdiplus::Bitmap image(frameImagePath.c_str(), FALSE);
               image.GetWidth();
           }));

    // A stored set, end to end: registry, decode, pad, render.
    const std::string id = "{LUMETTA-RENDER-BENCH}";
    const std::string key = PhotoSetKey(id);
    WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::PhotoFile, photoPath, REG_SZ, true);
    WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::Frame, DefaultFrameName, REG_SZ, true);
    WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipX, clip.X);
    WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipY, clip.Y);
    WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipW, clip.W);
    WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipH, clip.H);
    WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::RotationAngle, plain.RotationAngle);
    WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::PhotoNotes, plain.PhotoNotes, REG_SZ, true);
    WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::NotesPos, plain.NotesPos);
    WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::FontColor, static_cast<std::int32_t>(plain.FontColor));
    Report("RenderPhotoSet, end to end", MedianMs(std::max(1, runs / 3), [&] { RenderPhotoSet(id); }));
    RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    return 0;
}
