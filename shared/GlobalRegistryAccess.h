#pragma once
// The only road to the registry, the programs' one store. Each routine opens its key for
// exactly the access it needs, does one thing, closes the key and returns the Win32 error
// code of the first failing step (0 = success). None raises; outputs are reset first.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/StringList.h"

namespace lumetta {

inline constexpr const char* AppRegistryKey = "Software\\Orvaneware\\Lumetta";

// Texts go through a zero-filled buffer of this many bytes; the registry is told one less.
inline constexpr DWORD RegStringBufferSize = 2049;
inline constexpr DWORD RegStringQuerySize = 2048;
// Longest REG_SZ text that reads back whole (its terminating zero makes 2048 bytes).
inline constexpr std::size_t MaxRegTextLength = 2047;

LONG ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName, std::string& text);

// Refuses (ERROR_INVALID_PARAMETER) a text that could never be read back, rather than
// storing a value that every later read would lose.
LONG WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                    const std::string& value, DWORD valueType, bool overwrite);

LONG WriteRegInteger(HKEY root, const std::string& keyPath, const std::string& valueName, std::int32_t value);
LONG ReadRegInteger(HKEY root, const std::string& keyPath, const std::string& valueName, std::int32_t& value);

// Sub-key names in the registry's own order. A name too long for the buffer is skipped;
// any other enumeration failure ends the listing with what was gathered.
LONG ListRegSubKeys(HKEY root, const std::string& keyPath, ui::StringList* list);

} // namespace lumetta
