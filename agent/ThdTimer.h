#pragma once
// A timer whose waiting is done by a worker thread of its own and whose ticks run on the GUI
// thread: the worker waits on a stop event with the interval as time-out and hands each tick
// over to the GUI thread, waiting until it has run there. It needs neither a window nor the
// queue's timer messages. All its properties are used on the GUI thread only.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "ui/Component.h"
#include "ui/Handles.h"
#include "ui/Thread.h"

namespace lumetta {

class TThreadedTimer;

class TTimerThread : public ui::Thread {
public:
    explicit TTimerThread(TThreadedTimer& owner);
    ~TTimerThread() override;

    // The time-out of each wait in milliseconds, read anew before each one.
    std::atomic<DWORD> Interval{1000};
    // Auto-reset: one SetEvent ends exactly one wait, without a tick.
    HANDLE StopEvent() const { return stopEvent_.Get(); }

protected:
    void Execute() override { WaitLoop(); }

private:
    void WaitLoop();

    TThreadedTimer& owner_;
    ui::KernelHandle stopEvent_;
};

class TThreadedTimer : public ui::Component {
public:
    // The stored properties, set through the setters after creation, in this order.
    struct Args {
        std::string name;
        bool allowZero = false;
        bool enabled = false;
        DWORD interval = 1000;
        ui::ThreadPriority threadPriority = ui::ThreadPriority::Normal;
    };

    explicit TThreadedTimer(ui::Component* owner = nullptr);
    TThreadedTimer(ui::Component* owner, const Args& args);
    // Never blocks and never calls OnTimer, also when a tick is waiting for the GUI thread.
    ~TThreadedTimer() override;

    // With AllowZero, an Interval of 0 ticks as fast as the GUI thread takes the ticks;
    // without, it gives no ticks. A change counts at the next change of Enabled or Interval.
    bool AllowZero = false;

    bool Enabled() const { return enabled_; }
    // Enabling starts the interval afresh: the first tick comes one full Interval later.
    void SetEnabled(bool value);
    DWORD GetInterval() const { return worker_->Interval; }
    // A new interval restarts a running timer.
    void SetInterval(DWORD value);
    ui::ThreadPriority ReadThreadPriority() const { return worker_->Priority(); }
    void WriteThreadPriority(ui::ThreadPriority priority) { worker_->SetPriority(priority); }

    // Runs on the GUI thread on each tick while Enabled; whatever it throws is swallowed.
    ui::NotifyEvent OnTimer;

private:
    friend class TTimerThread;
    TThreadedTimer(ui::Component* owner, std::string name);
    void DoTimer();

    std::unique_ptr<TTimerThread> worker_;
    bool enabled_ = false;
    bool dying_ = false;
};

} // namespace lumetta
