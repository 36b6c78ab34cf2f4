// Times photo loading, the halved copies, the thumbnail, crop-and-scale and the colour effects: the
// median of several runs of each, in milliseconds, beside the decode alone. Of the photo named, or
// of a 24-megapixel JPEG made here and removed at the end.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "shared/GlobalGraphics.h"

using namespace lumetta;

namespace {

double MedianMs(int runs, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A photo-like 6000 x 4000 picture: gradients, shapes and fine detail, so that the JPEG is not trivial.
bool WriteTestPhoto(const std::string& path)
{
    const int width = 6000, height = 4000;
    Gdiplus::Bitmap photo(width, height, PixelFormat24bppRGB);
    {
        Gdiplus::Graphics graphics(&photo);
        Gdiplus::LinearGradientBrush sky(Gdiplus::Rect(0, 0, width, height), Gdiplus::Color(255, 40, 90, 200),
                                         Gdiplus::Color(255, 230, 180, 90), Gdiplus::LinearGradientModeVertical);
        graphics.FillRectangle(&sky, 0, 0, width, height);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        for (int i = 0; i < 400; ++i) {
            Gdiplus::SolidBrush brush(Gdiplus::Color(160, static_cast<BYTE>(i * 37), static_cast<BYTE>(i * 91),
                                                     static_cast<BYTE>(i * 53)));
            graphics.FillEllipse(&brush, (i * 7919) % width, (i * 104729) % height, 50 + (i * 13) % 600,
                                 40 + (i * 29) % 400);
        }
        Gdiplus::Pen pen(Gdiplus::Color(255, 20, 20, 20), 1.0f);
        for (int x = 0; x < width; x += 9)
            graphics.DrawLine(&pen, x, 0, width - x, height);
    }
    const auto encoder = ui::FindImageEncoder(L"image/jpeg");
    const std::wstring widePath = ui::WideFromAnsi(path);
    return encoder && photo.Save(widePath.c_str(), &*encoder, nullptr) == Gdiplus::Ok;
}

// The platform's decode alone, its pixels locked in their own format (a copy-free view).
void TimeDecode(const std::string& path)
{
    const std::wstring widePath = ui::WideFromAnsi(path);
    ui::GpBitmapPtr decoded;
    const double decode = MedianMs(3, [&] { decoded.reset(); }, [&] {
        decoded.reset(Gdiplus::Bitmap::FromFile(widePath.c_str(), TRUE));
        const Gdiplus::Rect all(0, 0, static_cast<INT>(decoded->GetWidth()), static_cast<INT>(decoded->GetHeight()));
        Gdiplus::BitmapData data{};
        if (decoded->LockBits(&all, Gdiplus::ImageLockModeRead, decoded->GetPixelFormat(), &data) == Gdiplus::Ok)
            decoded->UnlockBits(&data);
    });
    std::printf("decode: %.1f ms\n", decode);
}

// Loading, the halved copies, the thumbnail and the clip; the clip is returned for the effects.
std::unique_ptr<ui::Bitmap> TimeStages(const std::string& path)
{
    std::unique_ptr<TPaddedPhoto> canvas;
    const double load = MedianMs(3, [&] { canvas.reset(); }, [&] { canvas = LoadPaddedPhoto(path, false); });
    std::printf("LoadPaddedPhoto -> %u x %u canvas: %.1f ms (status %d)\n", canvas->Width(), canvas->Height(), load,
                static_cast<int>(LastPhotoStatus));
    std::printf("halved copies: %.1f ms\n", MedianMs(3, [] {}, [&] { canvas->MakeHalvedCopies(); }));
    std::printf("thumbnail: %.1f ms\n", MedianMs(3, [] {}, [&] { MakeThumbnail(*canvas, false); }));
    const Gdiplus::RectF clip = CropSourceRect(canvas->Width(), canvas->Height(), 0.1, 0.1, 0.8, 0.8);
    std::printf("clip 500 x 375 from the halved copies: %.1f ms\n",
                MedianMs(5, [] {}, [&] { canvas->Scale(500, 375, clip, true); }));
    std::unique_ptr<ui::Bitmap> part;
    const double crop =
        MedianMs(5, [&] { part.reset(); }, [&] { part = CropScalePhoto(*canvas, 500, 375, 0.1, 0.1, 0.8, 0.8); });
    std::printf("CropScalePhoto to 500 x 375: %.1f ms\n", crop);
    return part;
}

void TimeEffects(const ui::Bitmap& part)
{
    const struct {
        const char* name;
        std::function<void(ui::Bitmap&)> apply;
    } effects[] = {
        {"ApplyBrightness", [](ui::Bitmap& b) { ApplyBrightness(b, 100); }},
        {"ApplyContrast", [](ui::Bitmap& b) { ApplyContrast(b, 100); }},
        {"ApplySaturation", [](ui::Bitmap& b) { ApplySaturation(b, 100); }},
        {"ApplySepia", [](ui::Bitmap& b) { ApplySepia(b, 18); }},
        {"ApplyEmboss", [](ui::Bitmap& b) { ApplyEmboss(b); }},
        {"ApplyColorNoise", [](ui::Bitmap& b) { ApplyColorNoise(b, 30); }},
    };
    ui::Bitmap work;
    for (const auto& effect : effects) {
        const double ms = MedianMs(15, [&] { work.Assign(part); }, [&] { effect.apply(work); });
        std::printf("%s on 500 x 375: %.2f ms\n", effect.name, ms);
    }
}

} // namespace

// lumetta_bench [PHOTO]: the stages for PHOTO, or for a 24-megapixel photo made here and removed.
int main(int argc, char** argv)
{
    std::string path;
    if (argc > 1) {
        path = argv[1];
    } else {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path = std::string(temp) + "lumetta-bench-24mp.jpg";
        if (!WriteTestPhoto(path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("photo: %s, %.1f MB\n", path.c_str(), std::filesystem::file_size(path) / 1e6);
    TimeDecode(path);
    TimeEffects(*TimeStages(path));
    if (argc <= 1)
        std::filesystem::remove(path);
    return 0;
}
