#include "ui/Synchronize.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#include "ui/Handles.h"
#include "ui/HelperWindow.h"

namespace ui {

namespace {

constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x3A5;

// One call waiting for the GUI thread, living on the stack of the worker that waits for it.
struct PendingCall {
    const std::function<void()>* call;
    bool done = false;
    std::exception_ptr error;
};

struct HandOver {
    // Until InitSynchronize names one, the thread that started the program.
    std::atomic<DWORD> guiThread{GetCurrentThreadId()};
    std::atomic<bool> initialised{false};
    std::atomic<HWND> window{nullptr};
    // Set whenever a call is queued, so a GUI thread that waits for an object wakes for it.
    KernelHandle queued{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    std::mutex lock;
    std::condition_variable finished;
    std::deque<PendingCall*> calls;
};

HandOver& State()
{
    static HandOver state;
    return state;
}

// Made while the program starts, on its first thread, before any worker exists.
[[maybe_unused]] const HandOver& startState = State();

} // namespace

void InitSynchronize()
{
    HandOver& state = State();
    if (state.initialised.exchange(true))
        return;
    state.guiThread = GetCurrentThreadId();
    // Every message loop of the GUI thread dispatches what is posted to the helper window.
    BindHelperMessage(WM_SYNCHRONIZE, [](WPARAM, LPARAM) { CheckSynchronize(); });
    state.window = HelperWindow();
}

bool IsGuiThread() { return State().guiThread == GetCurrentThreadId(); }

void Synchronize(const std::function<void()>& call)
{
    if (IsGuiThread()) {
        call();
        return;
    }
    HandOver& state = State();
    PendingCall pending{&call};
    {
        std::lock_guard guard(state.lock);
        state.calls.push_back(&pending);
    }
    SetEvent(state.queued.Get());
    if (HWND window = state.window)
        PostMessageA(window, WM_SYNCHRONIZE, 0, 0);
    {
        std::unique_lock guard(state.lock);
        state.finished.wait(guard, [&] { return pending.done; });
    }
    if (pending.error)
        std::rethrow_exception(pending.error);
}

bool CheckSynchronize()
{
    HandOver& state = State();
    std::deque<PendingCall*> calls;
    {
        std::lock_guard guard(state.lock);
        calls.swap(state.calls);
    }
    for (PendingCall* pending : calls) {
        std::exception_ptr error;
        try {
            (*pending->call)();
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard guard(state.lock);
            pending->error = error;
            pending->done = true;
        }
        state.finished.notify_all();
    }
    return !calls.empty();
}

DWORD WaitWithSynchronize(HANDLE object, DWORD timeout)
{
    if (!IsGuiThread())
        return WaitForSingleObject(object, timeout);
    const HANDLE handles[] = {object, State().queued.Get()};
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        DWORD left = timeout;
        if (timeout != INFINITE) {
            const ULONGLONG spent = GetTickCount64() - start;
            left = spent >= timeout ? 0 : static_cast<DWORD>(timeout - spent);
        }
        const DWORD result = WaitForMultipleObjects(2, handles, FALSE, left);
        if (result != WAIT_OBJECT_0 + 1)
            return result;
        CheckSynchronize();
    }
}

} // namespace ui
