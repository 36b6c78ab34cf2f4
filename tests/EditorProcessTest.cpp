// The editor as a program of its own: a second start forwarding or restoring, the command line,
// the agent's start, and the agent's commands sent from this process in its place. Every
// process a test starts is ended by that test.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "AgentTestSupport.h"
#include "ImageSupport.h"
#include "InputSupport.h"
#include "ProcessTestSupport.h"
#include "shared/CopyDataCommand.h"

using namespace lumetta;
using lumetta::test::AgentStage;
using lumetta::test::AgentStandIn;
using lumetta::test::BuildFile;
using lumetta::test::ShownChild;
using lumetta::test::WaitUntil;
using Program = lumetta::test::TestProgram;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-00000000000A}";

// The note's edit box.
std::string NoteText(HWND editor)
{
    HWND memo = nullptr;
    EnumChildWindows(editor, [](HWND child, LPARAM data) -> BOOL {
        char name[32];
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Edit") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(data) = child;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&memo));
    // Another process's edit box tells its text only when asked by message.
    char text[256] = {};
    SendMessageA(memo, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

class EditorProgram : public ::testing::Test {
protected:
    AgentStage stage;
    std::string editorExe;

    void SetUp() override
    {
        editorExe = stage.Dir() + "lmtsedit.exe";
        std::filesystem::copy_file(BuildFile(LMTSEDIT_EXE), editorExe);
        std::filesystem::copy_file(BuildFile(LUMETTA_DIST_DIR "english.lng"), stage.Dir() + "english.lng");
    }
    // A second editor, which must end by itself.
    void StartSecond(const std::string& arguments) const
    {
        Program second(editorExe, arguments, FindEditorWindow);
        ASSERT_TRUE(second.Started());
        EXPECT_TRUE(second.WaitForExit(15000));
        EXPECT_EQ(second.ExitCode(), 0u);
    }
    static void Minimise(HWND editor)
    {
        PostMessageA(editor, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(editor) != FALSE; }));
    }
};

TEST_F(EditorProgram, SecondEditorForwardsAnExistingPhotoRestoresAndEnds)
{
    AgentStandIn agent;
    const std::string photo = stage.Dir() + "photo.png";
    test::SaveImageFile(photo, 80, 60, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 80, 60, RGB(20, 90, 200)); });
    Program first(editorExe, "", FindEditorWindow);
    HWND editor = first.WaitForMainWindow();
    ASSERT_TRUE(editor);
    ASSERT_EQ(NoteText(editor), "Type your note here");
    Minimise(editor);

    // Neither a missing file nor "-edit" reaches the first editor.
    StartSecond("-open \"" + photo + ".missing\"");
    StartSecond("-edit " + IdA);
    Sleep(200);
    EXPECT_TRUE(IsIconic(editor));

    StartSecond("-open \"" + photo + "\"");
    EXPECT_FALSE(IsIconic(editor));
    EXPECT_EQ(NoteText(editor), "");

    // Without arguments the second one brings the first one back.
    Minimise(editor);
    StartSecond("");
    EXPECT_FALSE(IsIconic(editor));
    EXPECT_EQ(FindEditorWindow(), editor);
}

// A shortcut opened twice at once: one editor stays, the other hands over and ends.
TEST_F(EditorProgram, TwoEditorsStartedTogetherLeaveOne)
{
    AgentStandIn agent;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        Program first(editorExe, "", FindEditorWindow, true);
        Program second(editorExe, "", FindEditorWindow, true);
        ASSERT_TRUE(first.Started() && second.Started());
        first.Resume();
        second.Resume();
        const auto running = [&] { return int{!first.WaitForExit(0)} + int{!second.WaitForExit(0)}; };
        ASSERT_TRUE(WaitUntil([&] { return running() < 2; }));
        const Program& stays = first.WaitForExit(0) ? second : first;
        ASSERT_TRUE(stays.WaitForMainWindow());
        Sleep(500);
        EXPECT_EQ(running(), 1);
        EXPECT_EQ(test::TopLevelWindows(first.Id(), EditorWindowClass).size() +
                      test::TopLevelWindows(second.Id(), EditorWindowClass).size(),
                  1u);
    }
}

// What a stand-in editor received by "O".
std::string ReceivedOpen;

TEST_F(EditorProgram, SecondEditorForwardsTheFullPathOfARelativeName)
{
    test::StandInWindow running(EditorWindowClass, "", test::RecordCopyData<ReceivedOpen>);
    ReceivedOpen.clear();
    test::TempFolder elsewhere;
    elsewhere.Write("photo.png", "not read");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    Program second(editorExe, "-open photo.png", FindEditorWindow);
    std::filesystem::current_path(before);
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(test::DispatchUntil([&] { return second.WaitForExit(0); }, 15000));
    EXPECT_EQ(ReceivedOpen, "O" + elsewhere.Dir() + "photo.png");
}

TEST_F(EditorProgram, EditSwitchOpensTheStoredSet)
{
    AgentStandIn agent;
    stage.Store(IdA, {});
    Program editor(editorExe, "-edit " + IdA, FindEditorWindow);
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(ShownChild(window, "Apply Changes"));
    EXPECT_FALSE(ShownChild(window, "Done! Place on the Desktop"));
}

TEST_F(EditorProgram, StartsActiveWithTheKeyboardFocusInside)
{
    AgentStandIn agent;
    const std::string photo = stage.Dir() + "photo.png";
    test::SaveImageFile(photo, 80, 60, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 80, 60, RGB(20, 90, 200)); });
    for (const std::string& arguments : {std::string(), "-open " + photo}) {
        SCOPED_TRACE(arguments);
        Program editor(editorExe, arguments, FindEditorWindow);
        HWND window = editor.WaitForMainWindow();
        ASSERT_TRUE(window);
        const auto activeWithFocusInside = [&] {
            const test::GuiState state = test::GuiStateOf(window);
            return state.active == window && state.focus && IsChild(window, state.focus);
        };
        EXPECT_TRUE(WaitUntil(activeWithFocusInside, 5000));
    }
}

TEST_F(EditorProgram, StartsTheAgentWhenNoneRuns)
{
    std::filesystem::copy_file(BuildFile(LMTAGENT_EXE), stage.Dir() + "lmtagent.exe");
    ASSERT_FALSE(FindAgentWindow());
    Program editor(editorExe, "", FindEditorWindow);
    ASSERT_TRUE(editor.WaitForMainWindow());
    ASSERT_TRUE(WaitUntil([] { return FindAgentWindow() != nullptr; }));
    DWORD process = 0;
    GetWindowThreadProcessId(FindAgentWindow(), &process);
    Program agent(process, FindAgentWindow);
    EXPECT_TRUE(agent.Started());
}

TEST_F(EditorProgram, AgentCommandsMoveBetweenThePages)
{
    AgentStandIn agent;
    stage.Store(IdA, {});
    Program editor(editorExe, "", FindEditorWindow);
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(ShownChild(window, "Done! Place on the Desktop"));

    CopyDataCommand{'E', IdA}.Send(window, nullptr);
    EXPECT_TRUE(ShownChild(window, "Apply Changes"));
    CopyDataCommand{'R', "-"}.Send(window, nullptr);
    EXPECT_FALSE(ShownChild(window, "Apply Changes"));
    EXPECT_TRUE(ShownChild(window, "Remove Photo"));
    CopyDataCommand{'N', "-"}.Send(window, nullptr);
    EXPECT_TRUE(ShownChild(window, "Done! Place on the Desktop"));
    EXPECT_FALSE(ShownChild(window, "Remove Photo"));
}

} // namespace
