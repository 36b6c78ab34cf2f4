// The agent's windows inside the test process: the main window with its list and commands, and
// the frame windows' mouse, menu and close paths.
#include "agent/AgentMain.h"
#include "agent/AgentPhotoFrameU.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "AgentTestSupport.h"
#include "FramedPhotoTestSupport.h"
#include "ImageBytes.h"
#include "ImageSupport.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Application.h"
#include "ui/Screen.h"

using namespace lumetta;
using lumetta::test::AgentStage;
using lumetta::test::DialogPresser;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-000000000001}";
const std::string IdB = "{B2222222-0000-4000-8000-000000000002}";
const std::string IdC = "{C3333333-0000-4000-8000-000000000003}";

class AgentWindow : public ::testing::Test {
protected:
    AgentStage stage;
    ui::Owned<TLMTAgentWndClass> agent;

    void Start()
    {
        agent.reset(new TLMTAgentWndClass());
        agent->Loaded();
    }
    TLMTWndClass* Frame(const std::string& id) const
    {
        const int entry = FrameWindows->IndexOf(id);
        return entry < 0 ? nullptr : static_cast<TLMTWndClass*>(FrameWindows->Object(entry));
    }
    void Send(char letter, const std::string& argument) const
    {
        CopyDataCommand{letter, argument}.Send(agent->Handle(), nullptr);
    }
    void SendRaw(const std::string& text) const
    {
        COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
        SendMessageA(agent->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    static void Mouse(TLMTWndClass* frame, UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(frame->Handle(), message, keys, MAKELPARAM(x, y));
    }
    static ui::CursorId ScreenCursor() { return ui::Screen::Instance().Cursor(); }
};

TEST_F(AgentWindow, DragMovesTheFrameAndButtonUpStoresItsPlace)
{
    stage.Store(IdA, {{"X", 100}, {"Y", 50}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    EXPECT_EQ(ScreenCursor(), 3);

    Mouse(frame, WM_LBUTTONDOWN, MK_LBUTTON, 10, 12);
    EXPECT_TRUE(frame->Dragging);
    EXPECT_EQ(ScreenCursor(), 2);
    Mouse(frame, WM_MOUSEMOVE, MK_LBUTTON, 40, 2);
    EXPECT_EQ(frame->Left(), 130);
    EXPECT_EQ(frame->Top(), 40);
    RECT placed;
    GetWindowRect(frame->Handle(), &placed);
    EXPECT_EQ(placed.left, 130);
    EXPECT_EQ(placed.top, 40);
    EXPECT_EQ(stage.Read(IdA, "X"), 100); // nothing stored while dragging
    Mouse(frame, WM_LBUTTONUP, 0, 40, 2);
    EXPECT_FALSE(frame->Dragging);
    EXPECT_EQ(ScreenCursor(), 3);
    EXPECT_EQ(stage.Read(IdA, "X"), 130);
    EXPECT_EQ(stage.Read(IdA, "Y"), 40);

    // Any button released over an unlocked frame stores its place, moved or not.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, PhotoSetKey(IdA).c_str(), "X");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, PhotoSetKey(IdA).c_str(), "Y");
    frame->FormMouseUp(*frame, ui::MouseButton::Right, 0, 5, 5);
    EXPECT_EQ(stage.Read(IdA, "X"), 130);
    EXPECT_EQ(stage.Read(IdA, "Y"), 40);
}

TEST_F(AgentWindow, FramesStoredOffTheScreenShowOnItAndKeepTheirStoredPlace)
{
    const std::pair<std::int32_t, std::int32_t> stored[] = {{5000, 3000}, {-2000, 100}, {400, -5000}, {300, 300}};
    const std::string ids[] = {IdA, IdB, IdC, "{D4444444-0000-4000-8000-000000000004}"};
    for (int i = 0; i < 4; ++i)
        stage.Store(ids[i], {{"X", stored[i].first}, {"Y", stored[i].second}});
    Start();
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (int i = 0; i < 4; ++i) {
        TLMTWndClass* frame = Frame(ids[i]);
        ASSERT_TRUE(frame) << i;
        RECT shown{}, onScreen{};
        GetWindowRect(frame->Handle(), &shown);
        IntersectRect(&onScreen, &shown, &screen);
        EXPECT_GE(onScreen.right - onScreen.left, 40) << i;
        EXPECT_GE(onScreen.bottom - onScreen.top, 40) << i;
        EXPECT_TRUE(IsWindowVisible(frame->Handle())) << i;
        // All of the frame itself, not just its window's transparent margin.
        const RECT seen = lumetta::test::SeenOnScreen(*frame);
        EXPECT_FALSE(IsRectEmpty(&seen)) << i;
        IntersectRect(&onScreen, &seen, &screen);
        EXPECT_TRUE(EqualRect(&onScreen, &seen)) << i;

        // Clicks, the left button without a move as well, store nothing for a frame shown moved.
        frame->FormMouseUp(*frame, ui::MouseButton::Right, 0, 10, 10);
        Mouse(frame, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
        Mouse(frame, WM_MOUSEMOVE, MK_LBUTTON, 10, 10);
        Mouse(frame, WM_LBUTTONUP, 0, 10, 10);
        EXPECT_EQ(stage.Read(ids[i], "X"), stored[i].first) << i;
        EXPECT_EQ(stage.Read(ids[i], "Y"), stored[i].second) << i;
    }
    // The one on the screen lies exactly where it was stored; the others the shortest way in.
    RECT shown{};
    GetWindowRect(Frame(ids[3])->Handle(), &shown);
    EXPECT_EQ(shown.left, 300);
    EXPECT_EQ(shown.top, 300);
    GetWindowRect(Frame(IdB)->Handle(), &shown);
    EXPECT_EQ(shown.top, 100);
    GetWindowRect(Frame(IdC)->Handle(), &shown);
    EXPECT_EQ(shown.left, 400);
}

TEST_F(AgentWindow, LockedFrameStaysAndStoresNothing)
{
    stage.Store(IdA, {{"Locked", 1}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->LockedFlag);
    EXPECT_TRUE(frame->miLock->Checked());
    EXPECT_EQ(ScreenCursor(), ui::crDefault);

    Mouse(frame, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
    Mouse(frame, WM_MOUSEMOVE, MK_LBUTTON, 60, 70);
    Mouse(frame, WM_LBUTTONUP, 0, 60, 70);
    EXPECT_EQ(frame->Left(), 0);
    EXPECT_EQ(frame->Top(), 0);
    EXPECT_FALSE(stage.Has(IdA, "X"));
    EXPECT_FALSE(stage.Has(IdA, "Y"));
    EXPECT_EQ(ScreenCursor(), ui::crDefault);
}

TEST_F(AgentWindow, LockOnTopAndFadeAreStoredAtOnce)
{
    stage.Store(IdA, {{"OnTop", 1}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    const auto topmost = [&] { return (GetWindowLongA(frame->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(frame->miOnTop->Checked());
    EXPECT_TRUE(topmost());

    frame->miLock->Click();
    EXPECT_EQ(stage.Read(IdA, "Locked"), 1);
    EXPECT_TRUE(frame->LockedFlag);
    EXPECT_EQ(ScreenCursor(), ui::crDefault);
    frame->miLock->Click();
    EXPECT_EQ(stage.Read(IdA, "Locked"), 0);
    EXPECT_FALSE(frame->LockedFlag);
    EXPECT_EQ(ScreenCursor(), 3);

    frame->miOnTop->Click();
    EXPECT_EQ(stage.Read(IdA, "OnTop"), 0);
    EXPECT_FALSE(topmost());
    frame->miOnTop->Click();
    EXPECT_EQ(stage.Read(IdA, "OnTop"), 1);
    EXPECT_TRUE(topmost());

    EXPECT_FALSE(frame->miFade->Checked());
    frame->miFade->Click();
    EXPECT_EQ(stage.Read(IdA, "FadeIn"), 1);
    frame->miFade->Click();
    EXPECT_EQ(stage.Read(IdA, "FadeIn"), 0);
}

TEST_F(AgentWindow, OpacityItemsFollowTheStoredValueAndStoreTheChoice)
{
    const std::pair<std::int32_t, const char*> cases[] = {{95, "N1001"}, {5, "N101"}, {150, "N1001"}, {70, "N701"}};
    std::string ids[4];
    for (int i = 0; i < 4; ++i) {
        ids[i] = "{D000000" + std::to_string(i) + "-0000-4000-8000-000000000000}";
        stage.Store(ids[i], {{"Transparency", cases[i].first}});
    }
    stage.Store(IdA, {}); // absent: "100%"
    stage.StoreText(IdA, "Frame", "");
    Start();
    for (int i = 0; i < 4; ++i) {
        TLMTWndClass* frame = Frame(ids[i]);
        ASSERT_TRUE(frame) << cases[i].first;
        for (int item = 0; item < OpacityItemCount; ++item) {
            ui::MenuItem& opacity = frame->miTransparency->Items(item);
            EXPECT_EQ(opacity.Checked(), opacity.Name() == cases[i].second) << cases[i].first << " " << opacity.Name();
        }
    }
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->N1001->Checked());
    frame->N701->Click();
    EXPECT_EQ(stage.Read(IdA, "Transparency"), 70);
    EXPECT_TRUE(frame->N701->Checked());
    EXPECT_FALSE(frame->N1001->Checked());
    frame->N101->Click();
    EXPECT_EQ(stage.Read(IdA, "Transparency"), 10);
}

TEST_F(AgentWindow, CommandsOpenCloseAndReopenByCaseInsensitiveId)
{
    stage.Store(IdA, {{"X", 10}});
    stage.Store(IdB, {{"Hidden", 1}});
    Start();
    ASSERT_EQ(FrameWindows->Count(), 1);
    TLMTWndClass* first = Frame(IdA);
    ASSERT_TRUE(first);
    // The new object may well take the freed one's address; its window is new all the same.
    const HWND firstWindow = first->Handle();

    Send('S', IdA);                          // already open
    EXPECT_EQ(Frame(IdA), first);
    Send('H', IdC);                          // never open
    Send('S', IdB);                          // still hidden
    EXPECT_EQ(FrameWindows->Count(), 1);
    SendRaw("u" + IdA);                      // lower-case letter
    SendRaw("U");                            // letter alone
    SendRaw("");
    EXPECT_EQ(Frame(IdA), first);

    stage.Store(IdA, {{"X", 300}});
    Send('U', IdA);
    TLMTWndClass* second = Frame(IdA);
    ASSERT_TRUE(second);
    EXPECT_NE(second->Handle(), firstWindow);
    EXPECT_FALSE(IsWindow(firstWindow));
    EXPECT_EQ(second->Left(), 300);
    EXPECT_EQ(FrameWindows->Count(), 1);

    std::string lower = IdA;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    Send('H', lower);
    EXPECT_EQ(FrameWindows->Count(), 0);

    stage.Store(IdB, {{"Hidden", 0}});
    Send('S', IdB);
    EXPECT_TRUE(Frame(IdB));
    stage.Store(IdC, {});
    Send('U', IdC);                          // not listed: just opened
    EXPECT_TRUE(Frame(IdC));
    EXPECT_EQ(FrameWindows->Count(), 2);
    stage.Store(IdC, {{"Hidden", 1}});
    Send('U', IdC);                          // hidden meanwhile: closed
    RegDeleteKeyA(HKEY_CURRENT_USER, PhotoSetKey(IdB).c_str());
    Send('U', IdB);                          // removed meanwhile: closed
    EXPECT_EQ(FrameWindows->Count(), 0);
}

TEST_F(AgentWindow, CommandsOpenNothingForSetsThatAreNotStored)
{
    stage.Store(IdA, {});
    const std::string below = IdA + "\\Inner";
    stage.Store(below, {});                  // a key below a set is no set
    Start();
    ASSERT_EQ(FrameWindows->Count(), 1);
    for (const std::string& id : {IdB, std::string(5000, 'S'), std::string("..\\..\\..\\Software"),
                                  below, std::string(256, 'A')}) {
        Send('S', id);
        Send('U', id);
    }
    EXPECT_EQ(FrameWindows->Count(), 1);
    EXPECT_FALSE(stage.SetExists(IdB));
}

TEST_F(AgentWindow, WithoutPhotoSetsTheAgentStartsAndOpensLater)
{
    Start();
    EXPECT_EQ(FrameWindows->Count(), 0);
    stage.Store(IdA, {{"Y", 20}});
    Send('S', IdA);
    ASSERT_TRUE(Frame(IdA));
    EXPECT_EQ(Frame(IdA)->Top(), 20);
}

// The start's render workers for the life of the object: "1" renders one set at a time.
class StartWorkers {
public:
    explicit StartWorkers(const char* count) { SetEnvironmentVariableA(StartWorkersVariable, count); }
    ~StartWorkers() { SetEnvironmentVariableA(StartWorkersVariable, nullptr); }
};

// What the start opened: the listed ids in order, each window's place and picture.
struct OpenedFrame {
    std::string Id;
    int Left, Top;
    bool Visible;
    std::vector<Gdiplus::ARGB> Pixels;
    bool operator==(const OpenedFrame&) const = default;
};

std::vector<OpenedFrame> OpenedFrames()
{
    std::vector<OpenedFrame> opened;
    for (int i = 0; i < FrameWindows->Count(); ++i) {
        auto* frame = static_cast<TLMTWndClass*>(FrameWindows->Object(i));
        OpenedFrame o{(*FrameWindows)[i], frame->Left(), frame->Top(), IsWindowVisible(frame->Handle()) != FALSE, {}};
        if (frame->FrameImage) {
            const test::PixelGrid grid(*frame->FrameImage);
            for (int y = 0; y < grid.Height(); ++y)
                for (int x = 0; x < grid.Width(); ++x)
                    o.Pixels.push_back(grid.At(x, y));
        }
        opened.push_back(std::move(o));
    }
    return opened;
}

// A set whose one-row photo area cannot be embossed, so that its render raises.
void StoreFailingSet(const AgentStage& stage, const std::string& id)
{
    constexpr int ThinSide = 120;
    THoldRect thin{20, 20, 100, 20};
    for (int bottom = 18; bottom <= 24; ++bottom) {
        thin.Bottom = bottom;
        if (FramedGeometry(ThinSide, ThinSide, thin, 1.0).PartHeight == 1)
            break;
    }
    ASSERT_EQ(FramedGeometry(ThinSide, ThinSide, thin, 1.0).PartHeight, 1);
    stage.AddFrame("thin.ini", ThinSide, ThinSide, thin);
    stage.StoreText(id, "Frame", "thin.ini");
    stage.Store(id, {{"Emboss", 1}});
}

std::string StorePhoto(const AgentStage& stage, const std::string& name, int width, int height, COLORREF color)
{
    const std::string path = stage.Dir() + name;
    test::SaveImageFile(path, width, height, [&](Gdiplus::Graphics& g) {
        test::FillArea(g, 0, 0, width, height, color);
        test::FillArea(g, width / 4, height / 4, width / 2, height / 2, RGB(250, 240, 10));
    }, L"image/jpeg");
    return path;
}

TEST_F(AgentWindow, SetThatFailsToRenderIsSkippedAndTheRestOpen)
{
    stage.Store(IdA, {});
    StoreFailingSet(stage, IdB);
    stage.Store(IdC, {});
    {
        test::DebugOutputCapture output;
        Start();
        // One line for the skipped set, with a reason after its id.
        const std::string text = output.Text();
        const std::string line = "photo set " + IdB + " not opened: ";
        EXPECT_NE(text.find(line), std::string::npos) << text;
        EXPECT_GT(text.find('\n', text.find(line)), text.find(line) + line.size()) << text;
        EXPECT_EQ(text.find(IdA), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
    EXPECT_TRUE(Frame(IdA));
    EXPECT_FALSE(Frame(IdB));
    EXPECT_TRUE(Frame(IdC));
    Send('U', IdB); // swallowed by the command's guard
    EXPECT_FALSE(Frame(IdB));
    EXPECT_EQ(FrameWindows->Count(), 2);
    // A shown set that no longer renders loses its window, as it would stay away after a start.
    const HWND shown = Frame(IdA)->Handle();
    StoreFailingSet(stage, IdA);
    Send('U', IdA);
    EXPECT_FALSE(Frame(IdA));
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(FrameWindows->Count(), 1);
}

TEST_F(AgentWindow, StartOnWorkersOpensWhatOneByOneOpens)
{
    const std::string photo = StorePhoto(stage, "photo.jpg", 900, 600, RGB(20, 90, 200));
    const std::string ids[] = {"{10000000-0000-4000-8000-000000000001}", "{20000000-0000-4000-8000-000000000002}",
                               "{30000000-0000-4000-8000-000000000003}", "{40000000-0000-4000-8000-000000000004}",
                               "{50000000-0000-4000-8000-000000000005}"};
    stage.StoreText(ids[0], "PhotoFile", photo);
    stage.Store(ids[0], {{"X", 10}, {"Y", 20}, {"Transparency", 50}});
    StoreFailingSet(stage, ids[1]);
    stage.StoreText(ids[2], "PhotoFile", photo);
    stage.Store(ids[2], {{"Hidden", 1}});
    stage.StoreText(ids[3], "PhotoFile", photo);
    stage.StoreText(ids[3], "PhotoNotes", "Lake\r\nnote");
    stage.Store(ids[3], {{"RotationAngle", 7}, {"Sepia", 1}, {"Brightness", 40}, {"NotesPos", 4}, {"X", 300}});
    stage.StoreText(ids[4], "PhotoFile", stage.Dir() + "missing.jpg"); // placeholder, listed last

    std::vector<OpenedFrame> oneByOne;
    Gdiplus::Status statusOneByOne;
    {
        const StartWorkers one("1");
        Start();
        oneByOne = OpenedFrames();
        statusOneByOne = LastPhotoStatus;
        agent.reset();
    }
    LastPhotoStatus = Gdiplus::Ok;
    Start();
    const std::vector<OpenedFrame> pooled = OpenedFrames();

    ASSERT_EQ(oneByOne.size(), 3u); // the failing and the hidden set have none
    EXPECT_EQ(oneByOne[0].Id, ids[0]);
    EXPECT_EQ(oneByOne[1].Id, ids[3]);
    EXPECT_EQ(oneByOne[2].Id, ids[4]);
    EXPECT_TRUE(pooled == oneByOne);
    // The GUI thread is left with the status of the last set's load, as after loading it itself.
    EXPECT_NE(statusOneByOne, Gdiplus::Ok);
    EXPECT_EQ(LastPhotoStatus, statusOneByOne);
    LastPhotoStatus = Gdiplus::Ok;
}

TEST_F(AgentWindow, StartWithMoreSetsThanWorkersOpensAllInRegistryOrder)
{
    // Large photos first, so that later sets finish before earlier ones.
    for (int i = 0; i < 9; ++i) {
        char id[40], photo[16];
        std::snprintf(id, sizeof id, "{%d0000000-0000-4000-8000-000000000000}", i + 1);
        std::snprintf(photo, sizeof photo, "p%d.jpg", i);
        const int width = 1600 - 150 * i;
        stage.StoreText(id, "PhotoFile", StorePhoto(stage, photo, width, width * 3 / 4, RGB(20 * i, 100, 200)));
        stage.Store(id, {{"X", 40 * i}});
    }
    ui::StringList order;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &order);
    ASSERT_EQ(order.Count(), 9);

    const StartWorkers two("2");
    Start();
    ASSERT_EQ(FrameWindows->Count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ((*FrameWindows)[i], order[i]);
        auto* frame = static_cast<TLMTWndClass*>(FrameWindows->Object(i));
        EXPECT_TRUE(IsWindowVisible(frame->Handle()));
        EXPECT_EQ(frame->Left(), stage.Read(order[i], "X"));
    }
}

TEST_F(AgentWindow, APhoneJpegOfOrientation6ShowsUpright)
{
    // Stored as landscape pixels red, green / blue, yellow; upright it is blue, red / yellow, green.
    const std::string photo = stage.Dir() + "phone.jpg";
    test::SaveJpegWithSegment(photo, 160, 120, [](Gdiplus::Graphics& g) {
        test::FillArea(g, 0, 0, 80, 60, RGB(255, 0, 0));
        test::FillArea(g, 80, 0, 80, 60, RGB(0, 255, 0));
        test::FillArea(g, 0, 60, 80, 60, RGB(0, 0, 255));
        test::FillArea(g, 80, 60, 80, 60, RGB(255, 255, 0));
    }, test::ExifSegment(test::ExifTiff(false, 6)));
    stage.StoreText(IdA, "PhotoFile", photo);
    stage.Store(IdA, {{"X", 10}, {"Y", 10}});
    Start();
    const TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame && frame->FrameImage);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    // The 120 x 160 photo lies on a 213 x 160 canvas at x = 46, squeezed into the 82 x 82 photo
    // area at (20, 20) of the frame, which lies at (25, 25) of the 170 x 170 picture: the middle of
    // each quarter of the upright photo.
    const test::PixelGrid grid(*frame->FrameImage);
    ASSERT_EQ(grid.Width(), 170);
    const auto colour = [&](int x, int y) { return RGB(grid.Red(x, y), grid.Green(x, y), grid.Blue(x, y)); };
    EXPECT_TRUE(test::Near(colour(74, 65), RGB(0, 0, 255), 40)) << std::hex << colour(74, 65);
    EXPECT_TRUE(test::Near(colour(97, 65), RGB(255, 0, 0), 40)) << std::hex << colour(97, 65);
    EXPECT_TRUE(test::Near(colour(74, 106), RGB(255, 255, 0), 40)) << std::hex << colour(74, 106);
    EXPECT_TRUE(test::Near(colour(97, 106), RGB(0, 255, 0), 40)) << std::hex << colour(97, 106);
    EXPECT_TRUE(test::Near(colour(50, 85), RGB(255, 255, 255), 8)) << std::hex << colour(50, 85); // a white band
}

// Runs a frame's menu command the way the menu does: inside a message the frame is handling.
void RunInsideHandler(TLMTWndClass* frame, const std::function<void()>& command)
{
    constexpr UINT RunCommand = WM_APP + 1;
    frame->BindMessage(RunCommand, [command](ui::Message&) { command(); });
    SendMessageA(frame->Handle(), RunCommand, 0, 0);
}

TEST_F(AgentWindow, RemoveAskedAndAnswered)
{
    stage.Store(IdA, {{"X", 1}});
    stage.Store(IdB, {{"X", 2}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    HWND handle = frame->Handle();

    {
        DialogPresser no(IDNO);
        RunInsideHandler(frame, [&] { frame->miRemove->Click(); });
        ASSERT_TRUE(no.Join().found);
    }
    EXPECT_TRUE(stage.SetExists(IdA));
    EXPECT_EQ(Frame(IdA), frame);
    EXPECT_TRUE(frame->miRemove->Enabled());

    {
        DialogPresser yes(IDYES);
        RunInsideHandler(frame, [&] { frame->miRemove->Click(); });
        ASSERT_TRUE(yes.Join().found);
    }
    EXPECT_FALSE(stage.SetExists(IdA));
    EXPECT_FALSE(Frame(IdA));
    EXPECT_FALSE(IsWindow(handle));   // freed once its handler returned
    EXPECT_TRUE(Frame(IdB));
    EXPECT_TRUE(stage.SetExists(IdB));
}

TEST_F(AgentWindow, HideStoresHiddenAndClosesTheFrame)
{
    stage.Store(IdA, {});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    HWND handle = frame->Handle();
    RunInsideHandler(frame, [&] { frame->miHide->Click(); });
    EXPECT_EQ(stage.Read(IdA, "Hidden"), 1);
    EXPECT_FALSE(Frame(IdA));
    EXPECT_FALSE(IsWindow(handle));
    agent.reset();
    Start(); // the next start leaves it out
    EXPECT_FALSE(Frame(IdA));
}

TEST_F(AgentWindow, CommandClosingAWindowWhoseQuestionIsOpen)
{
    stage.Store(IdA, {});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    HWND handle = frame->Handle();
    HWND agentWindow = agent->Handle();
    const DWORD gui = GetCurrentThreadId();

    // The editor hides the set while the frame asks whether to remove it; then Yes is pressed.
    std::atomic<bool> visibleAfterCommand{true}, existsAfterCommand{false};
    std::atomic<int> entriesAfterCommand{-1};
    std::thread editor([&] {
        for (int i = 0; i < 500; ++i) {
            HWND dialog = nullptr;
            EnumThreadWindows(gui, [](HWND w, LPARAM out) -> BOOL {
                char name[16];
                GetClassNameA(w, name, sizeof name);
                if (IsWindowVisible(w) && lstrcmpA(name, "#32770") == 0) {
                    *reinterpret_cast<HWND*>(out) = w;
                    return FALSE;
                }
                return TRUE;
            }, reinterpret_cast<LPARAM>(&dialog));
            if (dialog)
                break;
            Sleep(20);
        }
        CopyDataCommand{'H', IdA}.Send(agentWindow, nullptr);
        visibleAfterCommand = IsWindowVisible(handle) != FALSE;
        existsAfterCommand = IsWindow(handle) != FALSE;
        entriesAfterCommand = FrameWindows->Count();
        DialogPresser yes(IDYES, gui);
        yes.Join();
    });
    RunInsideHandler(frame, [&] {
        frame->miRemove->Click();
        // Still whole while its handler runs, though gone from the desktop and the list.
        EXPECT_TRUE(IsWindow(handle));
    });
    editor.join();
    EXPECT_FALSE(visibleAfterCommand);
    EXPECT_TRUE(existsAfterCommand);
    EXPECT_EQ(entriesAfterCommand, 0);
    EXPECT_FALSE(IsWindow(handle));
    // Yes answered a window that was gone: the set stays.
    EXPECT_TRUE(stage.SetExists(IdA));
}

TEST_F(AgentWindow, SaveAsWorksAfterTheFrameMadeLastIsHidden)
{
    stage.Store(IdA, {});
    stage.Store(IdB, {});
    Start();
    TLMTWndClass* first = Frame(IdA);
    TLMTWndClass* last = Frame(IdB);
    ASSERT_TRUE(first && last);
    RunInsideHandler(last, [&] { last->miHide->Click(); });
    ASSERT_FALSE(Frame(IdB));

    // Types the file name into the save dialog and confirms it.
    const test::TempFolder out;
    const std::string file = out.Dir() + "saved.jpg";
    const DWORD gui = GetCurrentThreadId();
    std::thread user([&] {
        for (int i = 0; i < 500; ++i) {
            HWND dialog = test::VisibleDialogOf(gui);
            if (dialog && GetDlgItem(dialog, IDOK)) {
                SetDlgItemTextA(dialog, cmb13, file.c_str());
                SetDlgItemTextA(dialog, edt1, file.c_str());
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    });
    RunInsideHandler(first, [&] { first->miSave->Click(); });
    user.join();
    EXPECT_TRUE(std::filesystem::exists(file));
}

// Refuses to make frame windows: their creation fails as it would without memory.
LRESULT CALLBACK RefuseFrameWindows(int code, WPARAM wParam, LPARAM lParam)
{
    char name[32] = "";
    if (code == HCBT_CREATEWND)
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
    return lstrcmpA(name, "TLMTWndClass") == 0 ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(AgentWindow, FrameWindowThatCannotBeMadeLeavesNothingBehind)
{
    Start();
    stage.Store(IdA, {});
    const int threads = test::ThreadCount();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseFrameWindows, nullptr, GetCurrentThreadId());
    Send('S', IdA);
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(Frame(IdA));
    EXPECT_EQ(test::ThreadCount(), threads); // no timer worker of a lost window
    Send('S', IdA);
    EXPECT_TRUE(Frame(IdA));
}

TEST_F(AgentWindow, RequestsReachARunningEditor)
{
    stage.Store(IdA, {});
    stage.Store(IdB, {});
    Start();
    std::vector<std::string> received;
    ui::Owned<ui::Form> editor = ui::MakeForm<ui::Form>(nullptr, ui::FormArgs{.className = EditorWindowClass});
    editor->BindMessage(WM_COPYDATA, [&](ui::Message& message) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.lParam);
        received.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
    });
    TLMTWndClass* a = Frame(IdA);
    TLMTWndClass* b = Frame(IdB);
    ASSERT_TRUE(a && b);
    a->miEdit->Click();
    a->miNew->Click();
    RunInsideHandler(a, [&] { a->miHide->Click(); });
    {
        DialogPresser yes(IDYES);
        RunInsideHandler(b, [&] { b->miRemove->Click(); });
        ASSERT_TRUE(yes.Join().found);
    }
    EXPECT_EQ(received, (std::vector<std::string>{"E" + IdA, "N" + IdA, "R" + IdA, "R" + IdB}));
}

// The constant alphas the frames are drawn with, as the platform is asked for them.
std::vector<BYTE> drawnAlphas;
test::ImportPatch* layeredUpdates = nullptr;

BOOL WINAPI RecordLayeredUpdate(HWND window, HDC screen, POINT* to, SIZE* size, HDC source, POINT* from, COLORREF key,
                                BLENDFUNCTION* blend, DWORD flags)
{
    if (blend)
        drawnAlphas.push_back(blend->SourceConstantAlpha);
    return layeredUpdates->Original<decltype(&UpdateLayeredWindow)>()(window, screen, to, size, source, from, key,
                                                                      blend, flags);
}

TEST_F(AgentWindow, HoverFadesInAndAWayOutFadesBack)
{
    // Away from the pointer, so that the first tick finds it outside.
    POINT pointer;
    GetCursorPos(&pointer);
    stage.Store(IdA, {{"X", pointer.x > 400 ? 0 : 600}, {"Y", pointer.y > 300 ? 0 : 500}, {"Transparency", 50},
                      {"FadeIn", 1}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    test::ImportPatch patch("user32.dll", "UpdateLayeredWindow", reinterpret_cast<void*>(&RecordLayeredUpdate));
    ASSERT_TRUE(patch.Applied());
    layeredUpdates = &patch;
    const auto alphas = [](const FadeAlphas& fade) { return std::vector<BYTE>(fade.begin(), fade.end()); };

    drawnAlphas.clear();
    Mouse(frame, WM_MOUSEMOVE, 0, 30, 30);
    EXPECT_TRUE(frame->FadeOutTimer->Enabled());
    EXPECT_EQ(drawnAlphas, alphas(FadeInAlphas(50)));
    drawnAlphas.clear();
    EXPECT_TRUE(test::DispatchUntil([&] { return !frame->FadeOutTimer->Enabled(); }));
    EXPECT_EQ(drawnAlphas, alphas(FadeOutAlphas(50)));
    EXPECT_FALSE(frame->Hovering);

    // Without FadeIn the timer still watches the pointer, and the alpha stays.
    stage.Store(IdA, {{"FadeIn", 0}});
    drawnAlphas.clear();
    Mouse(frame, WM_MOUSEMOVE, 0, 30, 30);
    EXPECT_TRUE(frame->FadeOutTimer->Enabled());
    EXPECT_TRUE(test::DispatchUntil([&] { return !frame->FadeOutTimer->Enabled(); }));
    EXPECT_TRUE(drawnAlphas.empty());
    layeredUpdates = nullptr;
}

TEST_F(AgentWindow, HoverWatchTicksEvery200Milliseconds)
{
    stage.Store(IdA, {{"X", 0}, {"Y", 0}});
    Start();
    TLMTWndClass* frame = Frame(IdA);
    ASSERT_TRUE(frame);
    Mouse(frame, WM_MOUSEMOVE, 0, 30, 30);
    ASSERT_TRUE(frame->FadeOutTimer->Enabled());
    // The watch itself, timed by its ticks rather than by what it does with them.
    std::vector<ULONGLONG> ticks;
    frame->FadeOutTimer->OnTimer = [&](ui::Component&) { ticks.push_back(GetTickCount64()); };
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(test::DispatchUntil([&] { return ticks.size() == 5; }, 3000));
    frame->FadeOutTimer->SetEnabled(false);
    const double period = static_cast<double>(ticks.back() - start) / 5;
    EXPECT_GT(period, 170);
    EXPECT_LT(period, 250);
}

TEST_F(AgentWindow, NoGuiObjectOutlivesAFrame)
{
    stage.Store(IdA, {{"Transparency", 50}});
    Start();
    const auto cycle = [&] {
        Send('S', IdA);
        Frame(IdA)->N301->Click();
        Send('H', IdA);
    };
    cycle(); // what the first window makes once for all
    const test::GuiObjects before = test::CountGuiObjects();
    const int threads = test::ThreadCount();
    for (int i = 0; i < 100; ++i)
        cycle();
    const test::GuiObjects after = test::CountGuiObjects();
    EXPECT_LE(after.gdi, before.gdi + 3);
    EXPECT_LE(after.user, before.user + 3);
    EXPECT_EQ(test::ThreadCount(), threads);
}

} // namespace
