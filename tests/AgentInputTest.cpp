// The agent's frame windows under the real pointer and keys: the layered window's hit-testing,
// capture while dragging, and the frame's menu with its own modal loop.
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

} // namespace
