#pragma once
// A window timer: OnTimer runs on the GUI thread every Interval milliseconds while Enabled.
#include <windows.h>

#include <string>

#include "ui/Component.h"

namespace ui {

class Timer : public Component {
public:
    struct Args {
        std::string name;
        unsigned interval = 1000;
        bool enabled = true;
    };

    Timer(Component* owner, const Args& args);
    ~Timer() override;

    bool Enabled() const { return enabled_; }
    // Enabling a running timer does not restart its interval.
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    // A new interval restarts a running timer.
    void SetInterval(unsigned interval);

    // Runs on every tick; an exception goes to the application's error handling.
    NotifyEvent OnTimer;

private:
    static HWND TimerWindow();
    void Restart();
    void Stop();

    unsigned interval_;
    bool enabled_;
    UINT_PTR id_ = 0;
};

} // namespace ui
