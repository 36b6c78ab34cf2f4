// The agent's frame windows under the real pointer and keys: the layered window's hit-testing,
// capture while dragging, and the frame's menu with its own modal loop; and a change of the
// display, which like the pointer concerns every window and runs alone.
#include "agent/AgentMain.h"
#include "agent/AgentPhotoFrameU.h"

#include <gtest/gtest.h>

#include "AgentTestSupport.h"
#include "InputSupport.h"
#include "shared/GlobalPhotoSet.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-0000000000A1}";
const std::string IdB = "{B2222222-0000-4000-8000-0000000000B2}";

class AgentInput : public ::testing::Test {
protected:
    AgentStage stage;
    ui::Owned<TLMTAgentWndClass> agent;

    TLMTWndClass* StartWithOneFrame(int x, int y)
    {
        stage.Store(IdA, {{"X", x}, {"Y", y}});
        agent.reset(new TLMTAgentWndClass());
        agent->Loaded();
        const int entry = FrameWindows->IndexOf(IdA);
        return entry < 0 ? nullptr : static_cast<TLMTWndClass*>(FrameWindows->Object(entry));
    }
};

bool MenuIsOpen()
{
    HWND menu = FindWindowA("#32768", nullptr);
    return menu && IsWindowVisible(menu);
}

TEST_F(AgentInput, FrameDraggedAndItsMenuUsedWithThePointer)
{
    TLMTWndClass* frame = StartWithOneFrame(200, 150);
    ASSERT_TRUE(frame);
    SetWindowPos(frame->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Settle();

    // The middle of the frame, where the photo makes the layered window opaque.
    POINT grip = CentreOnScreen(*frame);
    pointer::Drag(grip, POINT{grip.x + 60, grip.y + 40});
    EXPECT_EQ(frame->Left(), 260);
    EXPECT_EQ(frame->Top(), 190);
    EXPECT_EQ(stage.Read(IdA, "X"), 260);
    EXPECT_EQ(stage.Read(IdA, "Y"), 190);
    EXPECT_EQ(GetCapture(), nullptr);

    // Right click opens the menu; Create New, Edit, Save as, then Lock on Desktop.
    KeysWhen menuKeys(MenuIsOpen, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    pointer::RightClick(CentreOnScreen(*frame));
    EXPECT_TRUE(menuKeys.Join());
    EXPECT_TRUE(WaitFor([&] { return stage.Read(IdA, "Locked") == 1; }));
    EXPECT_TRUE(frame->miLock->Checked());

    // Locked, the same drag leaves it where it is.
    grip = CentreOnScreen(*frame);
    pointer::Drag(grip, POINT{grip.x - 80, grip.y});
    EXPECT_EQ(frame->Left(), 260);
    EXPECT_EQ(stage.Read(IdA, "X"), 260);
}

TEST_F(AgentInput, FrameShownMovedIntoViewIsDraggedToANewStoredPlace)
{
    TLMTWndClass* frame = StartWithOneFrame(5000, 3000);
    ASSERT_TRUE(frame);
    SetWindowPos(frame->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Settle();
    const POINT shown{frame->Left(), frame->Top()};
    ASSERT_LT(shown.x, GetSystemMetrics(SM_CXSCREEN));

    const POINT grip = CentreOnScreen(*frame);
    pointer::Drag(grip, POINT{grip.x - 200, grip.y - 100});
    EXPECT_EQ(frame->Left(), shown.x - 200);
    EXPECT_EQ(stage.Read(IdA, "X"), shown.x - 200);
    EXPECT_EQ(stage.Read(IdA, "Y"), shown.y - 100);
}

// Wine's null display driver changes the screen's size at once and tells every window, as an
// unplugged monitor would; a display without such a mode refuses.
bool SetScreenSize(DWORD width, DWORD height)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

void RestoreScreenSize()
{
    ChangeDisplaySettingsExA(nullptr, nullptr, nullptr, 0, nullptr);
}

TEST_F(AgentInput, DisplayChangeBringsFramesIntoViewAndBackToTheirPlace)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    stage.Store(IdB, {{"X", 100}, {"Y", 100}});
    TLMTWndClass* outer = StartWithOneFrame(width - 150, height - 150);
    ASSERT_TRUE(outer);
    TLMTWndClass* inner = static_cast<TLMTWndClass*>(FrameWindows->Object(FrameWindows->IndexOf(IdB)));
    ASSERT_EQ(outer->Left(), width - 150);

    const struct Restorer {
        ~Restorer() { RestoreScreenSize(); }
    } restorer;
    if (!SetScreenSize(640, 480))
        GTEST_SKIP() << "this display offers no 640 x 480";
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(outer->Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT seen = SeenOnScreen(*outer);
    EXPECT_EQ(seen.right, monitor.rcWork.right);
    EXPECT_EQ(seen.bottom, monitor.rcWork.bottom);
    EXPECT_EQ(inner->Left(), 100);
    EXPECT_EQ(inner->Top(), 100);

    // The larger screen back: the frame returns to the place stored all along.
    RestoreScreenSize();
    EXPECT_EQ(outer->Left(), width - 150);
    EXPECT_EQ(outer->Top(), height - 150);
    EXPECT_EQ(stage.Read(IdA, "X"), width - 150);
    EXPECT_EQ(stage.Read(IdA, "Y"), height - 150);
}

} // namespace
