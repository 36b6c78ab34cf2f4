#pragma once
// What the benchmarks share: a clock, medians, the report line and the 24-megapixel test photo.
#include <functional>
#include <string>
#include <vector>

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

// A 6000 x 4000 JPEG with detail everywhere, so that neither the codec nor the scaler meets flat colour.
void MakePhoto(const std::string& path);

// The argument as a folder with its trailing backslash.
std::string FolderArg(std::string folder);

} // namespace lumetta::bench
