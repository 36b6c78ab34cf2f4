#pragma once
// Reading INI files through the platform's private-profile functions: section and key names
// match without regard to case, a value is at most 2047 characters, and an absent key reads as
// the default. Nothing is kept open between reads.
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

class IniFile {
public:
    explicit IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& FileName() const { return fileName_; }
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // The value converted with StrToIntDef.
    std::int32_t ReadInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;

private:
    std::string fileName_;
};

// Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$" (at most 32 bits, taken as
// the 32-bit pattern: "$FFFFFFFF" is -1). Any other text, or a decimal out of range, fails.
bool TryStrToInt(std::string_view text, std::int32_t& value);
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);

} // namespace ui
