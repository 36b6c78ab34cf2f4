#include "ui/Timer.h"

#include <map>

#include "ui/HelperWindow.h"

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
    static const HWND window = [] {
        BindHelperMessage(WM_TIMER, [](WPARAM id, LPARAM) {
            const auto found = RunningTimers().find(static_cast<UINT_PTR>(id));
            if (found != RunningTimers().end() && found->second->OnTimer)
                found->second->OnTimer(*found->second);
        });
        return HelperWindow();
    }();
    return window;
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
