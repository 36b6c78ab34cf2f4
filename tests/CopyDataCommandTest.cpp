#include "shared/CopyDataCommand.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace lumetta;

namespace {

COPYDATASTRUCT Message(const std::string& bytes)
{
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = const_cast<char*>(bytes.data());
    return data;
}

std::optional<CopyDataCommand> Parse(const std::string& bytes)
{
    const COPYDATASTRUCT data = Message(bytes);
    return CopyDataCommand::Receive(&data);
}

TEST(CopyDataCommand, ReceivedTextIsLetterAndArgument)
{
    auto command = Parse("U{6B1A2C3D-0000-4000-8000-0123456789AB}");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Letter, 'U');
    EXPECT_EQ(command->Argument, "{6B1A2C3D-0000-4000-8000-0123456789AB}");

    // A path with blanks and non-ASCII ANSI bytes passes untouched.
    command = Parse("OC:\\My Pictures\\caf\xe9.jpg");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Argument, "C:\\My Pictures\\caf\xe9.jpg");

    // The shortest command: a letter and one character.
    command = Parse("Sx");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Argument, "x");
}

TEST(CopyDataCommand, TextsUnderTwoCharactersAreNoCommand)
{
    EXPECT_FALSE(Parse("U"));
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(CopyDataCommand::Receive(nullptr));
    COPYDATASTRUCT noData{};
    noData.cbData = 5;
    EXPECT_FALSE(CopyDataCommand::Receive(&noData));
}

TEST(CopyDataCommand, ZeroByteCutsTheText)
{
    using namespace std::string_literals;
    auto command = Parse("H{ab\0cd}"s);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Argument, "{ab");
    // Cut down to the letter alone, it is ignored.
    EXPECT_FALSE(Parse("U\0{id}"s));
    EXPECT_FALSE(Parse("\0U{id}"s));
    // cbData is trusted over a terminator that lies beyond it.
    const char bytes[] = "Habcdef";
    COPYDATASTRUCT data{};
    data.cbData = 3;
    data.lpData = const_cast<char*>(bytes);
    command = CopyDataCommand::Receive(&data);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->Argument, "ab");
}

TEST(CopyDataCommand, DispatchIsCaseSensitiveAndGuardsEachAction)
{
    std::vector<std::string> seen;
    auto run = [&](const std::string& bytes) {
        const COPYDATASTRUCT data = Message(bytes);
        RunCopyDataCommand(&data, {
            {'U', [&](const std::string& id) { seen.push_back("U" + id); }},
            {'H', [&](const std::string&) { throw std::runtime_error("failing action"); }},
            {'S', [&](const std::string& id) { seen.push_back("S" + id); }},
        });
    };
    run("u{id}");
    run("X{id}");
    run("U");
    EXPECT_TRUE(seen.empty());
    EXPECT_NO_THROW(run("H{id}"));
    run("U{a}");
    run("S{b}");
    EXPECT_EQ(seen, (std::vector<std::string>{"U{a}", "S{b}"}));
}

// A window of this process that records what WM_COPYDATA brings.
struct Recorded {
    WPARAM sender = 0;
    ULONG_PTR dwData = 1;
    std::string raw;
};
Recorded* recorder = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA && recorder) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        recorder->sender = wParam;
        recorder->dwData = data->dwData;
        recorder->raw.assign(static_cast<const char*>(data->lpData), data->cbData);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(CopyDataCommand, SendCarriesTheBareTextAndTheSender)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumettaCopyDataTestTarget";
    RegisterClassA(&wc);
    HWND target = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_TRUE(target);
    Recorded recorded;
    recorder = &recorded;
    CopyDataCommand{'E', "{42}"}.Send(target, target);
    recorder = nullptr;
    DestroyWindow(target);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);

    EXPECT_EQ(recorded.raw, "E{42}");  // no terminator counted
    EXPECT_EQ(recorded.dwData, 0u);
    EXPECT_EQ(recorded.sender, reinterpret_cast<WPARAM>(target));
}

} // namespace
