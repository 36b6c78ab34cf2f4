#include "InputSupport.h"

#include <cctype>
#include <vector>

#include "TestSupport.h"
#include "ui/Control.h"

namespace lumetta::test {

namespace {

void SendMouse(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// One key pressed and released while the modifiers are held.
void SendChord(WORD key, const std::vector<WORD>& modifiers)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers)
        inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        inputs.push_back(KeyInput(*it, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace

void Settle()
{
    // Input reaches a thread's queue a little after SendInput returns; the answers to it (a
    // repaint, a posted message) come a little after that.
    int quiet = 0;
    const ULONGLONG end = GetTickCount64() + 2000;
    DispatchUntil(
        [&] {
            quiet = GetQueueStatus(QS_ALLINPUT) == 0 ? quiet + 1 : 0;
            return quiet >= 4 || GetTickCount64() >= end;
        },
        2000);
}

namespace pointer {

void MoveTo(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    // A move of no distance through the input queue: the windows see the pointer arrive.
    SendMouse(MOUSEEVENTF_MOVE);
    Settle();
}

void Press(POINT screen)
{
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Settle();
}

void Release(POINT screen)
{
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Settle();
}

void Click(POINT screen)
{
    Press(screen);
    Release(screen);
}

void DoubleClick(POINT screen)
{
    MoveTo(screen);
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    Settle();
}

void QuickClick(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    Settle();
}

void RightClick(POINT screen)
{
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    Settle();
}

void Drag(POINT from, POINT to, int steps)
{
    Press(from);
    for (int i = 1; i <= steps; ++i)
        MoveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    Release(to);
}

} // namespace pointer

namespace keys {

void Press(WORD key, std::initializer_list<WORD> modifiers)
{
    SendChord(key, modifiers);
    Settle();
}

void Type(const char* text)
{
    for (; *text; ++text) {
        const char c = *text;
        if (std::isupper(static_cast<unsigned char>(c)))
            Press(static_cast<WORD>(c), {VK_SHIFT});
        else
            Press(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
    }
}

void TypeUnicode(const wchar_t* text)
{
    for (; *text; ++text) {
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(*text);
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Settle();
    }
}

} // namespace keys

KeysWhen::KeysWhen(std::function<bool()> ready, std::vector<WORD> keyList, std::initializer_list<WORD> modifiers)
{
    std::vector<WORD> held(modifiers);
    thread_ = std::thread([this, ready = std::move(ready), keyList = std::move(keyList), held] {
        // Again while `ready` still holds: a window that just showed may not have had the focus.
        for (int waited = 0, lastSent = -1000; waited < 10000; waited += 10) {
            const bool holds = ready();
            if (!holds && sent_)
                return;
            if (holds && waited - lastSent >= 500) {
                Sleep(50);
                for (WORD key : keyList)
                    SendChord(key, held);
                sent_ = true;
                lastSent = waited;
            }
            Sleep(10);
        }
    });
}

KeysWhen::~KeysWhen() { Join(); }

bool KeysWhen::Join()
{
    if (thread_.joinable())
        thread_.join();
    return sent_;
}

GuiState GuiStateOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return {};
    return {info.hwndActive, info.hwndFocus, info.hwndCapture};
}

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds) { return DispatchUntil(done, milliseconds); }

POINT CentreOnScreen(const ui::Control& control)
{
    return control.ClientToScreen(POINT{control.Width() / 2, control.Height() / 2});
}

RECT ShownHintBounds()
{
    RECT bounds{};
    HWND hint = FindWindowA("UiHintWindow", nullptr);
    DWORD process = 0;
    GetWindowThreadProcessId(hint, &process);
    if (hint && process == GetCurrentProcessId() && IsWindowVisible(hint))
        GetWindowRect(hint, &bounds);
    return bounds;
}

} // namespace lumetta::test
