// The editor and the real agent as programs of their own: a photo placed with Enter becomes a
// stored set and an agent window at its place; Apply, Hide/Show and Remove make the agent's
// windows follow; the agent's Remove makes the editor's view page refresh; placements made and
// left with the real pointer and keys while the agent shows the last one; a placed or applied
// photo that never leaves its place while the agent renders it. Every process a test starts is
// ended by that test.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "AgentTestSupport.h"
#include "ImageSupport.h"
#include "InputSupport.h"
#include "ProcessTestSupport.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"

using namespace lumetta;
using lumetta::test::AgentStage;
using lumetta::test::BuildFile;
using lumetta::test::DialogPresser;
using lumetta::test::ShownChild;
using lumetta::test::TopLevelWindows;
using lumetta::test::WaitUntil;
using Program = lumetta::test::TestProgram;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-00000000000A}";

std::vector<std::string> StoredIds()
{
    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    std::vector<std::string> result;
    for (int i = 0; i < ids.Count(); ++i)
        result.push_back(ids[i]);
    return result;
}

class PhotoSetsWithAgent : public ::testing::Test {
protected:
    AgentStage stage;
    std::string editorExe;

    void SetUp() override
    {
        editorExe = stage.Dir() + "lmtsedit.exe";
        std::filesystem::copy_file(BuildFile(LMTSEDIT_EXE), editorExe);
        std::filesystem::copy_file(BuildFile(LMTAGENT_EXE), stage.Dir() + "lmtagent.exe");
        std::filesystem::copy_file(BuildFile(LUMETTA_DIST_DIR "english.lng"), stage.Dir() + "english.lng");
    }
    // The editor started with a new photo of one colour.
    std::unique_ptr<Program> EditorWithPhoto(COLORREF colour, int width = 320, int height = 240)
    {
        const std::string photo = stage.Dir() + "photo.png";
        test::SaveImageFile(photo, width, height,
                            [&](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, width, height, colour); });
        return std::make_unique<Program>(editorExe, "-open \"" + photo + "\"", FindEditorWindow);
    }
    // The agent the editor started, taken over so that the test ends it.
    static std::unique_ptr<Program> StartedAgent()
    {
        if (!WaitUntil([] { return FindAgentWindow() != nullptr; }))
            return nullptr;
        DWORD process = 0;
        GetWindowThreadProcessId(FindAgentWindow(), &process);
        return std::make_unique<Program>(process, FindAgentWindow);
    }
    static std::vector<HWND> Frames(const Program& agent) { return TopLevelWindows(agent.Id(), "TLMTWndClass"); }
    // Clicks a button as the user would, without waiting for what it starts (a modal loop).
    static bool Click(HWND window, const std::string& caption)
    {
        HWND button = nullptr;
        if (!WaitUntil([&] { return (button = ShownChild(window, caption)) != nullptr; }, 5000))
            return false;
        PostMessageA(button, BM_CLICK, 0, 0);
        return true;
    }
    static RECT Place(HWND window)
    {
        RECT place{};
        GetWindowRect(window, &place);
        return place;
    }
    // Whether one of the shown windows lies over `spot`.
    static bool Covers(const std::vector<HWND>& windows, POINT spot)
    {
        return std::any_of(windows.begin(), windows.end(), [&](HWND window) {
            const RECT place = Place(window);
            return PtInRect(&place, spot) != FALSE;
        });
    }
    // Looks every few milliseconds until `done`: false when `covered` failed at any look, or
    // `done` never came. A look goes through the windows one by one, and one window shown over
    // another that then goes can slip past it: a failed look is looked at again at once.
    static bool CoveredUntil(const std::function<bool()>& covered, const std::function<bool()>& done)
    {
        bool always = true;
        for (const ULONGLONG end = GetTickCount64() + 30000; !done(); Sleep(2)) {
            always = always && (covered() || covered());
            if (GetTickCount64() > end)
                return false;
        }
        return always;
    }
};

