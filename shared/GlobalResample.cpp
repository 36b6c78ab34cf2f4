#include "shared/GlobalResample.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>
#include <system_error>
#include <thread>

namespace lumetta {

TOwnedPlane::TOwnedPlane(std::uint32_t width, std::uint32_t height)
    : bytes_(std::make_unique_for_overwrite<std::uint8_t[]>(std::size_t{width} * height * 3)), width_(width),
      height_(height)
{
}

namespace {

// Memory pixels from `first` with their weights, the rest of 1 being white.
void AddTaps(TAxisTaps& taps, std::int64_t first, std::vector<double>& weights)
{
    // Weights of nothing at either end add only work.
    while (!weights.empty() && weights.back() <= 0)
        weights.pop_back();
    std::size_t skipped = 0;
    while (skipped < weights.size() && weights[skipped] <= 0)
        ++skipped;
    double share = 0;
    taps.Offset.push_back(static_cast<std::uint32_t>(taps.Weights.size()));
    taps.Count.push_back(static_cast<std::uint32_t>(weights.size() - skipped));
    taps.First.push_back(skipped < weights.size() ? static_cast<std::uint32_t>(first + static_cast<std::int64_t>(skipped)) : 0);
    for (std::size_t i = skipped; i < weights.size(); ++i) {
        taps.Weights.push_back(static_cast<float>(weights[i]));
        share += weights[i];
    }
    taps.PhotoShare.push_back(static_cast<float>(std::min(share, 1.0)));
}

// Where a canvas position lies in the photo's memory, in photo pixels from the first one's edge.
double MemoryPosition(const TCanvasAxis& axis, double canvas)
{
    const double along = (canvas - axis.PhotoStart) * axis.PhotoPerCanvas;
    return axis.Reversed ? axis.PhotoLength * axis.PhotoPerCanvas - along : along;
}

// Where [a, b) of the canvas shows the photo, as positions [first, second) in its memory; none
// where the span misses the photo.
std::optional<std::pair<double, double>> MemorySpan(const TCanvasAxis& axis, double a, double b)
{
    const double lo = std::max(a, axis.PhotoStart), hi = std::min(b, axis.PhotoStart + axis.PhotoLength);
    if (hi <= lo)
        return std::nullopt;
    const double count = axis.PhotoCount;
    const double p = std::clamp(MemoryPosition(axis, lo), 0.0, count);
    const double q = std::clamp(MemoryPosition(axis, hi), 0.0, count);
    return std::pair{std::min(p, q), std::max(p, q)};
}

// Adds to `weights` (from memory pixel `first`) what the memory span takes, each share of it over
// `covered` photo pixels.
void AddCoverage(std::pair<double, double> span, double covered, std::int64_t first, std::vector<double>& weights)
{
    const auto [m0, m1] = span;
    const auto end = static_cast<std::int64_t>(std::ceil(m1));
    for (auto j = static_cast<std::int64_t>(std::floor(m0)); j < end; ++j)
        weights[static_cast<std::size_t>(j - first)] +=
            (std::min(m1, static_cast<double>(j + 1)) - std::max(m0, static_cast<double>(j))) / covered;
}

// The mean of what [x0, x1) of the canvas shows, the part outside the photo being white.
void AddAveragingTaps(TAxisTaps& taps, const TCanvasAxis& axis, double x0, double x1, std::vector<double>& weights)
{
    const double canvas = axis.CanvasLength;
    if (x1 < x0)
        std::swap(x0, x1);
    // Beyond the canvas's ends the picture mirrors, as the platform's scaler reads past the edges.
    struct Span {
        double a, b;
    };
    Span spans[3] = {{std::max(x0, 0.0), std::min(x1, canvas)},
                     {0.0, std::clamp(-x0, 0.0, canvas)},
                     {std::clamp(2 * canvas - x1, 0.0, canvas), canvas}};
    if (x1 <= canvas)
        spans[2] = {0, 0};
    double total = 0;
    for (const Span& span : spans)
        total += std::max(0.0, span.b - span.a);
    // A box that lies (almost) wholly past the ends takes the nearest edge pixel.
    const double pixel = std::min(1 / axis.PhotoPerCanvas, canvas);
    if (total < pixel) {
        const double centre = std::clamp((x0 + x1) / 2, pixel / 2, canvas - pixel / 2);
        spans[0] = {centre - pixel / 2, centre + pixel / 2};
        spans[1] = spans[2] = {0, 0};
        total = pixel;
    }
    // The memory pixels the spans reach, in one run from the first.
    std::optional<std::pair<double, double>> reached[3];
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (int i = 0; i < 3; ++i) {
        reached[i] = MemorySpan(axis, spans[i].a, spans[i].b);
        if (reached[i]) {
            low = std::min(low, reached[i]->first);
            high = std::max(high, reached[i]->second);
        }
    }
    weights.clear();
    if (high <= low) {
        AddTaps(taps, 0, weights);
        return;
    }
    const auto first = static_cast<std::int64_t>(std::floor(low));
    weights.assign(static_cast<std::size_t>(static_cast<std::int64_t>(std::ceil(high)) - first), 0.0);
    for (const auto& span : reached)
        if (span)
            AddCoverage(*span, total * axis.PhotoPerCanvas, first, weights);
    AddTaps(taps, first, weights);
}

// The canvas at `centre` between the two nearest pixel centres.
void AddInterpolatingTaps(TAxisTaps& taps, const TCanvasAxis& axis, double centre, std::vector<double>& weights)
{
    // No nearer the canvas's ends than its first and last pixels' centres: beyond, the edge repeats.
    const double half = std::min(0.5 / axis.PhotoPerCanvas, axis.CanvasLength / 2);
    const double p = MemoryPosition(axis, std::clamp(centre, half, axis.CanvasLength - half)) - 0.5;
    const double base = std::floor(p), t = p - base;
    const auto j = static_cast<std::int64_t>(base);
    // Each of the two nearest is a photo pixel or the white beside the photo.
    const std::int64_t count = axis.PhotoCount;
    const bool firstIn = j >= 0 && j < count, secondIn = j + 1 >= 0 && j + 1 < count;
    weights.clear();
    if (firstIn && secondIn)
        weights = {1 - t, t};
    else if (firstIn || secondIn)
        weights = {firstIn ? 1 - t : t};
    AddTaps(taps, firstIn ? j : j + 1, weights);
}

// Runs work over [0, count) on as many threads as the amount of work is worth, and raises what
// any of them raised.
template <typename Work>
void ShareAmongCores(std::size_t count, std::uint64_t amount, const Work& work)
{
    constexpr std::uint64_t amountPerThread = std::uint64_t{1} << 22;
    const std::uint64_t wanted = std::min<std::uint64_t>(amount / amountPerThread + 1, count);
    const unsigned threads = static_cast<unsigned>(std::clamp<std::uint64_t>(
        wanted, 1, std::max(1u, std::thread::hardware_concurrency())));
    if (threads <= 1) {
        work(std::size_t{0}, count);
        return;
    }
    std::vector<std::exception_ptr> failures(threads);
    {
        std::vector<std::jthread> running;
        for (unsigned i = 0; i < threads; ++i) {
            const std::size_t begin = count * i / threads, end = count * (i + 1) / threads;
            const auto run = [&, i, begin, end] {
                try {
                    work(begin, end);
                } catch (...) {
                    failures[i] = std::current_exception();
                }
            };
            try {
                running.emplace_back(run);
            } catch (const std::system_error&) {
                run(); // no thread to spare: this one does it
            }
        }
    }
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

std::uint8_t ToByte(float value)
{
    return static_cast<std::uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
}

} // namespace

TAxisTaps CanvasAxisTaps(const TCanvasAxis& axis, double sourceStart, double sourceLength, std::uint32_t outputCount)
{
    TAxisTaps taps;
    taps.First.reserve(outputCount);
    taps.Count.reserve(outputCount);
    taps.Offset.reserve(outputCount);
    taps.PhotoShare.reserve(outputCount);
    const double step = sourceLength / outputCount;
    const bool averaging = std::abs(step) * axis.PhotoPerCanvas >= 1;
    std::vector<double> weights;
    for (std::uint32_t i = 0; i < outputCount; ++i) {
        // Output pixel i stands where the platform's scaler puts it: its centre over the centre of
        // canvas position sourceStart + i * step, so that a scaled picture lies where it always lay.
        const double centre = sourceStart + i * step + 0.5;
        if (averaging)
            AddAveragingTaps(taps, axis, centre - step / 2, centre + step / 2, weights);
        else
            AddInterpolatingTaps(taps, axis, centre, weights);
    }
    return taps;
}

void ResamplePlane(const TPixelPlane& plane, const TAxisTaps& columns, const TAxisTaps& rows, bool transposed,
                   const TPixelTarget& target)
{
    // The plane's columns that any output pixel reads.
    std::uint32_t from = UINT32_MAX, to = 0;
    std::uint64_t columnTaps = 0;
    for (std::size_t c = 0; c < columns.Size(); ++c) {
        if (columns.Count[c] == 0)
            continue;
        from = std::min(from, columns.First[c]);
        to = std::max(to, columns.First[c] + columns.Count[c]);
        columnTaps += columns.Count[c];
    }
    const std::size_t span = to > from ? std::size_t{to - from} * 3 : 0;
    std::uint64_t rowTaps = 0;
    for (const std::uint32_t count : rows.Count)
        rowTaps += count;

    const auto work = [&](std::size_t begin, std::size_t end) {
        // Each output row: the plane's rows it covers summed by their weights first, down the
        // columns, which runs along memory; then each output pixel from those sums.
        std::vector<float> sums(span);
        for (std::size_t r = begin; r < end; ++r) {
            std::fill(sums.begin(), sums.end(), 0.0f);
            for (std::uint32_t t = 0; t < rows.Count[r] && span != 0; ++t) {
                const float w = rows.Weights[rows.Offset[r] + t];
                const std::uint8_t* source = plane.Row(rows.First[r] + t) + std::size_t{from} * 3;
                float* sum = sums.data();
                for (std::size_t s = 0; s < span; ++s)
                    sum[s] += w * source[s];
            }
            const float rowShare = rows.PhotoShare[r];
            for (std::size_t c = 0; c < columns.Size(); ++c) {
                float b = 0, g = 0, red = 0;
                const float* sum = columns.Count[c] ? sums.data() + std::size_t{columns.First[c] - from} * 3 : nullptr;
                const float* w = columns.Weights.data() + columns.Offset[c];
                for (std::uint32_t q = 0; q < columns.Count[c]; ++q, sum += 3) {
                    b += w[q] * sum[0];
                    g += w[q] * sum[1];
                    red += w[q] * sum[2];
                }
                const float white = 255.0f * (1.0f - columns.PhotoShare[c] * rowShare);
                std::uint8_t* out = transposed ? target.Row(static_cast<std::uint32_t>(c)) + r * 3
                                               : target.Row(static_cast<std::uint32_t>(r)) + c * 3;
                out[0] = ToByte(b + white);
                out[1] = ToByte(g + white);
                out[2] = ToByte(red + white);
            }
        }
    };
    ShareAmongCores(rows.Size(), rowTaps * span + rows.Size() * columnTaps * 3, work);
}

namespace {

// The mean of four bytes from their sum, ties to the even neighbour: adding the quotient's
// lowest bit lifts exactly the halves whose quotient is odd.
inline std::uint8_t MeanOfFour(unsigned sum)
{
    return static_cast<std::uint8_t>((sum + 1 + ((sum >> 2) & 1)) >> 2);
}

} // namespace

TOwnedPlane HalvePlane(const TPixelPlane& source)
{
    const std::uint32_t width = (source.Width + 1) / 2, height = (source.Height + 1) / 2;
    TOwnedPlane half(width, height);
    // Each pair of rows summed first, then each pair of columns of those sums. A lone last row or
    // column counts twice: twice its sum over four is its own mean, rounded alike.
    const std::size_t rowBytes = std::size_t{source.Width} * 3;
    const auto work = [&](std::size_t begin, std::size_t end) {
        std::vector<std::uint16_t> pairs(rowBytes + 3);
        for (std::size_t y = begin; y < end; ++y) {
            const auto upperRow = static_cast<std::uint32_t>(2 * y);
            const std::uint8_t* upper = source.Row(upperRow);
            const std::uint8_t* lower = source.Row(std::min(upperRow + 1, source.Height - 1));
            for (std::size_t i = 0; i < rowBytes; ++i)
                pairs[i] = static_cast<std::uint16_t>(upper[i] + lower[i]);
            if (source.Width % 2 != 0)
                std::copy_n(pairs.data() + rowBytes - 3, 3, pairs.data() + rowBytes);
            std::uint8_t* out = half.Row(static_cast<std::uint32_t>(y));
            const std::uint16_t* p = pairs.data();
            for (std::uint32_t x = 0; x < width; ++x, p += 6, out += 3) {
                out[0] = MeanOfFour(p[0] + p[3]);
                out[1] = MeanOfFour(p[1] + p[4]);
                out[2] = MeanOfFour(p[2] + p[5]);
            }
        }
    };
    ShareAmongCores(height, std::uint64_t{source.Width} * source.Height * 3, work);
    return half;
}

} // namespace lumetta
