#include "ui/Thread.h"

#include <process.h>

#include "ui/Synchronize.h"

namespace ui {

namespace {

int SystemPriority(ThreadPriority priority)
{
    switch (priority) {
    case ThreadPriority::Idle: return THREAD_PRIORITY_IDLE;
    case ThreadPriority::Lowest: return THREAD_PRIORITY_LOWEST;
    case ThreadPriority::Lower: return THREAD_PRIORITY_BELOW_NORMAL;
    case ThreadPriority::Normal: return THREAD_PRIORITY_NORMAL;
    case ThreadPriority::Higher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case ThreadPriority::Highest: return THREAD_PRIORITY_HIGHEST;
    case ThreadPriority::TimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
    }
    return THREAD_PRIORITY_NORMAL;
}

} // namespace

Thread::Thread() : resumed_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    // The body waits in CheckSuspended before anything else, so the derived object is whole
    // by the time Execute runs.
    handle_.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Start, this, 0, nullptr)));
}

Thread::~Thread()
{
    if (!Finished()) {
        Terminate();
        Resume();
        WaitFor();
    }
}

unsigned __stdcall Thread::Start(void* self)
{
    auto* thread = static_cast<Thread*>(self);
    thread->CheckSuspended();
    // A thread ended before it ever ran has no body left to run.
    if (!thread->terminated_)
        thread->Execute();
    return 0;
}

void Thread::Resume()
{
    suspended_ = false;
    SetEvent(resumed_.Get());
}

void Thread::Suspend() { suspended_ = true; }

void Thread::CheckSuspended()
{
    // The event may still be set from an earlier Resume: the flag decides.
    while (suspended_)
        WaitForSingleObject(resumed_.Get(), INFINITE);
}

void Thread::WaitFor()
{
    if (handle_)
        WaitWithSynchronize(handle_.Get(), INFINITE);
}

bool Thread::Finished() const { return !handle_ || WaitForSingleObject(handle_.Get(), 0) == WAIT_OBJECT_0; }

void Thread::SetPriority(ThreadPriority priority)
{
    priority_ = priority;
    if (handle_)
        SetThreadPriority(handle_.Get(), SystemPriority(priority));
}

void Thread::Synchronize(const std::function<void()>& call) { ui::Synchronize(call); }

} // namespace ui
