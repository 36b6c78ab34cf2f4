#include "agent/ThdTimer.h"

#include "ui/Synchronize.h"

namespace lumetta {

TTimerThread::TTimerThread(TThreadedTimer& owner)
    : owner_(owner), stopEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
}

TTimerThread::~TTimerThread()
{
    // The body uses this object's parts: end it while they are whole.
    Terminate();
    SetEvent(stopEvent_.Get());
    Resume();
    WaitFor();
}

void TTimerThread::WaitLoop()
{
    do {
        CheckSuspended();
        // A wait that ran out after the timer was disabled or destroyed gives no tick.
        if (WaitForSingleObject(stopEvent_.Get(), Interval) == WAIT_TIMEOUT && !Suspended() && !Terminated())
            Synchronize([this] { owner_.DoTimer(); });
    } while (!Terminated());
}

TThreadedTimer::TThreadedTimer(ui::Component* owner) : TThreadedTimer(owner, std::string{}) {}

TThreadedTimer::TThreadedTimer(ui::Component* owner, std::string name) : ui::Component(owner, std::move(name))
{
    ui::InitSynchronize();
    worker_ = std::make_unique<TTimerThread>(*this); // suspended until the first enabling
    worker_->Interval = 1000;
    worker_->SetPriority(ui::ThreadPriority::Normal);
}

TThreadedTimer::TThreadedTimer(ui::Component* owner, const Args& args) : TThreadedTimer(owner, args.name)
{
    AllowZero = args.allowZero;
    SetEnabled(args.enabled);
    SetInterval(args.interval);
    WriteThreadPriority(args.threadPriority);
}

TThreadedTimer::~TThreadedTimer()
{
    dying_ = true; // a tick still on its way calls nothing
    enabled_ = false;
    worker_->Terminate();
    SetEvent(worker_->StopEvent());
    if (worker_->Suspended())
        worker_->Resume();
    // Runs a tick the worker is handing over meanwhile, so the two never wait for each other.
    worker_->WaitFor();
    worker_.reset();
}

void TThreadedTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    if (!value) {
        worker_->Suspend();
    } else if (worker_->Interval > 0 || AllowZero) {
        // Ends the interrupted wait (or a new worker's first) at once, without a tick.
        SetEvent(worker_->StopEvent());
        worker_->Resume();
    }
}

void TThreadedTimer::SetInterval(DWORD value)
{
    if (value == worker_->Interval)
        return;
    const bool wasEnabled = enabled_;
    SetEnabled(false);
    worker_->Interval = value;
    SetEnabled(wasEnabled);
}

void TThreadedTimer::DoTimer()
{
    if (!enabled_ || !OnTimer || dying_ || Destroying())
        return;
    try {
        OnTimer(*this);
    } catch (...) {
        // A failing tick must not stop the timer, and there is no one to tell.
    }
}

} // namespace lumetta
