// What tests/InstallerTest.sh asks inside its Wine prefix; prints UTF-8, one answer a line.
//   run EXE [ARGS]         starts EXE with ARGS exactly as given (NSIS wants /D= unquoted), waits,
//                          and exits with its exit code
//   processes NAME         the running processes whose file is NAME: id, a space, the program's full path
//   shown CLASS            the number of visible top-level windows of that class
//   value KEY NAME...      each HKCU value (text or number), "(absent)" for one that is not there
//   key KEY                exit code 0 when the HKCU key exists, 1 when not
//   version FILE...        each file's version resource: fixed file version and the strings
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.c_str(), 1, bytes.size() - 1, stdout);
    std::fputc('\n', stdout);
}

int Run(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 255;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 255;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

int Processes(const std::wstring& name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, name.c_str()) != 0)
            continue;
        wchar_t path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process) {
            QueryFullProcessImageNameW(process, 0, path, &size);
            CloseHandle(process);
        }
        Print(std::to_wstring(entry.th32ProcessID) + L" " + path);
    }
    CloseHandle(snapshot);
    return 0;
}

int Shown(const std::wstring& className)
{
    struct Search {
        const std::wstring* className;
        int count = 0;
    } search{&className};
    EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t name[256] = {};
        GetClassNameW(window, name, 256);
        if (*s->className == name && IsWindowVisible(window))
            ++s->count;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    Print(std::to_wstring(search.count));
    return 0;
}

void Value(const std::wstring& key, const std::wstring& name)
{
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, &type, nullptr, &size) != ERROR_SUCCESS) {
        Print(L"(absent)");
        return;
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY, &type, data.data(), &size);
    if (type == REG_DWORD)
        Print(std::to_wstring(*reinterpret_cast<const DWORD*>(data.data())));
    else
        Print(data.c_str());
}

int Key(const std::wstring& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return 1;
    RegCloseKey(handle);
    return 0;
}

void Version(const std::wstring& file)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, block.data())) {
        Print(L"(none)");
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
        Print(L"Fixed=" + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
              std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) +
              L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS)));
    for (const wchar_t* name : {L"CompanyName", L"ProductName", L"FileDescription", L"FileVersion", L"ProductVersion"}) {
        wchar_t* text = nullptr;
        std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text)
            Print(std::wstring(name) + L"=" + text);
    }
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    auto arg = [&](int i) { return i < count ? std::wstring(args[i]) : std::wstring(); };
    const std::wstring command = arg(1);
    int result = 2;
    if (command == L"run")
        result = Run(arg(2), arg(3));
    else if (command == L"processes")
        result = Processes(arg(2));
    else if (command == L"shown")
        result = Shown(arg(2));
    else if (command == L"value") {
        for (int i = 3; i < count; ++i)
            Value(arg(2), arg(i));
        result = 0;
    }
    else if (command == L"key")
        result = Key(arg(2));
    else if (command == L"version") {
        for (int i = 2; i < count; ++i)
            Version(arg(i));
        result = 0;
    }
    LocalFree(args);
    std::fflush(stdout);
    return result;
}
