#pragma once
// A worker thread object: a body (Execute) run on a thread of its own, with Terminate as a
// request the body reads, Suspend and Resume, a priority, WaitFor, and the blocking hand-over
// of a call to the GUI thread.
//
// A thread starts suspended and runs once Resume is called. Suspending never stops the thread
// from outside (it could hold a lock the GUI thread needs, a heap lock or one of the system's):
// the body stops at its next CheckSuspended, where it holds nothing, and stays there, costing
// no CPU, until Resume.
#include <windows.h>

#include <atomic>
#include <functional>

#include "ui/Handles.h"

namespace ui {

enum class ThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class Thread {
public:
    Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    // The owner ends the body first (Terminate, Resume when suspended, WaitFor): the body may
    // use the derived part, which is gone by the time this runs.
    virtual ~Thread();

    void Resume();
    void Suspend();
    bool Suspended() const { return suspended_; }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    // Waits until the body has returned; on the GUI thread, calls handed over meanwhile run.
    void WaitFor();
    bool Finished() const;

    ThreadPriority Priority() const { return priority_; }
    void SetPriority(ThreadPriority priority);

protected:
    virtual void Execute() = 0;
    // Stays here while the thread is suspended.
    void CheckSuspended();
    // Runs `call` on the GUI thread and returns once it has run there.
    static void Synchronize(const std::function<void()>& call);

private:
    static unsigned __stdcall Start(void* self);

    std::atomic<bool> terminated_{false};
    std::atomic<bool> suspended_{true};
    ThreadPriority priority_ = ThreadPriority::Normal;
    KernelHandle resumed_;
    KernelHandle handle_;
};

} // namespace ui
