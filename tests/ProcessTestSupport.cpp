#include "ProcessTestSupport.h"

#include "shared/CopyDataCommand.h"

namespace lumetta::test {

std::filesystem::path BuildFile(const char* hostPath)
{
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::vector<HWND> TopLevelWindows(DWORD process, const char* className)
{
    struct Search {
        DWORD process;
        const char* className;
        std::vector<HWND> found;
    } search{process, className, {}};
    EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        char name[64];
        GetClassNameA(window, name, sizeof name);
        if (owner == s->process && lstrcmpA(name, s->className) == 0 && IsWindowVisible(window))
            s->found.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ShownChild(HWND window, const std::string& text)
{
    struct Search {
        const std::string* text;
        HWND found = nullptr;
    } search{&text};
    EnumChildWindows(window, [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char buffer[256] = {};
        GetWindowTextA(child, buffer, sizeof buffer);
        if (*s->text == buffer && IsWindowVisible(child)) {
            s->found = child;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TestProgram::TestProgram(const std::string& exe, const std::string& arguments, HWND (*findMain)(), bool suspended)
    : findMain_(findMain)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                        nullptr, nullptr, &startup, &info_))
        info_ = {};
}

TestProgram::TestProgram(DWORD process, HWND (*findMain)()) : findMain_(findMain)
{
    info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, process);
    info_.dwProcessId = process;
}

DWORD TestProgram::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND TestProgram::MainWindow() const
{
    HWND window = findMain_();
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == Id() ? window : nullptr;
}

HWND TestProgram::WaitForMainWindow() const
{
    WaitUntil([&] { return MainWindow() && IsWindowVisible(MainWindow()); });
    return MainWindow();
}

void TestProgram::Stop()
{
    if (!Started())
        return;
    if (!WaitForExit(0)) {
        if (HWND window = MainWindow())
            PostMessageA(window, WM_CLOSE, 0, 0);
        if (!WaitForExit(10000))
            TerminateProcess(info_.hProcess, 1);
        WaitForExit(INFINITE);
    }
    if (info_.hThread)
        CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    info_ = {};
}

StandInWindow::StandInWindow(const char* className, const char* title, WNDPROC proc) : className_(className)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    window_ = CreateWindowA(className, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
}

StandInWindow::~StandInWindow()
{
    DestroyWindow(window_);
    // The next stand-in may bring a procedure of its own.
    UnregisterClassA(className_, GetModuleHandleA(nullptr));
}

AgentStandIn::AgentStandIn(WNDPROC proc) : StandInWindow(AgentWindowClass, AgentWindowTitle, proc) {}

} // namespace lumetta::test
