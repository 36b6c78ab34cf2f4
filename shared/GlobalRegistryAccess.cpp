#include "GlobalRegistryAccess.h"

#include <array>
#include <cstring>

namespace lumetta {

namespace {

constexpr DWORD SubKeyBufferSize = 261;
constexpr DWORD SubKeyQueryChars = 260;

// Owns an open key for the length of one routine.
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }
    LONG Close()
    {
        if (!key_)
            return ERROR_SUCCESS;
        LONG rc = RegCloseKey(key_);
        key_ = nullptr;
        return rc;
    }

private:
    HKEY key_ = nullptr;
};

LONG CreateKey(HKEY root, const std::string& keyPath, REGSAM access, RegKey& key)
{
    return RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           key.Out(), nullptr);
}

// A REG_MULTI_SZ list as lines: empty pieces before the first text vanish, later ones add a break.
std::string JoinMultiString(const char* bytes, std::size_t count)
{
    std::string work(bytes, count);
    std::string text;
    std::size_t zero;
    while ((zero = work.find('\0')) != std::string::npos) {
        std::string piece = work.substr(0, zero);
        work.erase(0, zero + 1);
        if (text.empty())
            text = piece;
        else
            text += "\r\n" + piece;
    }
    return text;
}

} // namespace

LONG ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName, std::string& text)
{
    text.clear();
    RegKey key;
    LONG rc = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Out());
    if (rc != ERROR_SUCCESS)
        return rc;

    std::array<char, RegStringBufferSize> buffer{};
    DWORD type = 0;
    DWORD size = RegStringQuerySize;
    rc = RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                          &size);
    if (rc != ERROR_SUCCESS)
        return rc;

    if (type == REG_MULTI_SZ)
        text = size > 0 ? JoinMultiString(buffer.data(), size - 1) : std::string();
    else
        text = buffer.data();
    return key.Close();
}

LONG WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& value,
                    DWORD valueType, bool overwrite)
{
    const bool multi = valueType == REG_MULTI_SZ;
    const std::size_t textLength = multi ? value.size() : std::strlen(value.c_str());
    if (multi ? textLength > RegStringBufferSize : textLength > MaxRegTextLength)
        return ERROR_INVALID_PARAMETER;

    RegKey key;
    LONG rc = CreateKey(root, keyPath, overwrite ? KEY_WRITE : (KEY_READ | KEY_WRITE), key);
    if (rc != ERROR_SUCCESS)
        return rc;

    std::array<char, RegStringBufferSize> buffer{};
    if (!overwrite) {
        DWORD size = RegStringQuerySize;
        if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) == ERROR_SUCCESS)
            return ERROR_FILE_EXISTS;
        buffer.fill(0);
    }

    std::memcpy(buffer.data(), value.data(), textLength);
    const DWORD count = static_cast<DWORD>(multi ? textLength : textLength + 1);
    rc = RegSetValueExA(key.Get(), valueName.c_str(), 0, valueType, reinterpret_cast<const BYTE*>(buffer.data()),
                        count);
    if (rc != ERROR_SUCCESS)
        return rc;
    return key.Close();
}

LONG WriteRegInteger(HKEY root, const std::string& keyPath, const std::string& valueName, std::int32_t value)
{
    RegKey key;
    LONG rc = CreateKey(root, keyPath, KEY_WRITE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    rc = RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value);
    if (rc != ERROR_SUCCESS)
        return rc;
    return key.Close();
}

LONG ReadRegInteger(HKEY root, const std::string& keyPath, const std::string& valueName, std::int32_t& value)
{
    value = 0;
    RegKey key;
    LONG rc = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.Out());
    if (rc != ERROR_SUCCESS)
        return rc;
    std::array<unsigned char, 4> buffer{};
    DWORD size = sizeof buffer;
    rc = RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr, buffer.data(), &size);
    // Whatever the query left in the buffer is the value: absent gives 0, short data is zero-padded.
    std::memcpy(&value, buffer.data(), sizeof value);
    if (rc != ERROR_SUCCESS)
        return rc;
    return key.Close();
}

LONG ListRegSubKeys(HKEY root, const std::string& keyPath, ui::StringList* list)
{
    if (!list)
        return ERROR_OUTOFMEMORY;
    list->Clear();
    RegKey key;
    LONG rc = RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.Out());
    if (rc != ERROR_SUCCESS)
        return rc;

    for (DWORD index = 0;; ++index) {
        std::array<char, SubKeyBufferSize> name{};
        DWORD size = SubKeyQueryChars;
        rc = RegEnumKeyExA(key.Get(), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS)
            list->Add(name.data());
        else if (rc != ERROR_MORE_DATA)
            break; // ERROR_NO_MORE_ITEMS, or the key went away under us: stop with what we have
    }
    return key.Close();
}

} // namespace lumetta
