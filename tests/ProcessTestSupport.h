#pragma once
// Programs of this build started by a test under Wine: found by their main window, ended by the
// test that started them.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace lumetta::test {

// A file of this build as Wine names it (the host's root is drive Z:).
std::filesystem::path BuildFile(const char* hostPath);

// The visible top-level windows of a process with this class name.
std::vector<HWND> TopLevelWindows(DWORD process, const char* className);

// A visible control of the window whose text is `text`, or null.
HWND ShownChild(HWND window, const std::string& text);

// Polls the condition every 25 ms until it holds or the patience is used up; true when it holds.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD patience = 15000)
{
    for (DWORD waited = 0; waited < patience; waited += 25) {
        if (condition())
            return true;
        Sleep(25);
    }
    return condition();
}

// A program of this build, started with arguments (or taken over by its process id), whose main
// window `findMain` finds. Ended by WM_CLOSE to that window, or by force, at the latest when the
// object goes.
class TestProgram {
public:
    // A program started `suspended` runs from Resume on.
    TestProgram(const std::string& exe, const std::string& arguments, HWND (*findMain)(), bool suspended = false);
    TestProgram(DWORD process, HWND (*findMain)());
    ~TestProgram() { Stop(); }
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    void Resume() const { ResumeThread(info_.hThread); }
    DWORD Id() const { return info_.dwProcessId; }
    bool WaitForExit(DWORD patience) const { return WaitForSingleObject(info_.hProcess, patience) == WAIT_OBJECT_0; }
    DWORD ExitCode() const;
    // The window findMain finds when it belongs to this process, else null.
    HWND MainWindow() const;
    // Waits until the main window is visible; null when it never is.
    HWND WaitForMainWindow() const;
    void Stop();

private:
    HWND (*findMain_)();
    PROCESS_INFORMATION info_{};
};

// Stands in for one of the programs: a window the other finds by its class and title, handling
// messages with proc.
class StandInWindow {
public:
    StandInWindow(const char* className, const char* title, WNDPROC proc);
    ~StandInWindow();
    StandInWindow(const StandInWindow&) = delete;
    StandInWindow& operator=(const StandInWindow&) = delete;

private:
    const char* className_;
    HWND window_;
};

// A stand-in's procedure that keeps the text of the last WM_COPYDATA in `received`.
template <std::string& received>
LRESULT CALLBACK RecordCopyData(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COPYDATA)
        return DefWindowProcA(window, message, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
}

// The agent's stand-in, found by the editor.
class AgentStandIn : public StandInWindow {
public:
    explicit AgentStandIn(WNDPROC proc = DefWindowProcA);
};

} // namespace lumetta::test
