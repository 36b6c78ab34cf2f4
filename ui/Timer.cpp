#include "ui/Timer.h"

#include <map>

#include "ui/Application.h"

namespace ui {

namespace {

std::map<UINT_PTR, Timer*>& RunningTimers()
{
    static std::map<UINT_PTR, Timer*> timers;
    return timers;
}

} // namespace

Timer::Timer(Component* owner, const Args& args) : Component(owner, args.name), interval_(args.interval), enabled_(args.enabled)
{
    Restart();
}

Timer::~Timer() { Stop(); }

HWND Timer::TimerWindow()
{
    static HWND window = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &Timer::Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "UiTimerWindow";
        RegisterClassExA(&windowClass);
        return CreateWindowExA(0, "UiTimerWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    }();
    return window;
}

LRESULT CALLBACK Timer::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_TIMER)
        return DefWindowProcA(window, msg, wParam, lParam);
    const auto found = RunningTimers().find(static_cast<UINT_PTR>(wParam));
    if (found != RunningTimers().end() && found->second->OnTimer) {
        try {
            found->second->OnTimer(*found->second);
        } catch (...) {
            App().HandleException();
        }
    }
    return 0;
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        Restart();
    }
}

void Timer::SetInterval(unsigned interval)
{
    if (interval != interval_) {
        interval_ = interval;
        Restart();
    }
}

void Timer::Stop()
{
    if (id_) {
        KillTimer(TimerWindow(), id_);
        RunningTimers().erase(id_);
        id_ = 0;
    }
}

void Timer::Restart()
{
    Stop();
    if (!enabled_ || interval_ == 0)
        return;
    static UINT_PTR nextId = 1;
    id_ = nextId++;
    if (!SetTimer(TimerWindow(), id_, interval_, nullptr)) {
        id_ = 0;
        return;
    }
    RunningTimers()[id_] = this;
}

} // namespace ui
