#include "IniFile.h"

#include <windows.h>

#include <cstdint>

namespace ui {

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const
{
    char buffer[2048];
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                                            fileName_.c_str());
    return std::string(buffer, length);
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const
{
    return StrToIntDef(ReadString(section, key, ""), defaultValue);
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool TryStrToInt(std::string_view text, std::int32_t& value)
{
    std::string_view digits;
    if (text.starts_with('$'))
        digits = text.substr(1);
    else if (text.starts_with("0x") || text.starts_with("0X"))
        digits = text.substr(2);
    else {
        bool negative = false;
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
            negative = text[0] == '-';
            text.remove_prefix(1);
        }
        if (text.empty())
            return false;
        long long magnitude = 0;
        for (char c : text) {
            if (c < '0' || c > '9')
                return false;
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > 2147483648LL)
                return false;
        }
        long long result = negative ? -magnitude : magnitude;
        if (result > INT32_MAX)
            return false;
        value = static_cast<std::int32_t>(result);
        return true;
    }

    if (digits.empty())
        return false;
    std::uint64_t bits = 0;
    for (char c : digits) {
        int digit = HexDigit(c);
        if (digit < 0)
            return false;
        bits = bits << 4 | static_cast<std::uint64_t>(digit);
        if (bits > 0xFFFFFFFFu)
            return false;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue)
{
    std::int32_t value;
    return TryStrToInt(text, value) ? value : defaultValue;
}

} // namespace ui
