#pragma once
// The text commands the two programs send each other with WM_COPYDATA: one command letter
// followed by its argument (a photo-set id or a file path), ANSI, with no terminator and no
// separator. Sending is synchronous: SendMessageA returns when the receiver has acted.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace lumetta {

// How each program finds the other's main window.
inline constexpr const char* AgentWindowClass = "TLMTAgentWndClass";
inline constexpr const char* AgentWindowTitle = "LMTAgentWndClass";
inline constexpr const char* EditorWindowClass = "TLMTSEditorWndClass";

HWND FindAgentWindow();
HWND FindEditorWindow();

struct CopyDataCommand {
    char Letter = 0;
    std::string Argument;

    // The letter and the argument as one text.
    std::string Text() const;

    // Sends the command to `target`; `sender` is the sending program's application window.
    void Send(HWND target, HWND sender) const;

    // The command carried by a received message: the text is cut at its first zero byte (cbData
    // counts no terminator) and a text shorter than two characters is no command.
    static std::optional<CopyDataCommand> Receive(const COPYDATASTRUCT* data);
};

// One letter a receiver knows and what it does with the argument.
struct CopyDataAction {
    char Letter;
    std::function<void(const std::string& argument)> Run;
};

// The receiving end shared by both programs: the received letter is compared with each known
// letter in turn, case-sensitively, and each matching action runs in a guard of its own that
// swallows any failure; unknown letters are ignored.
void RunCopyDataCommand(const COPYDATASTRUCT* data, std::initializer_list<CopyDataAction> actions);

} // namespace lumetta