TEST_F(PhotoSetsWithAgent, PlacedEditedHiddenShownAndRemoved)
{
    const std::unique_ptr<Program> started = EditorWithPhoto(RGB(200, 60, 40));
    const Program& editor = *started;
    const std::string photo = stage.Dir() + "photo.png";
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    const std::unique_ptr<Program> agent = StartedAgent();
    ASSERT_TRUE(agent);
    ASSERT_TRUE(WaitUntil([&] { return agent->MainWindow() != nullptr; }));
    EXPECT_TRUE(Frames(*agent).empty());

    // Done, then Enter on the placement window.
    ASSERT_TRUE(Click(window, "Done! Place on the Desktop"));
    std::vector<HWND> placement;
    ASSERT_TRUE(WaitUntil([&] { return !(placement = TopLevelWindows(editor.Id(), "TLMTSEditorPreviewWndClass")).empty(); }));
    EXPECT_FALSE(IsWindowVisible(window));
    PostMessageA(placement[0], WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(WaitUntil([&] { return Frames(*agent).size() == 1; }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    const std::vector<std::string> ids = StoredIds();
    ASSERT_EQ(ids.size(), 1u);
    const std::string id = ids[0];
    std::string stored;
    ReadRegString(HKEY_CURRENT_USER, PhotoSetKey(id), "PhotoFile", stored);
    EXPECT_EQ(stored, photo);
    ReadRegString(HKEY_CURRENT_USER, PhotoSetKey(id), "PhotoNotes", stored);
    EXPECT_EQ(stored, ""); // the keys that show the desktop typed nothing into the note
    EXPECT_EQ(stage.Read(id, "Transparency"), 100);
    ASSERT_EQ(Frames(*agent).size(), 1u);
    const HWND placed = Frames(*agent)[0];
    EXPECT_EQ(Place(placed).left, stage.Read(id, "X"));
    EXPECT_EQ(Place(placed).top, stage.Read(id, "Y"));

    // Edit (as the agent's menu asks), change the note, Apply: the agent reopens the window.
    CopyDataCommand{'E', id}.Send(window, nullptr);
    HWND note = FindWindowExA(ShownChild(window, "Photo Notes"), nullptr, "Edit", nullptr);
    ASSERT_TRUE(note);
    SendMessageA(note, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed note"));
    ASSERT_TRUE(Click(window, "Apply Changes"));
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<HWND> frames = Frames(*agent);
        return frames.size() == 1 && frames[0] != placed;
    }));
    ReadRegString(HKEY_CURRENT_USER, PhotoSetKey(id), "PhotoNotes", stored);
    EXPECT_EQ(stored, "Changed note");
    ASSERT_EQ(Frames(*agent).size(), 1u);
    EXPECT_EQ(Place(Frames(*agent)[0]).left, stage.Read(id, "X"));

    // The view page's Hide and Show.
    ASSERT_TRUE(Click(window, "Hide Photo"));
    EXPECT_TRUE(WaitUntil([&] { return Frames(*agent).empty(); }));
    EXPECT_EQ(stage.Read(id, "Hidden"), 1);
    ASSERT_TRUE(Click(window, "Show Photo"));
    EXPECT_TRUE(WaitUntil([&] { return Frames(*agent).size() == 1; }));
    EXPECT_EQ(stage.Read(id, "Hidden"), 0);

    // Remove, answered Yes.
    ASSERT_TRUE(Click(window, "Remove Photo"));
    DialogPresser yes(IDYES, GetWindowThreadProcessId(window, nullptr), 15000);
    EXPECT_TRUE(yes.Join().found);
    EXPECT_TRUE(WaitUntil([&] { return Frames(*agent).empty() && StoredIds().empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return !ShownChild(window, "Remove Photo"); }));
}

TEST_F(PhotoSetsWithAgent, TheAgentsRemoveRefreshesTheViewPage)
{
    stage.Store(IdA, {{"X", 60}, {"Y", 40}});
    Program editor(editorExe, "", FindEditorWindow);
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    const std::unique_ptr<Program> agent = StartedAgent();
    ASSERT_TRUE(agent);
    ASSERT_TRUE(WaitUntil([&] { return Frames(*agent).size() == 1; }));
    // To the view page: open the set for editing, then discard.
    CopyDataCommand{'E', IdA}.Send(window, nullptr);
    ASSERT_TRUE(Click(window, "Discard Changes"));
    ASSERT_TRUE(WaitUntil([&] { return ShownChild(window, "Remove Photo") != nullptr; }));

    ASSERT_EQ(Frames(*agent).size(), 1u);
    HWND frame = Frames(*agent)[0];
    PostMessageA(frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame), -1);
    ASSERT_TRUE(WaitUntil([&] { return !TopLevelWindows(agent->Id(), "#32768").empty(); }));
    for (int i = 0; i < 3; ++i) { // up from the end: Exit, Hide, Remove
        PostMessageA(frame, WM_KEYDOWN, VK_UP, 1);
        PostMessageA(frame, WM_KEYUP, VK_UP, 0xC0000001);
    }
    PostMessageA(frame, WM_KEYDOWN, VK_RETURN, 1);
    DialogPresser yes(IDYES, GetWindowThreadProcessId(frame, nullptr), 15000);
    EXPECT_TRUE(yes.Join().found);
    EXPECT_TRUE(WaitUntil([&] { return !stage.SetExists(IdA); }));
    EXPECT_TRUE(WaitUntil([&] { return !ShownChild(window, "Remove Photo"); }));
}

