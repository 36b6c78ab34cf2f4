#pragma once
// The pictures of the stored photo sets, made at the agent's start on a few worker threads so that
// large photos decode side by side, and handed to the GUI thread in the order they were asked
// for. Only pictures are made here: windows, menus, commands and the registry stay on the GUI
// thread, which takes each picture over and opens its window.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/GdiPlus.h"

namespace lumetta {

inline constexpr std::uint64_t MiB = std::uint64_t{1} << 20;
// The agent's working set stays below this however many sets are stored, unless one photo alone
// needs more: such a render runs by itself.
inline constexpr std::uint64_t AgentWorkingSetLimit = 1024 * MiB;
// Kept from the limit for the agent itself: code, heaps, frame images, and the finished pictures
// that wait for their windows.
inline constexpr std::uint64_t AgentOwnReserve = 256 * MiB;

// What a render holds at its peak: per pixel of the decoded photo, the decoder's buffer and the
// platform's bitmap (24 bits each, both alive while the photo is); and besides, whatever the
// photo's size, the frame image, the scaled clip with its effects and the picture. Fitted to the
// agent's peak working set under Wine with photos from 6000 x 4000 to 16320 x 12240.
inline constexpr std::uint64_t DecodedPhotoBytesPerPixel = 6;
inline constexpr std::uint64_t RenderOverheadBytes = 16 * MiB;
// Peak memory of rendering a photo of width x height pixels. A photo too large to be decoded
// costs only the overhead.
std::uint64_t PhotoRenderPeak(std::uint32_t width, std::uint32_t height);
// The photo the workers are counted for: a phone's 24 megapixels.
std::uint64_t TypicalPhotoRenderPeak();

// Memory the renders may take together: what the limit leaves, and no more than is free now.
std::uint64_t RenderMemoryBudget(std::uint64_t availablePhysical);
// Workers for the start's renders: no more than the cores, nor than the budget holds renders of
// typical photos at their peak; at least one.
unsigned RenderWorkerCount(unsigned cores, std::uint64_t memoryBudget);
// The count for this machine as it is now; a non-zero `cap` can only lower it.
unsigned MachineRenderWorkerCount(unsigned cap = 0);
// The memory budget for this machine as it is now.
std::uint64_t MachineRenderMemoryBudget();

struct TPhotoSetSettings;
// The peak of rendering a stored set, judged before any decoding by the size its photo file
// declares: the overhead alone for a photo that is refused before decoding.
std::uint64_t PhotoSetRenderPeak(const TPhotoSetSettings& set);

// One set's picture as its worker left it.
struct TRenderedPhotoSet {
    ui::GpBitmapPtr Image;                     // null when the render raised
    Gdiplus::Status PhotoStatus = Gdiplus::Ok; // the worker's LastPhotoStatus after the render
    std::exception_ptr Failure;                // what the render raised
};

class TPhotoSetRenderPool {
public:
    using Render = std::function<ui::GpBitmapPtr()>;

    // Up to `workers` threads, started as renders are added. A render starts, in the order of Add,
    // when its peak fits into `memoryBudget` beside the renders running, or when none runs.
    // Finished pictures that the GUI thread has not taken yet hold back further renders once there
    // are twice as many as workers.
    TPhotoSetRenderPool(unsigned workers, std::uint64_t memoryBudget);
    // Renders not yet started are dropped; running ones finish first.
    ~TPhotoSetRenderPool();
    TPhotoSetRenderPool(const TPhotoSetRenderPool&) = delete;
    TPhotoSetRenderPool& operator=(const TPhotoSetRenderPool&) = delete;

    void Add(Render render, std::uint64_t peakBytes);
    // The result of the next render in the order of Add, once it is done. Blocks without taking
    // up messages, so that no command runs in the middle of the start. Only as often as Add.
    TRenderedPhotoSet Take();

private:
    struct Job {
        Render render;
        std::uint64_t peak = 0;
        bool done = false;
        TRenderedPhotoSet result;
    };

    void Work();
    bool Startable() const;

    const unsigned workers_;
    const std::uint64_t budget_;
    const std::size_t lookahead_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;    // every job added; a taken one is left empty
    std::size_t next_ = 0;    // the next job a worker starts
    std::size_t taken_ = 0;   // the next job Take hands over
    std::uint64_t running_ = 0; // the peaks of the renders running
    bool stopping_ = false;
    std::vector<std::jthread> threads_;
};

} // namespace lumetta
