#include "shared/GlobalPhotoPyramid.h"

#include <algorithm>
#include <vector>

#include "shared/GlobalGraphics.h"

namespace lumetta {

namespace {

// The mean of four bytes from their sum, ties to the even neighbour: adding the quotient's
// lowest bit lifts exactly the halves whose quotient is odd.
inline std::uint8_t MeanOfFour(unsigned sum)
{
    return static_cast<std::uint8_t>((sum + 1 + ((sum >> 2) & 1)) >> 2);
}

// A locked 24-bit view of a bitmap, unlocked when it goes.
class LockedPixels {
public:
    LockedPixels(Gdiplus::Bitmap& bitmap, Gdiplus::ImageLockMode mode) : bitmap_(bitmap)
    {
        const Gdiplus::Rect all(0, 0, static_cast<INT>(bitmap.GetWidth()), static_cast<INT>(bitmap.GetHeight()));
        locked_ = bitmap.LockBits(&all, mode, PixelFormat24bppRGB, &data_) == Gdiplus::Ok;
    }
    LockedPixels(const LockedPixels&) = delete;
    LockedPixels& operator=(const LockedPixels&) = delete;
    ~LockedPixels()
    {
        if (locked_)
            bitmap_.UnlockBits(&data_);
    }
    bool Locked() const { return locked_; }
    std::uint8_t* Row(std::uint32_t y) const { return static_cast<std::uint8_t*>(data_.Scan0) + static_cast<std::ptrdiff_t>(y) * data_.Stride; }

private:
    Gdiplus::Bitmap& bitmap_;
    Gdiplus::BitmapData data_{};
    bool locked_ = false;
};

} // namespace

ui::GpBitmapPtr HalvePhoto(Gdiplus::Bitmap& source)
{
    const std::uint32_t sourceWidth = source.GetWidth(), sourceHeight = source.GetHeight();
    if (sourceWidth < 2 || sourceHeight < 2)
        return nullptr;
    const std::uint32_t width = (sourceWidth + 1) / 2, height = (sourceHeight + 1) / 2;
    ui::GpBitmapPtr half(new Gdiplus::Bitmap(static_cast<INT>(width), static_cast<INT>(height), PixelFormat24bppRGB));
    if (!half || half->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        const LockedPixels from(source, Gdiplus::ImageLockModeRead);
        const LockedPixels to(*half, Gdiplus::ImageLockModeWrite);
        if (!from.Locked() || !to.Locked())
            return nullptr;
        // Each pair of rows summed first, then each pair of columns of those sums. A lone last
        // row or column counts twice: twice its sum over four is its own mean, rounded alike.
        const std::size_t rowBytes = std::size_t{sourceWidth} * 3;
        std::vector<std::uint16_t> pairs(rowBytes + 3);
        for (std::uint32_t y = 0; y < height; ++y) {
            const std::uint8_t* upper = from.Row(2 * y);
            const std::uint8_t* lower = from.Row(std::min(2 * y + 1, sourceHeight - 1));
            for (std::size_t i = 0; i < rowBytes; ++i)
                pairs[i] = static_cast<std::uint16_t>(upper[i] + lower[i]);
            if (sourceWidth % 2 != 0)
                std::copy_n(pairs.data() + rowBytes - 3, 3, pairs.data() + rowBytes);
            std::uint8_t* out = to.Row(y);
            const std::uint16_t* p = pairs.data();
            for (std::uint32_t x = 0; x < width; ++x, p += 6, out += 3) {
                out[0] = MeanOfFour(p[0] + p[3]);
                out[1] = MeanOfFour(p[1] + p[4]);
                out[2] = MeanOfFour(p[2] + p[5]);
            }
        }
    }
    return half;
}

std::size_t ChoosePyramidLevel(const std::vector<TPyramidLevelSize>& sizes, const TPhotoClipRect& clip,
                               std::int64_t partWidth, std::int64_t partHeight)
{
    for (std::size_t level = sizes.size(); level-- > 1;) {
        const Gdiplus::RectF source = CropSourceRect(sizes[level].Width, sizes[level].Height, clip.X, clip.Y, clip.W, clip.H);
        if (source.Width >= partWidth && source.Height >= partHeight)
            return level;
    }
    return 0;
}

PhotoPyramid::PhotoPyramid(Gdiplus::Bitmap& canvas)
{
    Gdiplus::Bitmap* above = &canvas;
    while (above->GetWidth() / 2 >= PyramidMinSide && above->GetHeight() / 2 >= PyramidMinSide) {
        ui::GpBitmapPtr half = HalvePhoto(*above);
        if (!half)
            break;
        halves_.push_back(std::move(half));
        above = halves_.back().get();
    }
}

TPyramidChoice PhotoPyramid::Choose(Gdiplus::Bitmap& canvas, const TPhotoClipRect& clip, std::int64_t partWidth,
                                    std::int64_t partHeight) const
{
    std::vector<TPyramidLevelSize> sizes{{canvas.GetWidth(), canvas.GetHeight()}};
    for (const ui::GpBitmapPtr& half : halves_)
        sizes.push_back({half->GetWidth(), half->GetHeight()});
    TPyramidChoice choice;
    choice.Level = ChoosePyramidLevel(sizes, clip, partWidth, partHeight);
    choice.Photo = choice.Level == 0 ? &canvas : halves_[choice.Level - 1].get();
    // Pixel n of level i is the mean of canvas pixels 2^i n to 2^i n + 2^i - 1, so it stands where
    // the scaler takes canvas coordinate 2^i n + (2^i - 1) / 2 to be. The canvas's own clip, moved
    // by that and divided by 2^i, is the same place in the copy; the clip's fractions of the
    // copy's size would be shifted by the blocks cut short at the right and bottom edges.
    const Gdiplus::RectF whole = CropSourceRect(sizes[0].Width, sizes[0].Height, clip.X, clip.Y, clip.W, clip.H);
    const double block = static_cast<double>(std::uint64_t{1} << choice.Level);
    const double centre = (block - 1) / 2;
    choice.Source = Gdiplus::RectF(static_cast<Gdiplus::REAL>((whole.X - centre) / block),
                                   static_cast<Gdiplus::REAL>((whole.Y - centre) / block),
                                   static_cast<Gdiplus::REAL>(whole.Width / block),
                                   static_cast<Gdiplus::REAL>(whole.Height / block));
    return choice;
}

} // namespace lumetta
