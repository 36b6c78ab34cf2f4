#pragma once
// The real pointer and keyboard: input goes into the system's queue (SetCursorPos + SendInput), so
// hit-testing, capture, activation, focus and the dialog keys run as they do for a user. Each
// call waits until this thread's windows have taken the input in; windows of another process
// get it on their own.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <thread>
#include <vector>

namespace ui {
class Control;
}

namespace lumetta::test {

namespace pointer {
void MoveTo(POINT screen);
void Press(POINT screen);
void Release(POINT screen);
void Click(POINT screen);
void DoubleClick(POINT screen);
// Moved there and clicked in one go, as a hasty hand does: the move and the click wait in the
// queue together, so nothing has answered the move when the click comes.
void QuickClick(POINT screen);
void RightClick(POINT screen);
// Pressed at `from`, moved to `to` in `steps` steps, released there.
void Drag(POINT from, POINT to, int steps = 4);
} // namespace pointer

namespace keys {
// One key pressed and released while the modifiers (VK_SHIFT, VK_CONTROL...) are held.
void Press(WORD key, std::initializer_list<WORD> modifiers = {});
inline void Tab() { Press(VK_TAB); }
inline void ShiftTab() { Press(VK_TAB, {VK_SHIFT}); }
inline void Enter() { Press(VK_RETURN); }
inline void Esc() { Press(VK_ESCAPE); }
inline void CtrlA() { Press('A', {VK_CONTROL}); }
// Letters, digits and spaces as key strokes.
void Type(const char* text);
// Any characters as the keyboard's Unicode packets (VK_PACKET), as an input method sends them.
void TypeUnicode(const wchar_t* text);
} // namespace keys

// Presses keys from a helper thread once `ready` holds, and again every half second while it
// still holds (for up to 10 s): for a modal loop that keeps the test's own thread busy. Joined
// at the latest when it goes; true from Join when the keys went.
class KeysWhen {
public:
    KeysWhen(std::function<bool()> ready, std::vector<WORD> keyList, std::initializer_list<WORD> modifiers = {});
    ~KeysWhen();
    KeysWhen(const KeysWhen&) = delete;
    KeysWhen& operator=(const KeysWhen&) = delete;
    bool Join();

private:
    bool sent_ = false;
    std::thread thread_;
};

// Handles this thread's messages until the input sent so far has been taken and the windows
// have answered it (a few quiet rounds).
void Settle();

// The active, focused and capturing windows of the thread that owns `window` (any process).
struct GuiState {
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
};
GuiState GuiStateOf(HWND window);

// Waits, handling this thread's messages, until `done` holds; true when it did within `milliseconds`.
bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 5000);

// The middle of a control, windowed or windowless, in screen coordinates.
POINT CentreOnScreen(const ui::Control& control);

// Where this process's hint window shows on the screen; empty while none shows.
RECT ShownHintBounds();

} // namespace lumetta::test
