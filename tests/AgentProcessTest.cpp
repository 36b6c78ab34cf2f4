// The agent as a program of its own: started from an install folder, driven from this process
// through its windows and text commands, and always ended by the test that started it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "AgentTestSupport.h"
#include "ImageBytes.h"
#include "ProcessTestSupport.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalPhotoSet.h"

using namespace lumetta;
using lumetta::test::AgentStage;
using lumetta::test::BuildFile;
using lumetta::test::DialogPresser;
using lumetta::test::TopLevelWindows;
using lumetta::test::WaitUntil;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-00000000000A}";
const std::string IdB = "{B2222222-0000-4000-8000-00000000000B}";
const std::string IdC = "{C3333333-0000-4000-8000-00000000000C}";

class AgentProcess : public test::TestProgram {
public:
    explicit AgentProcess(const std::string& exe) : TestProgram(exe, "", FindAgentWindow) {}

    DWORD GuiThread() const { return GetWindowThreadProcessId(MainWindow(), nullptr); }
    std::vector<HWND> Frames() const { return TopLevelWindows(Id(), "TLMTWndClass"); }
    bool WaitForFrames(std::size_t count) const
    {
        return WaitUntil([&] { return MainWindow() && Frames().size() == count; });
    }
};

// Every stored value of every photo set, as text, to compare before and after.
std::string DumpPhotoSets()
{
    std::ostringstream dump;
    HKEY sets;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PhotoSetsKey, 0, KEY_READ, &sets) != ERROR_SUCCESS)
        return "none";
    char name[260];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(sets, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        dump << "[" << name << "]\n";
        HKEY set;
        if (RegOpenKeyExA(sets, name, 0, KEY_READ, &set) != ERROR_SUCCESS)
            continue;
        char value[260];
        BYTE data[2048];
        for (DWORD j = 0;; ++j) {
            DWORD valueLength = sizeof value, size = sizeof data, type = 0;
            if (RegEnumValueA(set, j, value, &valueLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            dump << value << "=" << type << ":" << std::string(reinterpret_cast<char*>(data), size) << "\n";
        }
        RegCloseKey(set);
    }
    RegCloseKey(sets);
    return dump.str();
}

class AgentProgram : public ::testing::Test {
protected:
    AgentStage stage;
    std::string agentExe;

    void SetUp() override
    {
        agentExe = stage.Dir() + "lmtagent.exe";
        std::filesystem::copy_file(BuildFile(LMTAGENT_EXE), agentExe);
        std::filesystem::copy_file(BuildFile(FAKE_EDITOR_EXE), stage.Dir() + "lmtsedit.exe");
    }

    // Opens a frame's menu as a right click would, and waits until it shows.
    static bool OpenMenu(const AgentProcess& agent, HWND frame)
    {
        PostMessageA(frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame), -1);
        return WaitUntil([&] { return !TopLevelWindows(agent.Id(), "#32768").empty(); });
    }
    static void Key(HWND frame, WORD key)
    {
        PostMessageA(frame, WM_KEYDOWN, key, 1);
        PostMessageA(frame, WM_KEYUP, key, 0xC0000001);
    }
};

TEST_F(AgentProgram, SecondAgentEndsAtOnceWithoutEffect)
{
    stage.Store(IdA, {{"X", 10}});
    AgentProcess first(agentExe);
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(first.WaitForFrames(1));
    const std::vector<HWND> frames = first.Frames();
    const std::string before = DumpPhotoSets();

    AgentProcess second(agentExe);
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitForExit(10000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(first.Frames(), frames);
    EXPECT_TRUE(first.MainWindow());
    EXPECT_EQ(DumpPhotoSets(), before);
}

TEST_F(AgentProgram, OneFrameWindowPerVisibleSetAtItsPlaceAndSize)
{
    stage.Store(IdA, {{"X", 40}, {"Y", 30}});
    stage.Store(IdB, {{"X", 70}, {"Hidden", 1}});
    stage.Store(IdC, {{"X", 300}, {"Y", 200}, {"Transparency", 50}});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(2));

    InitSharedGlobals(); // the same install folder as the agent's, for the renderer here
    const ui::GpBitmapPtr expected = RenderPhotoSet(IdA);
    const LONG side = static_cast<LONG>(expected->GetWidth());
    ASSERT_GE(side, test::StageFrameSide);
    std::vector<RECT> places;
    for (HWND frame : agent.Frames()) {
        RECT place;
        GetWindowRect(frame, &place);
        places.push_back(place);
        const LONG exStyle = GetWindowLongA(frame, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_LAYERED);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    }
    std::sort(places.begin(), places.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    EXPECT_EQ(places[0].left, 40);
    EXPECT_EQ(places[0].top, 30);
    EXPECT_EQ(places[1].left, 300);
    EXPECT_EQ(places[1].top, 200);
    for (const RECT& place : places) {
        EXPECT_EQ(place.right - place.left, side);
        EXPECT_EQ(place.bottom - place.top, side);
    }
    // The main window exists under its class and title and is never shown.
    HWND main = agent.MainWindow();
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main));
}

