#include "TestSupport.h"

#include <atomic>
#include <fstream>
#include <stdexcept>

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

bool KeyExists(HKEY root, const std::string& keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool UsePrivateDesktop()
{
    // Kept for the whole run: the thread's windows live on it.
    static HDESK desktop = CreateDesktopA(("LumettaTest-" + UniqueSuffix()).c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    return desktop && SetThreadDesktop(desktop);
}

} // namespace lumetta::test