TEST_F(PhotoSetsWithAgent, EachNextPlacementTakesTheKeysWhileTheAgentShowsTheLast)
{
    const std::unique_ptr<Program> started = EditorWithPhoto(RGB(40, 160, 60));
    const Program& editor = *started;
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    const std::unique_ptr<Program> agent = StartedAgent();
    ASSERT_TRUE(agent);
    HWND done = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (done = ShownChild(window, "Done! Place on the Desktop")) != nullptr; }));
    RECT button{};
    GetWindowRect(done, &button);
    const POINT onDone{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    const auto placementUp = [&] { return !TopLevelWindows(editor.Id(), "TLMTSEditorPreviewWndClass").empty(); };
    const auto back = [&](std::size_t frames) { return Frames(*agent).size() == frames && IsWindowVisible(window); };
    for (int round = 0; round < 2; ++round) {
        // Done with the pointer, carried towards the top left corner and placed there with a click.
        test::pointer::Click(onDone);
        ASSERT_TRUE(WaitUntil(placementUp)) << round;
        for (int step = 1; step <= 8; ++step)
            test::pointer::MoveTo({onDone.x - (onDone.x - 60 - 40 * round) * step / 8, onDone.y - (onDone.y - 60) * step / 8});
        test::pointer::Click({60 + 40 * round, 60});
        ASSERT_TRUE(WaitUntil([&] { return back(round + 1); })) << round;
        // Done again, and Esc on the keyboard.
        test::pointer::Click(onDone);
        ASSERT_TRUE(WaitUntil(placementUp)) << round;
        test::keys::Esc();
        EXPECT_TRUE(WaitUntil([&] { return !placementUp(); })) << round;
        ASSERT_TRUE(WaitUntil([&] { return back(round + 1); })) << round;
    }
}

// A large photo takes the agent a while to render. Meanwhile the photo stays where the user put
// it: from the placing click the placement window until the agent's frame shows, and on Apply
// the old frame until the new one shows.
TEST_F(PhotoSetsWithAgent, APhotoStaysInPlaceWhileTheAgentRendersIt)
{
    const std::unique_ptr<Program> started = EditorWithPhoto(RGB(60, 90, 200), 2400, 1600);
    const Program& editor = *started;
    HWND window = editor.WaitForMainWindow();
    ASSERT_TRUE(window);
    const std::unique_ptr<Program> agent = StartedAgent();
    ASSERT_TRUE(agent);
    const auto placements = [&] { return TopLevelWindows(editor.Id(), "TLMTSEditorPreviewWndClass"); };

    ASSERT_TRUE(Click(window, "Done! Place on the Desktop"));
    ASSERT_TRUE(WaitUntil([&] { return !placements().empty(); }));
    const POINT spot{120, 120};
    test::pointer::MoveTo(spot);
    ASSERT_TRUE(WaitUntil([&] { return Covers(placements(), spot); }));
    test::pointer::Click(spot);
    EXPECT_TRUE(CoveredUntil([&] { return Covers(placements(), spot) || Covers(Frames(*agent), spot); },
                             [&] { return !Frames(*agent).empty(); }));
    ASSERT_TRUE(WaitUntil([&] { return placements().empty() && IsWindowVisible(window); }));
    const std::vector<std::string> ids = StoredIds();
    ASSERT_EQ(ids.size(), 1u);
    ASSERT_EQ(Frames(*agent).size(), 1u);
    const HWND old = Frames(*agent)[0];

    // Apply, after Edit as the frame's menu asks for it.
    CopyDataCommand{'E', ids[0]}.Send(window, nullptr);
    ASSERT_TRUE(Click(window, "Apply Changes"));
    EXPECT_TRUE(CoveredUntil([&] { return Covers(Frames(*agent), spot); }, [&] {
        const std::vector<HWND> frames = Frames(*agent);
        return frames.size() == 1 && frames[0] != old && Covers(frames, spot);
    }));
}

} // namespace
