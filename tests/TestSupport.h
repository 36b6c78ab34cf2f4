#pragma once
// Helpers for tests that touch the registry or the file system: each leaves things as it found them.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <thread>
#include <optional>
#include <string>
#include <vector>

namespace lumetta::test {

// A private key under HKEY_CURRENT_USER, removed with everything below it at the end.
class ScratchRegistryKey {
public:
    ScratchRegistryKey();
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Saves one value of a key (or its absence) and puts it back at the end.
class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, std::string keyPath, std::string valueName);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

private:
    HKEY root_;
    std::string keyPath_, valueName_;
    std::optional<std::pair<DWORD, std::vector<BYTE>>> saved_;
};

// Saves a whole key (values and sub-keys) and restores it exactly at the end.
class RegistryKeyGuard {
public:
    RegistryKeyGuard(HKEY root, std::string keyPath);
    ~RegistryKeyGuard();
    RegistryKeyGuard(const RegistryKeyGuard&) = delete;
    RegistryKeyGuard& operator=(const RegistryKeyGuard&) = delete;

private:
    HKEY root_;
    std::string keyPath_;
    std::string backup_;
};

// A fresh folder under the temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    // The folder as a Windows path text with a trailing backslash.
    std::string Dir() const;
    void Write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path path_;
};

// Dispatches this thread's messages as they come until `done` holds or `milliseconds` have
// passed; true when it holds. Wakes for every message and every few milliseconds.
bool DispatchUntil(const std::function<bool()>& done, DWORD milliseconds = 3000);
inline void DispatchFor(DWORD milliseconds) { DispatchUntil([] { return false; }, milliseconds); }

// The first visible dialog window (a message box, a task dialog) of a thread, or null.
HWND VisibleDialogOf(DWORD thread);

// What a helper thread saw of a dialog and which button it pressed.
struct SeenDialog {
    bool found = false;
    std::wstring caption;
    std::vector<int> buttons;          // ids of the push buttons
    std::vector<std::wstring> texts;   // the texts of the static controls
    bool Has(int button) const;
    bool Shows(const std::wstring& text) const;
};

// Waits on a helper thread for the first visible dialog of `guiThread` (a modal loop running
// there), records it and presses `button`; a dialog without that button gets another pressed. Gives up
// after `patience` without a dialog. Join() before reading Seen().
class DialogPresser {
public:
    explicit DialogPresser(int button, DWORD guiThread = GetCurrentThreadId(), DWORD patience = 10000);
    ~DialogPresser();
    DialogPresser(const DialogPresser&) = delete;
    DialogPresser& operator=(const DialogPresser&) = delete;
    const SeenDialog& Join();

private:
    void Run(int button, DWORD guiThread, DWORD patience);
    SeenDialog seen_;
    HANDLE done_;
    std::thread thread_;
};

// Sets a value of a key directly with the platform call (for tests that need odd types).
void SetRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                 const void* data, DWORD size);
bool KeyExists(HKEY root, const std::string& keyPath);

} // namespace lumetta::test
