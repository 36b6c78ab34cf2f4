// The live preview rendered from the pyramid of halved copies beside the full-size canvas, in the
// same run, on a 6000 x 4000 (24 megapixel) JPEG it makes in the work folder, with the shipped
// default frame design. Prints the photo load and the pyramid's build time, the peak memory
// before and after the pyramid, and for a series of slider changes (zoom, rotation, effects,
// clip) the median time per change on both paths.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/EditorEffectsMapping.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFramedPhoto.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"

#include "BenchSupport.h"

using namespace lumetta;
using namespace lumetta::bench;

namespace {

struct Memory {
    double peak; // MiB
    double now;
};

Memory WorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    constexpr double mib = 1024.0 * 1024.0;
    return {static_cast<double>(counters.PeakWorkingSetSize) / mib, static_cast<double>(counters.WorkingSetSize) / mib};
}

double Median(const std::vector<double>& sorted) { return sorted[sorted.size() / 2]; }

// One position of the page: the sliders and the clip as the user leaves them.
struct Change {
    const char* what;
    int zoom;
    int rotation;
    int brightness;
    bool sepia;
    TPhotoClipRect clip;
};

} // namespace

int main(int argc, char** argv)
{
    const BenchSetup setup = StartBench(argc, argv, "PreviewBench", 5);

    const Memory before = WorkingSet();
    double start = NowMs();
    const std::unique_ptr<TPaddedPhoto> padded = LoadPaddedPhoto(setup.PhotoPath, false);
    const double loadMs = NowMs() - start;
    if (LastPhotoStatus != Gdiplus::Ok) {
        std::fprintf(stderr, "the photo did not load\n");
        return 1;
    }
    const Memory afterLoad = WorkingSet();
    start = NowMs();
    padded->MakeHalvedCopies();
    const double pyramidMs = NowMs() - start;
    const Memory afterPyramid = WorkingSet();
    std::printf("canvas %u x %u, %zu halved copies\n", padded->Width(), padded->Height(), padded->HalvedCopyCount());
    Report("photo load (decode+pad)", loadMs);
    Report("halved copies", pyramidMs);
    Report("halved copies, median", MedianMs(setup.Runs, [&] { padded->MakeHalvedCopies(); }));
    std::printf("working set MiB (peak / now): start %.0f / %.0f, after load %.0f / %.0f, after pyramid %.0f / %.0f\n",
                before.peak, before.now, afterLoad.peak, afterLoad.now, afterPyramid.peak, afterPyramid.now);
    std::printf("peak with the pyramid: x%.2f of the load's\n", afterPyramid.peak / afterLoad.peak);

    // A drag of each slider through some positions, then clips as the zoom buttons make them.
    const TPhotoClipRect whole{0, 0, 1, 1};
    const TPhotoClipRect middle{0.125, 0.12, 0.75, 0.7466666666666667};
    const TPhotoClipRect small{0.4, 0.37333333333333335, 0.2, 0.2};
    const std::vector<Change> changes{
        {"zoom 5", 5, 4, 0, false, whole},           {"zoom 10", 10, 4, 0, false, whole},
        {"zoom 15", 15, 4, 0, false, whole},         {"zoom 20", 20, 4, 0, false, whole},
        {"zoom 25", 25, 4, 0, false, whole},         {"zoom 30", 30, 4, 0, false, whole},
        {"rotation -90", 20, -90, 0, false, whole},  {"rotation 45", 20, 45, 0, false, whole},
        {"brightness -25", 20, 4, -25, false, whole}, {"brightness 10", 20, 4, 10, false, whole},
        {"sepia", 20, 4, 0, true, whole},            {"clip 150 x 112", 20, 4, 0, false, middle},
        {"clip 40 x 30", 20, 4, 0, false, small},    {"clip 40 x 30, zoom 5", 5, 4, 0, false, small},
    };
    // Medians, and the shortest runs, which show the cost with the least interference from other
    // processes on a busy machine.
    std::printf("%-24s %9s %9s %9s %9s\n", "change", "full", "halved", "full min", "hal min");
    std::vector<double> full, fast, fullMin, fastMin;
    for (const Change& c : changes) {
        TSinglePhotoControls controls;
        controls.PhotoPath = setup.PhotoPath;
        controls.Notes = "Summer by the lake";
        controls.ZoomPosition = c.zoom;
        controls.RotationPosition = c.rotation;
        controls.BrightnessPosition = c.brightness;
        controls.Sepia = c.sepia;
        const TFramedEffects fx = FramedEffectsFromControls(controls);
        const std::vector<double> f = SortedTimesMs(setup.Runs, [&] { ComposeFramedPhoto(*padded, c.clip, setup.Frame, fx); });
        TRenderShortcuts halved{setup.FrameImage.get(), {}};
        halved.FromHalvedCopies = true;
        const std::vector<double> p =
            SortedTimesMs(setup.Runs, [&] { ComposeFramedPhoto(*padded, c.clip, setup.Frame, fx, halved); });
        std::printf("%-24s %9.1f %9.1f %9.1f %9.1f\n", c.what, Median(f), Median(p), f.front(), p.front());
        full.push_back(Median(f));
        fast.push_back(Median(p));
        fullMin.push_back(f.front());
        fastMin.push_back(p.front());
    }
    for (std::vector<double>* v : {&full, &fast, &fullMin, &fastMin})
        std::sort(v->begin(), v->end());
    Report("median per change, full", Median(full));
    Report("median per change, halved copies", Median(fast));
    Report("same, shortest runs, full", Median(fullMin));
    Report("same, shortest runs, halved copies", Median(fastMin));
    Report("slowest change, halved copies", fast.back());
    return 0;
}
