#include "CopyDataCommand.h"

#include <cstring>

namespace lumetta {

HWND FindAgentWindow()
{
    return FindWindowA(AgentWindowClass, AgentWindowTitle);
}

HWND FindEditorWindow()
{
    return FindWindowA(EditorWindowClass, nullptr);
}

std::string CopyDataCommand::Text() const
{
    std::string text(1, Letter);
    text += Argument;
    return text;
}

void CopyDataCommand::Send(HWND target, HWND sender) const
{
    const std::string text = Text();
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = const_cast<char*>(text.data());
    SendMessageA(target, WM_COPYDATA, reinterpret_cast<WPARAM>(sender), reinterpret_cast<LPARAM>(&data));
}

std::optional<CopyDataCommand> CopyDataCommand::Receive(const COPYDATASTRUCT* data)
{
    if (!data || !data->lpData || data->cbData == 0)
        return std::nullopt;
    // The text ends at the first zero byte or after cbData bytes. It is measured in place rather
    // than copied into a buffer of cbData + 1 bytes, which would wrap to nothing for the largest
    // cbData a sender can claim.
    const char* bytes = static_cast<const char*>(data->lpData);
    const void* zero = std::memchr(bytes, 0, data->cbData);
    const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : data->cbData;
    if (length < 2)
        return std::nullopt;
    return CopyDataCommand{bytes[0], std::string(bytes + 1, length - 1)};
}

void RunCopyDataCommand(const COPYDATASTRUCT* data, std::initializer_list<CopyDataAction> actions)
{
    const std::optional<CopyDataCommand> command = CopyDataCommand::Receive(data);
    if (!command)
        return;
    for (const CopyDataAction& action : actions) {
        if (command->Letter != action.Letter || !action.Run)
            continue;
        try {
            action.Run(command->Argument);
        } catch (...) {
            // A failing command is dropped without a word; the sender learns nothing either way.
        }
    }
}

} // namespace lumetta
