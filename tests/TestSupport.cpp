#include "TestSupport.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <algorithm>
#include <chrono>

namespace lumetta::test {

namespace {
std::string UniqueSuffix()
{
    static std::atomic<int> counter{0};
    return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + "-" +
           std::to_string(counter++);
}
} // namespace

ScratchRegistryKey::ScratchRegistryKey() : path_("Software\\LumettaTests\\" + UniqueSuffix())
{
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegCloseKey(key);
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
}

RegistryValueGuard::RegistryValueGuard(HKEY root, std::string keyPath, std::string valueName)
    : root_(root), keyPath_(std::move(keyPath)), valueName_(std::move(valueName))
{
    HKEY key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, valueName_.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size);
        RegQueryValueExA(key, valueName_.c_str(), nullptr, &type, data.data(), &size);
        saved_.emplace(type, std::move(data));
    }
    RegCloseKey(key);
}

RegistryValueGuard::~RegistryValueGuard()
{
    if (saved_) {
        SetRawValue(root_, keyPath_, valueName_, saved_->first, saved_->second.data(),
                    static_cast<DWORD>(saved_->second.size()));
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(root_, keyPath_.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, valueName_.c_str());
        RegCloseKey(key);
    }
}

RegistryKeyGuard::RegistryKeyGuard(HKEY root, std::string keyPath)
    : root_(root), keyPath_(std::move(keyPath)), backup_("Software\\LumettaTests\\backup-" + UniqueSuffix())
{
    if (!KeyExists(root_, keyPath_)) {
        backup_.clear();
        return;
    }
    HKEY dest;
    RegCreateKeyExA(HKEY_CURRENT_USER, backup_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dest, nullptr);
    RegCopyTreeA(root_, keyPath_.c_str(), dest);
    RegCloseKey(dest);
}

RegistryKeyGuard::~RegistryKeyGuard()
{
    RegDeleteTreeA(root_, keyPath_.c_str());
    RegDeleteKeyA(root_, keyPath_.c_str());
    if (backup_.empty())
        return;
    HKEY dest;
    RegCreateKeyExA(root_, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dest, nullptr);
    RegCopyTreeA(HKEY_CURRENT_USER, backup_.c_str(), dest);
    RegCloseKey(dest);
    RegDeleteTreeA(HKEY_CURRENT_USER, backup_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, backup_.c_str());
}

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::filesystem::path(base) / ("lumetta-test-" + UniqueSuffix());
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::Dir() const
{
    std::string dir = path_.string();
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

void TempFolder::Write(const std::string& name, const std::string& content) const
{
    std::ofstream out(path_ / name, std::ios::binary);
    out << content;
}

void SetRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type, const void* data,
                 DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + keyPath);
    RegSetValueExA(key, valueName.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

bool DispatchUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return false;
        // Not only messages make `done` hold: look again at least every few milliseconds.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 5)), QS_ALLINPUT);
    }
}

bool SeenDialog::Has(int button) const
{
    return std::find(buttons.begin(), buttons.end(), button) != buttons.end();
}

bool SeenDialog::Shows(const std::wstring& text) const
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

DialogPresser::DialogPresser(int button, DWORD guiThread, DWORD patience)
    : done_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    // Connect this thread to its desktop and display before the helper starts: under Wine two
    // threads making a process's first window calls at once can block each other for good.
    GetDesktopWindow();
    GetSystemMetrics(SM_CXSCREEN);
    thread_ = std::thread([this, button, guiThread, patience] {
        Run(button, guiThread, patience);
        SetEvent(done_);
    });
}

DialogPresser::~DialogPresser()
{
    Join();
    CloseHandle(done_);
}

const SeenDialog& DialogPresser::Join()
{
    // The helper's window calls may need this thread to answer: keep its messages flowing.
    while (MsgWaitForMultipleObjects(1, &done_, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (thread_.joinable())
        thread_.join();
    return seen_;
}

namespace {

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassName(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    if (ClassName(window) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK RecordControl(HWND control, LPARAM seen)
{
    auto& dialog = *reinterpret_cast<SeenDialog*>(seen);
    const std::wstring kind = ClassName(control);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        const LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON)
            dialog.buttons.push_back(GetDlgCtrlID(control));
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        dialog.texts.push_back(WindowText(control));
    }
    return TRUE;
}

} // namespace

HWND VisibleDialogOf(DWORD thread)
{
    HWND dialog = nullptr;
    EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

void DialogPresser::Run(int button, DWORD guiThread, DWORD patience)
{
    // A dialog counts once its buttons stand: a modal loop may show the window before it has them.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience);
    HWND dialog = nullptr;
    for (;;) {
        dialog = VisibleDialogOf(guiThread);
        if (dialog) {
            seen_ = SeenDialog{};
            EnumChildWindows(dialog, RecordControl, reinterpret_cast<LPARAM>(&seen_));
            if (!seen_.buttons.empty())
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        Sleep(20);
    }
    if (!dialog)
        return;
    seen_.found = true;
    seen_.caption = WindowText(dialog);
    // What the button tells its dialog when clicked; without the asked-for button any other
    // still ends the modal loop, so that the test fails instead of hanging.
    const int pressed = seen_.Has(button) ? button : seen_.buttons.empty() ? IDCANCEL : seen_.buttons.front();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(pressed, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, pressed)));
}

bool KeyExists(HKEY root, const std::string& keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace lumetta::test
