// The renders of the agent's start: how many run at once, and what the GUI thread gets back.
#include "agent/AgentRenderPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include "FramedPhotoTestSupport.h"
#include "ImageBytes.h"
#include "ImageSupport.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"

using namespace lumetta;

namespace {

TEST(StartRenders, WorkersBoundByCoresAndMemory)
{
    // 2 GiB less the agent's own 256 MiB holds five renders at their 335 MiB peak.
    EXPECT_EQ(RenderMemoryBudget(16384 * MiB), 1792 * MiB);
    EXPECT_EQ(RenderMemoryBudget(700 * MiB), 700 * MiB); // no more than is free
    EXPECT_EQ(RenderWorkerCount(8, 1792 * MiB), 5u);
    EXPECT_EQ(RenderWorkerCount(8, 5 * PhotoRenderPeakBytes - 1), 4u);
    EXPECT_EQ(RenderWorkerCount(2, 1792 * MiB), 2u);
    EXPECT_EQ(RenderWorkerCount(8, 700 * MiB), 2u);
    EXPECT_EQ(RenderWorkerCount(8, 0), 1u); // never none
    EXPECT_EQ(RenderWorkerCount(0, 1792 * MiB), 1u);
    for (unsigned cores : {1u, 8u, 64u, 1024u})
        EXPECT_LE(RenderWorkerCount(cores, RenderMemoryBudget(UINT64_MAX)) * PhotoRenderPeakBytes + AgentOwnReserve,
                  AgentWorkingSetLimit)
            << cores;
    EXPECT_EQ(MachineRenderWorkerCount(1), 1u);
}

TEST(StartRenders, PeakCountsTheDecodeAndTheCanvas)
{
    // 6000 x 4000 on a 6000 x 4500 canvas: 6 bytes a photo pixel, 7 a canvas pixel.
    EXPECT_EQ(PhotoRenderPeak(6000, 4000, false), 333'000'000u);
    // A portrait frame pads the same photo to 6000 x 8000, a landscape frame an upright one to 8000 x 6000.
    EXPECT_EQ(PhotoRenderPeak(6000, 4000, true), 480'000'000u);
    EXPECT_EQ(PhotoRenderPeak(4000, 6000, false), 480'000'000u);
    // A panorama: its decode and the 13377 x 10032 canvas its reduced copy lies on.
    EXPECT_EQ(PhotoRenderPeak(16000, 4000, false), 6u * 64'000'000 + 7u * 13377 * 10032);
    EXPECT_EQ(PhotoRenderPeak(640, 480, false), MinimumRenderPeakBytes);
    // Refused before decoding: costs no more than a small one.
    EXPECT_EQ(PhotoRenderPeak(100000, 100000, false), MinimumRenderPeakBytes);
    EXPECT_EQ(PhotoRenderPeak(1, 140000000, false), MinimumRenderPeakBytes);
    EXPECT_EQ(PhotoRenderPeak(UINT32_MAX, UINT32_MAX, true), MinimumRenderPeakBytes);
}

TEST(StartRenders, StoredSetPeakFromThePhotoHeaderAndTheFrame)
{
    const test::TempFolder folder;
    const test::FramesetDirOverride frames(folder.Dir());
    const ui::GpBitmapPtr frameImage = test::MakePicture(100, 100, test::OpaqueWhite);
    test::WriteFrame(folder, "wide.ini", *frameImage, {10, 10, 90, 90}, {}, true);
    test::WriteFrame(folder, "tall.ini", *frameImage, {10, 10, 90, 90}, {}, false);
    const std::string photo = folder.Dir() + "photo.jpg";
    test::SaveImageFile(photo, 6000, 4000, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 6000, 4000, 0x00C87850); },
                        L"image/jpeg");
    TPhotoSetSettings set;
    set.Effects.PhotoFile = photo;
    set.Frame = "wide.ini";
    EXPECT_EQ(PhotoSetRenderPeak(set), PhotoRenderPeak(6000, 4000, false));
    set.Frame = "tall.ini";
    EXPECT_EQ(PhotoSetRenderPeak(set), PhotoRenderPeak(6000, 4000, true));
    // A phone's photo stored on its side counts upright: 4000 x 6000 on the landscape frame.
    folder.Write("phone.jpg", test::WithSegment(test::HeaderOnlyJpeg(6000, 4000), test::ExifSegment(test::ExifTiff(false, 6))));
    set.Effects.PhotoFile = folder.Dir() + "phone.jpg";
    set.Frame = "wide.ini";
    EXPECT_EQ(PhotoSetRenderPeak(set), PhotoRenderPeak(4000, 6000, false));
    set.Effects.PhotoFile = folder.Dir() + "missing.jpg";
    EXPECT_EQ(PhotoSetRenderPeak(set), MinimumRenderPeakBytes);
}

// Renders that take a while and count how many run at once.
struct Concurrency {
    std::atomic<int> now{0};
    std::atomic<int> most{0};
    TPhotoSetRenderPool::Render Render(int side, bool raise = false)
    {
        return [this, side, raise] {
            most = std::max(most.load(), ++now);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            --now;
            LastPhotoStatus = side == 2 ? Gdiplus::FileNotFound : Gdiplus::Ok;
            if (raise)
                throw std::runtime_error("render failed");
            return ui::GpBitmapPtr(new Gdiplus::Bitmap(side, side, PixelFormat32bppARGB));
        };
    }
};

TEST(StartRenders, ResultsComeInOrderWithFailureAndStatus)
{
    Concurrency c;
    TPhotoSetRenderPool pool(3, 1792 * MiB);
    for (int side = 1; side <= 8; ++side)
        pool.Add(c.Render(side, side == 5), MinimumRenderPeakBytes);
    for (int side = 1; side <= 8; ++side) {
        TRenderedPhotoSet rendered = pool.Take();
        EXPECT_EQ(rendered.PhotoStatus, side == 2 ? Gdiplus::FileNotFound : Gdiplus::Ok) << side;
        if (side == 5) {
            EXPECT_FALSE(rendered.Image);
            EXPECT_THROW(std::rethrow_exception(rendered.Failure), std::runtime_error);
        } else {
            ASSERT_TRUE(rendered.Image) << side;
            EXPECT_EQ(rendered.Image->GetWidth(), static_cast<UINT>(side));
        }
    }
    EXPECT_LE(c.most, 3);
}

TEST(StartRenders, RendersThatDoNotFitTheBudgetTogetherRunOneByOne)
{
    Concurrency c;
    TPhotoSetRenderPool pool(4, 1000 * MiB);
    for (int i = 0; i < 4; ++i)
        pool.Add(c.Render(1), 501 * MiB);   // two would pass the budget
    pool.Add(c.Render(1), 2000 * MiB);      // one alone may pass it
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(pool.Take().Image);
    EXPECT_EQ(c.most, 1);
}

} // namespace
