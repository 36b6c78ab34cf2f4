#pragma once
// Language files: the numbered messages of each program and the captions, texts and filters of
// its windows, read from the chosen language file with "english.lng" filling every gap.
#include <array>
#include <cstdint>
#include <string>

#include "ui/Font.h"
#include "ui/Form.h"

namespace lumetta {

inline constexpr int MessageCount = 100;
inline constexpr const char* DefaultLanguageFile = "english.lng";

// The program's messages, filled once at start; empty until then.
extern std::array<std::string, MessageCount> Messages;

// Fills Messages from the language files in the program's own folder.
void LoadMessages();
// Translates a window and its components from the language files in the installation folder,
// section by section; returns the chosen file's version (major << 16 + minor).
std::int32_t TranslateForm(ui::Form& form, const std::string& section);
// Gives a font in an unusual face the icon-title font's face at the same size and style.
void FixFont(ui::Font& font);

// The same two with the folder given (ending in a backslash).
void LoadMessagesFrom(const std::string& programDir);
std::int32_t TranslateFormIn(ui::Form& form, const std::string& section, const std::string& installDir);

// "\n" (backslash, lower-case n) becomes CR LF, every occurrence.
std::string ExpandLineBreaks(const std::string& text);

} // namespace lumetta
