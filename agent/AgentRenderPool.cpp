#include "AgentRenderPool.h"

#include <objbase.h>

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "shared/GlobalGraphics.h"

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
    const std::uint64_t fit = memoryBudget / PhotoRenderPeakBytes;
    return static_cast<unsigned>(std::max<std::uint64_t>(1, std::min<std::uint64_t>(cores, fit)));
}

unsigned MachineRenderWorkerCount(unsigned cap)
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    const std::uint64_t available = GlobalMemoryStatusEx(&memory) ? memory.ullAvailPhys : 0;
    const unsigned count = RenderWorkerCount(std::thread::hardware_concurrency(), RenderMemoryBudget(available));
    return cap > 0 ? std::min(count, cap) : count;
}

TPhotoSetRenderPool::TPhotoSetRenderPool(unsigned workers)
    : workers_(std::max(1u, workers)), lookahead_(2 * std::size_t{std::max(1u, workers)})
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

void TPhotoSetRenderPool::Add(Render render)
{
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(Job{std::move(render)});
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
    return next_ < jobs_.size() && next_ < taken_ + lookahead_;
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
        lock.unlock();
        TRenderedPhotoSet result = RunRender(render);
        lock.lock();
        job.result = std::move(result);
        job.done = true;
        changed_.notify_all();
    }
}

} // namespace lumetta
