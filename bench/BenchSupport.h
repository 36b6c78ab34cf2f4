#pragma once
// What the benchmarks share: a clock, medians, the report line and the 24-megapixel test photo.
#include <functional>
#include <string>
#include <vector>

#include "shared/GlobalGraphics.h"
#include "ui/GdiPlus.h"

namespace lumetta::bench {

double NowMs();

// The times of `runs` timed calls of work, shortest first, after one untimed call (first-use costs
// such as the font cache and the codecs are not what a slider change pays).
std::vector<double> SortedTimesMs(int runs, const std::function<void()>& work);

// The median of SortedTimesMs.
double MedianMs(int runs, const std::function<void()>& work);

// One "name milliseconds" line.
void Report(const char* name, double ms);

// Writes bitmap as an image file of the given MIME type, or ends the program.
void Save(Gdiplus::Bitmap& bitmap, const std::string& path, const wchar_t* mime);

// A 6000 x 4000 JPEG with detail everywhere, so that neither the codec nor the scaler meets flat colour;
// each seed gives other detail.
void MakePhoto(const std::string& path, unsigned seed = 7);

// What every renderer benchmark starts from.
struct BenchSetup {
    std::string PhotoPath;      // the 24-megapixel photo.jpg in the work folder, or the one given
    int Runs = 0;
    TPhotoFrame Frame;          // the default frame design
    ui::GpBitmapPtr FrameImage; // its image
};

// From the command line "<work folder> <frame folder> [runs] [photo]": makes the photo (unless
// one is given), points
// FramesetDir at the frame folder and loads the default frame; prints the usage of `program`
// and ends the process on a wrong command line or a missing frame image.
BenchSetup StartBench(int argc, char** argv, const char* program, int defaultRuns);

} // namespace lumetta::bench
