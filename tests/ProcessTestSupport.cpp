#include "ProcessTestSupport.h"

namespace lumetta::test {

std::filesystem::path BuildFile(const char* hostPath)
{
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

TestProgram::TestProgram(const std::string& exe, const std::string& arguments, HWND (*findMain)())
    : findMain_(findMain)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
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

} // namespace lumetta::test
