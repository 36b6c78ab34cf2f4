// The new-photo page itself, on the editor's real main window: opens a 24-megapixel JPEG and
// moves each slider through several positions, timing every change from the position set to
// the new preview in its box, beside the full-size render of the same settings in the same run.
// Prints the photo's opening with and without the preview's halved copies and the medians per
// change.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "editor/EditorMain.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"
#include "ui/Application.h"

#include "BenchSupport.h"

using namespace lumetta;
using namespace lumetta::bench;

namespace {

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double PeakWorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

struct Slider {
    const char* name;
    TOrvaneTrackbar* track;
    std::vector<int> positions;
};

// Opening, as the open dialog's path does it; then the parts of it on their own. False when the
// photo did not load.
bool TimeOpening(TLMTSEditorWndClass& editor, const BenchSetup& setup)
{
    const double peakBefore = PeakWorkingSetMiB();
    const double start = NowMs();
    RenderSuppressed = true;
    editor.OpenPhoto(setup.PhotoPath);
    const double openMs = NowMs() - start;
    const double peakOpen = PeakWorkingSetMiB();
    if (LastPhotoStatus != Gdiplus::Ok)
        return false;
    const double loadMs = MedianMs(setup.Runs, [&] { LoadPaddedPhoto(setup.PhotoPath, false); });
    const double pyramidMs = MedianMs(setup.Runs, [&] { CurrentPhoto->MakeHalvedCopies(); });
    const double thumbnailMs = MedianMs(setup.Runs, [&] { MakeThumbnail(*CurrentPhoto, false); });
    std::printf("canvas %u x %u\n", CurrentPhoto->Width(), CurrentPhoto->Height());
    Report("open photo on the page (load, copies, thumbnail, render)", openMs);
    Report("  of which decode and pad, median", loadMs);
    Report("  of which the halved copies, median", pyramidMs);
    Report("  of which the thumbnail, median", thumbnailMs);
    std::printf("peak working set MiB: before %.0f, after opening %.0f\n", peakBefore, peakOpen);
    return true;
}

// Each slider through its positions: the page's change beside the full-size render.
void TimeSliders(TLMTSEditorWndClass& editor, int runs)
{
    const std::vector<Slider> sliders{
        {"zoom", editor.trackZoom, {18, 14, 10, 5, 8, 24, 30, 20}},
        {"rotation", editor.trackRotation, {10, 30, -45, -90, 60, 90, 4}},
        {"brightness", editor.trackBrightness, {3, 10, 25, -10, -25, 0}},
        {"contrast", editor.trackContrast, {5, 15, -20, 0}},
        {"saturation", editor.trackSaturation, {-25, 10, 25, 0}},
    };
    std::printf("%-12s %10s %10s\n", "slider", "page", "full size");
    std::vector<double> page, full;
    for (const Slider& slider : sliders) {
        std::vector<double> pageTimes, fullTimes;
        for (int run = 0; run < runs; ++run) {
            for (const int position : slider.positions) {
                const std::uint64_t renders = editor.PreviewRenders;
                double start = NowMs();
                slider.track->SetPosition(position);
                const double changeMs = NowMs() - start;
                if (editor.PreviewRenders == renders)
                    continue; // the slider was there already
                pageTimes.push_back(changeMs);
                start = NowMs();
                editor.RenderFramedPhoto();
                fullTimes.push_back(NowMs() - start);
            }
        }
        std::printf("%-12s %10.1f %10.1f\n", slider.name, Median(pageTimes), Median(fullTimes));
        page.insert(page.end(), pageTimes.begin(), pageTimes.end());
        full.insert(full.end(), fullTimes.begin(), fullTimes.end());
    }
    Report("median per change, page (preview from the halved copies)", Median(page));
    Report("median per change, full-size render of the same settings", Median(full));
    Report("slowest change, page", *std::max_element(page.begin(), page.end()));
    // Where a change's time goes.
    Report("  the preview picture alone, median", MedianMs(runs * 5, [&] { editor.RenderPreviewPhoto(); }));
    // Done once per frame now; shown for what each change used to pay.
    Report("  the frame image's decode, median", MedianMs(runs * 5, [&] {
        Gdiplus::Bitmap frame(ui::WideFromAnsi(FramesetDir + CurrentFrame.Filename).c_str(), FALSE);
    }));
    Report("  a preview drawn in its box, median", MedianMs(runs * 5, [&] { editor.DoRenderFramePreview(editor); }));
}

} // namespace

int main(int argc, char** argv)
{
    const BenchSetup setup = StartBench(argc, argv, "NewPhotoPageBench", 3);
    const std::string frames = FramesetDir;

    ui::Owned<TLMTSEditorWndClass> editor = ui::MakeForm<TLMTSEditorWndClass>();
    editor->Show();
    ui::App().ProcessMessages();
    // The start-up looked for frames beside this program; the page uses the shipped ones.
    FramesetDir = frames;
    editor->SelectFrame(DefaultFrameName);

    if (!TimeOpening(*editor, setup)) {
        std::fprintf(stderr, "the photo did not load\n");
        return 1;
    }
    TimeSliders(*editor, setup.Runs);
    return 0;
}
