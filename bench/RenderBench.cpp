// Times the renderer on the path the editor's live preview runs on every slider change, and a
// stored set rendered end to end. Makes its own inputs in the folder it is given:
//   photo.jpg   6000 x 4000 (24 megapixels)
//   bench.ini   a 600 x 450 frame design (bench.png) with a soft inner shadow and a note area
// and prints one "name milliseconds" line per measurement (the median of the runs).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shared/GlobalConsts.h"
#include "shared/GlobalFramedPhoto.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/GdiPlus.h"

using namespace lumetta;

namespace {

double NowMs()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    work(); // warm-up: first-use costs (font cache, codecs) are not what a slider change pays
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, double ms)
{
    std::printf("%-28s %9.1f\n", name, ms);
    std::fflush(stdout);
}

void Save(Gdiplus::Bitmap& bitmap, const std::string& path, const wchar_t* mime)
{
    const auto encoder = ui::FindImageEncoder(mime);
    if (!encoder || bitmap.Save(ui::WideFromAnsi(path).c_str(), &*encoder, nullptr) != Gdiplus::Ok) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// A photo with detail everywhere, so that neither the codec nor the scaler meets flat colour.
void MakePhoto(const std::string& path)
{
    Gdiplus::Bitmap photo(6000, 4000, PixelFormat24bppRGB);
    Gdiplus::Graphics g(&photo);
    Gdiplus::LinearGradientBrush sky(Gdiplus::Point(0, 0), Gdiplus::Point(6000, 4000), Gdiplus::Color(255, 40, 90, 160),
                                     Gdiplus::Color(255, 230, 180, 90));
    g.FillRectangle(&sky, 0, 0, 6000, 4000);
    std::srand(7);
    for (int i = 0; i < 1500; ++i) {
        Gdiplus::SolidBrush brush(
            Gdiplus::Color(140, std::rand() % 256, std::rand() % 256, std::rand() % 256));
        g.FillEllipse(&brush, std::rand() % 6000 - 100, std::rand() % 4000 - 100, 20 + std::rand() % 400,
                      20 + std::rand() % 400);
    }
    Save(photo, path, L"image/jpeg");
}

// A wooden-looking border with a soft shadow falling into the hole.
void MakeFrame(const std::string& folder)
{
    Gdiplus::Bitmap frame(600, 450, PixelFormat32bppARGB);
    Gdiplus::Graphics g(&frame);
    Gdiplus::LinearGradientBrush wood(Gdiplus::Point(0, 0), Gdiplus::Point(600, 450), Gdiplus::Color(255, 120, 80, 40),
                                      Gdiplus::Color(255, 180, 130, 70));
    g.FillRectangle(&wood, 0, 0, 600, 450);
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    for (int i = 0; i < 8; ++i) {
        Gdiplus::SolidBrush shade(Gdiplus::Color(static_cast<BYTE>(160 - i * 20), 0, 0, 0));
        g.FillRectangle(&shade, 50 + i, 40 + i, 500 - 2 * i, 370 - 2 * i);
    }
    Save(frame, folder + "bench.png", L"image/png");
    std::ofstream(folder + "bench.ini") << "[FrameInfo]\r\nFilename=bench.png\r\nOrientation=landscape\r\n"
                                           "[ImageHold]\r\nLeft=50\r\nTop=40\r\nRight=550\r\nBottom=410\r\n"
                                           "[TextHold]\r\nLeft=100\r\nTop=412\r\nRight=500\r\nBottom=448\r\n";
}

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
    if (argc < 2) {
        std::fprintf(stderr, "usage: RenderBench <work folder> [runs]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const std::string photoPath = folder + "photo.jpg";
    MakePhoto(photoPath);
    MakeFrame(folder);
    FramesetDir = folder;

    TPhotoFrame frame;
    LoadPhotoFrame("bench.ini", frame);
    Report("decode+pad (LoadPaddedPhoto)", MedianMs(std::max(1, runs / 3), [&] { LoadPaddedPhoto(photoPath, false); }));
    const ui::GpBitmapPtr padded = LoadPaddedPhoto(photoPath, false);
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
    const TFramedGeometry g = FramedGeometry(600, 450, frame.ImageHold, 1.0);
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
    const ui::GpBitmapPtr small(new Gdiplus::Bitmap(static_cast<INT>(g.PartWidth), static_cast<INT>(g.PartHeight),
                                                    PixelFormat24bppRGB));
    Report("  all but crop and scale",
           MedianMs(runs, [&] { ComposeFramedPhoto(*small, TPhotoClipRect{}, frame, plain); }));
    TFramedEffects upright = plain;
    upright.RotationAngle = 0;
    Report("  same at rotation 0",
           MedianMs(runs, [&] { ComposeFramedPhoto(*small, TPhotoClipRect{}, frame, upright); }));
    TFramedEffects silent = upright;
    silent.PhotoNotes.clear();
    Report("  same without a note",
           MedianMs(runs, [&] { ComposeFramedPhoto(*small, TPhotoClipRect{}, frame, silent); }));
    Gdiplus::Bitmap frameImage(ui::WideFromAnsi(folder + "bench.png").c_str(), FALSE);
    Gdiplus::Bitmap canvas(600, 450, PixelFormat32bppARGB);
    Report("  photo and frame drawn", MedianMs(runs, [&] {
               Gdiplus::Graphics c(&canvas);
               c.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
               c.DrawImage(small.get(), Gdiplus::RectF(50, 40, 502, 372));
               c.DrawImage(&frameImage, Gdiplus::RectF(0, 0, 600, 450));
           }));
    Report("  turned into the square", MedianMs(runs, [&] {
               Gdiplus::Bitmap out(750, 750, PixelFormat32bppARGB);
               Gdiplus::Graphics o(&out);
               o.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
               Gdiplus::Matrix m;
               m.Translate(375, 375);
               m.Rotate(5);
               m.Translate(-375, -375);
               o.SetTransform(&m);
               o.DrawImage(&canvas, 75, 150, 600, 450);
           }));
    Report("  frame image decode", MedianMs(runs, [&] {
               Gdiplus::Bitmap image(ui::WideFromAnsi(folder + "bench.png").c_str(), FALSE);
               image.GetWidth();
           }));

    // A stored set, end to end: registry, decode, pad, render.
    const std::string id = "{LUMETTA-RENDER-BENCH}";
    const std::string key = PhotoSetKey(id);
    WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::PhotoFile, photoPath, REG_SZ, true);
    WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::Frame, "bench.ini", REG_SZ, true);
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