TEST_F(AgentProgram, CommandsFromAnotherProcess)
{
    stage.Store(IdA, {{"X", 40}});
    stage.Store(IdC, {{"X", 300}});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(2));
    HWND main = agent.MainWindow();
    const auto lefts = [&] {
        std::vector<LONG> result;
        for (HWND frame : agent.Frames()) {
            RECT place;
            GetWindowRect(frame, &place);
            result.push_back(place.left);
        }
        std::sort(result.begin(), result.end());
        return result;
    };

    CopyDataCommand{'H', IdA}.Send(main, nullptr);
    EXPECT_EQ(lefts(), std::vector<LONG>{300});
    CopyDataCommand{'h', IdC}.Send(main, nullptr);
    EXPECT_EQ(lefts(), std::vector<LONG>{300});
    CopyDataCommand{'S', IdA}.Send(main, nullptr);
    EXPECT_EQ(lefts(), (std::vector<LONG>{40, 300}));
    stage.Store(IdA, {{"X", 500}});
    CopyDataCommand{'U', IdA}.Send(main, nullptr);
    EXPECT_EQ(lefts(), (std::vector<LONG>{300, 500}));
}

TEST_F(AgentProgram, APhotoWhoseTilesWouldBreakTheDecoderLeavesTheOtherSetsShowing)
{
    const std::string photo = stage.Dir() + "tiles.tif";
    std::ofstream(photo, std::ios::binary) << test::HugeTileTiff(false);
    stage.Store(IdA, {{"X", 40}});
    stage.StoreText(IdA, "PhotoFile", photo);
    stage.Store(IdB, {{"X", 200}});
    stage.Store(IdC, {{"X", 360}});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(3)); // its own set with the cannot-load picture
    EXPECT_FALSE(agent.WaitForExit(500));
    EXPECT_EQ(agent.Frames().size(), 3u);
}

TEST_F(AgentProgram, EditWithoutEditorStartsItFromTheInstallFolder)
{
    stage.Store(IdA, {});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(1));
    HWND frame = agent.Frames().front();
    ASSERT_TRUE(OpenMenu(agent, frame));
    Key(frame, VK_DOWN); // Create New...
    Key(frame, VK_DOWN); // Edit...
    Key(frame, VK_RETURN);
    const std::filesystem::path record = stage.Install().Path() / "editor-args.txt";
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(record) && std::filesystem::file_size(record) > 0; }));
    Sleep(100); // the stand-in has written and ended
    std::ifstream in(record, std::ios::binary);
    std::string arguments((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(arguments, "-edit " + IdA);
}

TEST_F(AgentProgram, ExitAnsweredYesEndsTheAgentAndWritesNothing)
{
    stage.Store(IdA, {{"X", 40}, {"Y", 30}, {"Transparency", 70}});
    stage.Store(IdB, {{"X", 200}});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(2));
    const std::string before = DumpPhotoSets();
    HWND frame = agent.Frames().front();
    ASSERT_TRUE(OpenMenu(agent, frame));
    Key(frame, VK_UP); // the last item: Exit
    Key(frame, VK_RETURN);
    DialogPresser yes(IDYES, agent.GuiThread(), 15000);
    EXPECT_TRUE(yes.Join().found);
    ASSERT_TRUE(agent.WaitForExit(15000));
    EXPECT_EQ(agent.ExitCode(), 0u);
    EXPECT_EQ(DumpPhotoSets(), before);
}

TEST_F(AgentProgram, CommandsWhileAFramesMenuIsOpen)
{
    stage.Store(IdA, {{"X", 40}});
    stage.Store(IdB, {{"X", 300}});
    AgentProcess agent(agentExe);
    ASSERT_TRUE(agent.WaitForFrames(2));
    HWND main = agent.MainWindow();
    const auto frameAt = [&](LONG left) -> HWND {
        for (HWND frame : agent.Frames()) {
            RECT place;
            GetWindowRect(frame, &place);
            if (place.left == left)
                return frame;
        }
        return nullptr;
    };
    const auto menuOpen = [&] { return !TopLevelWindows(agent.Id(), "#32768").empty(); };

    // "H" takes the frame off the desktop at once; Exit chosen in its menu afterwards does nothing.
    HWND a = frameAt(40);
    ASSERT_TRUE(OpenMenu(agent, a));
    CopyDataCommand{'H', IdA}.Send(main, nullptr);
    EXPECT_EQ(agent.Frames().size(), 1u);
    EXPECT_TRUE(IsWindow(a));
    EXPECT_TRUE(menuOpen());
    Key(a, VK_UP); // Exit
    Key(a, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(a); }, 5000)); // freed once its menu returned
    EXPECT_FALSE(test::VisibleDialogOf(agent.GuiThread()));
    EXPECT_FALSE(agent.WaitForExit(0));

    // "U" replaces the frame; Lock chosen in the old frame's menu stores nothing.
    HWND b = frameAt(300);
    ASSERT_TRUE(OpenMenu(agent, b));
    CopyDataCommand{'U', IdB}.Send(main, nullptr);
    HWND reopened = frameAt(300);
    EXPECT_TRUE(reopened && reopened != b);
    EXPECT_TRUE(menuOpen());
    for (int item = 0; item < 4; ++item) // Create New, Edit, Save as, Lock
        Key(b, VK_DOWN);
    Key(b, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(b); }, 5000));
    EXPECT_FALSE(stage.Has(IdB, "Locked"));
    EXPECT_EQ(agent.Frames(), std::vector<HWND>{reopened});
}

} // namespace
