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
    // 1 GiB less the agent's own 256 MiB holds five renders of a 24-megapixel photo at their peak.
    const std::uint64_t typical = TypicalPhotoRenderPeak();
    EXPECT_EQ(typical, 6u * 24'000'000 + 16 * MiB);
    EXPECT_EQ(RenderMemoryBudget(16384 * MiB), 768 * MiB);
    EXPECT_EQ(RenderMemoryBudget(500 * MiB), 500 * MiB); // no more than is free
    EXPECT_EQ(RenderWorkerCount(16, 768 * MiB), 5u);
    EXPECT_EQ(RenderWorkerCount(16, 5 * typical - 1), 4u);
    EXPECT_EQ(RenderWorkerCount(2, 768 * MiB), 2u);
    EXPECT_EQ(RenderWorkerCount(8, 0), 1u); // never none
    EXPECT_EQ(RenderWorkerCount(0, 768 * MiB), 1u);
    for (unsigned cores : {1u, 8u, 64u, 1024u})
        EXPECT_LE(RenderWorkerCount(cores, RenderMemoryBudget(UINT64_MAX)) * typical + AgentOwnReserve,
                  AgentWorkingSetLimit)
            << cores;
    EXPECT_EQ(MachineRenderWorkerCount(1), 1u);
}

TEST(StartRenders, PeakCountsTheDecodeWhateverTheCanvas)
{
    EXPECT_EQ(PhotoRenderPeak(6000, 4000), 6u * 24'000'000 + RenderOverheadBytes);
    // A panorama and a phone's 200 megapixels: the decode alone, no canvas of 13377 x 10032.
    EXPECT_EQ(PhotoRenderPeak(16000, 4000), 6u * 64'000'000 + RenderOverheadBytes);
    EXPECT_EQ(PhotoRenderPeak(16320, 12240), 6u * 16320 * 12240 + RenderOverheadBytes);
    EXPECT_EQ(PhotoRenderPeak(640, 480), 6u * 640 * 480 + RenderOverheadBytes);
    // Refused before decoding: costs no more than the overhead.
    EXPECT_EQ(PhotoRenderPeak(16384, 16385), RenderOverheadBytes);
    EXPECT_EQ(PhotoRenderPeak(1, 300'000'000), RenderOverheadBytes);
    EXPECT_EQ(PhotoRenderPeak(UINT32_MAX, UINT32_MAX), RenderOverheadBytes);
}

TEST(StartRenders, StoredSetPeakFromThePhotoHeader)
{
    const test::TempFolder folder;
    const std::string photo = folder.Dir() + "photo.jpg";
    folder.Write("photo.jpg", test::HeaderOnlyJpeg(6000, 4000));
    TPhotoSetSettings set;
    set.Effects.PhotoFile = photo;
    EXPECT_EQ(PhotoSetRenderPeak(set), PhotoRenderPeak(6000, 4000));
    set.Effects.PhotoFile = folder.Dir() + "missing.jpg";
    EXPECT_EQ(PhotoSetRenderPeak(set), RenderOverheadBytes);
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
        pool.Add(c.Render(side, side == 5), RenderOverheadBytes);
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
