#include "BenchSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"

namespace lumetta::bench {

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

std::vector<double> SortedTimesMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    work();
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times;
}

double MedianMs(int runs, const std::function<void()>& work)
{
    const std::vector<double> times = SortedTimesMs(runs, work);
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

void MakePhoto(const std::string& path, unsigned seed)
{
    Gdiplus::Bitmap photo(6000, 4000, PixelFormat24bppRGB);
    Gdiplus::Graphics g(&photo);
    Gdiplus::LinearGradientBrush sky(Gdiplus::Point(0, 0), Gdiplus::Point(6000, 4000), Gdiplus::Color(255, 40, 90, 160),
                                     Gdiplus::Color(255, 230, 180, 90));
    g.FillRectangle(&sky, 0, 0, 6000, 4000);
    std::srand(seed); // the C library keeps this per thread
    for (int i = 0; i < 1500; ++i) {
        Gdiplus::SolidBrush brush(
            Gdiplus::Color(140, std::rand() % 256, std::rand() % 256, std::rand() % 256));
        g.FillEllipse(&brush, std::rand() % 6000 - 100, std::rand() % 4000 - 100, 20 + std::rand() % 400,
                      20 + std::rand() % 400);
    }
    Save(photo, path, L"image/jpeg");
}

namespace {

std::string FolderArg(std::string folder)
{
    return folder.empty() || folder.back() == '\\' ? folder : folder + '\\';
}

} // namespace

BenchSetup StartBench(int argc, char** argv, const char* program, int defaultRuns)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <work folder> <frame folder> [runs] [photo]\n", program);
        std::exit(2);
    }
    BenchSetup setup;
    FramesetDir = FolderArg(argv[2]);
    setup.Runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : defaultRuns;
    if (argc > 4) {
        setup.PhotoPath = argv[4];
    } else {
        setup.PhotoPath = FolderArg(argv[1]) + "photo.jpg";
        MakePhoto(setup.PhotoPath);
    }

    LoadPhotoFrame(DefaultFrameName, setup.Frame);
    const std::string imagePath = FramesetDir + setup.Frame.Filename;
    setup.FrameImage.reset(new Gdiplus::Bitmap(ui::WideFromAnsi(imagePath).c_str(), FALSE));
    if (!setup.FrameImage || setup.FrameImage->GetLastStatus() != Gdiplus::Ok) {
        std::fprintf(stderr, "no frame image %s\n", imagePath.c_str());
        std::exit(1);
    }
    return setup;
}

} // namespace lumetta::bench
