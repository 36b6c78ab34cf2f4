#pragma once
// Scaling of 24-bit pixel rows by our own loops, for photos far larger than what is shown of
// them. A reduction averages the pixels each output pixel covers (sharp and free of aliasing, and
// under Wine many times faster than the platform's high-quality path); an enlargement
// interpolates linearly between pixel centres. The photo lies on a white canvas that is never
// made: each axis knows where the photo lies on it, and a quarter turn or a mirror is only a
// change of which way the rows are read, so a photo is never turned in memory either.
// Plain arithmetic over memory: no platform calls.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lumetta {

// Rows of 24-bit pixels (blue, green, red), read only.
struct TPixelPlane {
    const std::uint8_t* Scan0 = nullptr;
    std::ptrdiff_t Stride = 0;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;

    const std::uint8_t* Row(std::uint32_t y) const { return Scan0 + static_cast<std::ptrdiff_t>(y) * Stride; }
};

// A plane in memory of its own, rows packed.
class TOwnedPlane {
public:
    TOwnedPlane() = default;
    // Raises std::bad_alloc when the memory is not there; the pixels are not set.
    TOwnedPlane(std::uint32_t width, std::uint32_t height);

    TPixelPlane View() const { return {bytes_.get(), Stride(), width_, height_}; }
    std::uint8_t* Row(std::uint32_t y) { return bytes_.get() + static_cast<std::ptrdiff_t>(y) * Stride(); }
    std::uint32_t Width() const { return width_; }
    std::uint32_t Height() const { return height_; }

private:
    std::ptrdiff_t Stride() const { return static_cast<std::ptrdiff_t>(width_) * 3; }
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
};

// One axis of a canvas with a photo on it: white where the photo is not, and beyond either end of
// the canvas the canvas's own edge pixels again (as a scaler that mirrors at the edges sees it).
struct TCanvasAxis {
    double CanvasLength = 0;   // canvas pixels
    double PhotoStart = 0;     // where the photo begins on the canvas; negative where it is cut
    double PhotoLength = 0;    // canvas pixels the photo covers
    double PhotoPerCanvas = 1; // photo pixels to a canvas pixel (above 1 for a reduced photo)
    std::uint32_t PhotoCount = 0; // photo pixels in memory; a halved copy's last one may reach past the photo
    bool Reversed = false;     // the photo's pixels lie in memory the other way round
};

// What each output pixel along one axis takes: Count[i] photo pixels in memory order from
// First[i], weighted by Weights from Offset[i], and white for what their weights leave of 1.
struct TAxisTaps {
    std::vector<std::uint32_t> First;
    std::vector<std::uint32_t> Count;
    std::vector<std::uint32_t> Offset;
    std::vector<float> Weights;
    std::vector<float> PhotoShare; // the sum of each output pixel's weights
    std::size_t Size() const { return First.size(); }
};

// The taps of outputCount pixels that show the canvas from sourceStart over sourceLength canvas
// pixels, each covering sourceLength / outputCount of them around the point the platform's scaler
// samples for it (pixel i at sourceStart + i * sourceLength / outputCount, pixel centres at whole
// coordinates). An output pixel that covers at least one photo pixel is the mean of what it
// covers; a smaller one interpolates between the two nearest pixel centres. Exactly one photo
// pixel to an output pixel, on whole pixels, is a copy.
TAxisTaps CanvasAxisTaps(const TCanvasAxis& axis, double sourceStart, double sourceLength, std::uint32_t outputCount);

// Rows of 24-bit output pixels to write.
struct TPixelTarget {
    std::uint8_t* Scan0 = nullptr;
    std::ptrdiff_t Stride = 0; // negative for a bottom-up bitmap
    std::uint8_t* Row(std::uint32_t y) const { return Scan0 + static_cast<std::ptrdiff_t>(y) * Stride; }
};

// Fills the target from plane: `columns` holds the taps across the plane's columns, `rows` down
// its rows. Unturned, output pixel (x, y) is columns' x and rows' y; `transposed` (a quarter
// turn) makes it rows' x and columns' y. Large work is shared among the machine's cores.
void ResamplePlane(const TPixelPlane& plane, const TAxisTaps& columns, const TAxisTaps& rows, bool transposed,
                   const TPixelTarget& target);

// A copy of half the size, each pixel the mean of its 2 x 2 block per channel, rounded to nearest
// with ties to even. An odd side keeps its last row or column, as the mean of that one row's or
// column's pixels, so that the copy still covers the whole source. Needs at least 2 x 2 pixels.
TOwnedPlane HalvePlane(const TPixelPlane& source);

} // namespace lumetta
