#include "AgentRenderPool.h"

#include <objbase.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalImageHeader.h"
#include "shared/GlobalPhotoSet.h"

namespace lumetta {

namespace {

// GDI+ may decode through COM codecs: each worker joins the multithreaded apartment for its life.
class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (joined_)
            CoUninitialize();
    }

private:
    bool joined_;
};

TRenderedPhotoSet RunRender(const TPhotoSetRenderPool::Render& render)
{
    TRenderedPhotoSet result;
    try {
        result.Image = render();
    } catch (...) {
        result.Failure = std::current_exception();
    }
    result.PhotoStatus = LastPhotoStatus;
    return result;
}

} // namespace

std::uint64_t RenderMemoryBudget(std::uint64_t availablePhysical)
{
    return std::min(AgentWorkingSetLimit - AgentOwnReserve, availablePhysical);
}

unsigned RenderWorkerCount(unsigned cores, std::uint64_t memoryBudget)
{
    const std::uint64_t fit = memoryBudget / TypicalPhotoRenderPeak();
    return static_cast<unsigned>(std::max<std::uint64_t>(1, std::min<std::uint64_t>(cores, fit)));
}

std::uint64_t MachineRenderMemoryBudget()
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    return RenderMemoryBudget(GlobalMemoryStatusEx(&memory) ? memory.ullAvailPhys : 0);
}

unsigned MachineRenderWorkerCount(unsigned cap)
{
    const unsigned count = RenderWorkerCount(std::thread::hardware_concurrency(), MachineRenderMemoryBudget());
    return cap > 0 ? std::min(count, cap) : count;
}

std::uint64_t PhotoRenderPeak(std::uint32_t width, std::uint32_t height)
{
    // A photo with more pixels than that is refused before it is decoded.
    const std::uint64_t decoded = std::uint64_t{width} * height;
    if (decoded > MaxDecodedPhotoPixels)
        return RenderOverheadBytes;
    return DecodedPhotoBytesPerPixel * decoded + RenderOverheadBytes;
}

std::uint64_t TypicalPhotoRenderPeak()
{
    return PhotoRenderPeak(6000, 4000);
}

std::uint64_t PhotoSetRenderPeak(const TPhotoSetSettings& set)
{
    const std::optional<DeclaredSize> size = DeclaredImageFileSize(set.Effects.PhotoFile);
    if (!size || size->Width > UINT32_MAX || size->Height > UINT32_MAX)
        return RenderOverheadBytes;
    return PhotoRenderPeak(static_cast<std::uint32_t>(size->Width), static_cast<std::uint32_t>(size->Height));
}

TPhotoSetRenderPool::TPhotoSetRenderPool(unsigned workers, std::uint64_t memoryBudget)
    : workers_(std::max(1u, workers)), budget_(memoryBudget), lookahead_(2 * std::size_t{std::max(1u, workers)})
{
}

TPhotoSetRenderPool::~TPhotoSetRenderPool()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    threads_.clear(); // joins
}

void TPhotoSetRenderPool::Add(Render render, std::uint64_t peakBytes)
{
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(Job{std::move(render), peakBytes});
    }
    // One more worker with each render until there are enough: never more threads than renders.
    if (threads_.size() < workers_) {
        try {
            threads_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            // No thread to spare: the workers there are do it, or Take does when there are none.
        }
    }
    changed_.notify_one();
}

TRenderedPhotoSet TPhotoSetRenderPool::Take()
{
    std::unique_lock lock(mutex_);
    if (taken_ >= jobs_.size())
        throw std::logic_error("no render left to take");
    if (threads_.empty()) {
        Job& job = jobs_[taken_++];
        next_ = taken_;
        lock.unlock();
        return RunRender(job.render);
    }
    changed_.wait(lock, [this] { return jobs_[taken_].done; });
    TRenderedPhotoSet result = std::move(jobs_[taken_].result);
    ++taken_;
    lock.unlock();
    changed_.notify_all(); // the lookahead moved on
    return result;
}

bool TPhotoSetRenderPool::Startable() const
{
    if (next_ >= jobs_.size() || next_ >= taken_ + lookahead_)
        return false;
    return running_ == 0 || jobs_[next_].peak <= budget_ - std::min(budget_, running_);
}

void TPhotoSetRenderPool::Work()
{
    const ComApartment apartment;
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || Startable(); });
        if (stopping_)
            return;
        Job& job = jobs_[next_++];
        const Render render = std::move(job.render);
        running_ += job.peak;
        lock.unlock();
        TRenderedPhotoSet result = RunRender(render);
        lock.lock();
        running_ -= job.peak;
        job.result = std::move(result);
        job.done = true;
        changed_.notify_all();
    }
}

} // namespace lumetta
