// The placement window (centring on the pointer, the snap timer, click, Enter and Esc, the hint's
// ten seconds) and the shade laid over the editor.
#include <gtest/gtest.h>

#include <string>

#include "ControlsTestSupport.h"
#include "ImageSupport.h"
#include "InputSupport.h"
#include "editor/EditorFinalPreviewWndU.h"
#include "editor/EditorShadeWndU.h"
#include "shared/LangUnit.h"
#include "ui/Timer.h"

using namespace lumetta;
using namespace lumetta::test;

TEST(PlacementArithmetic, OddSizesTruncateAndBothWaysAgreeOnTheCentre)
{
    const POINT placed = PlacementCentredOn(POINT{500, 400}, 301, 201);
    EXPECT_EQ(placed.x, 350);
    EXPECT_EQ(placed.y, 300);
    // A move to the centre the timer chose leaves the window where it is.
    const POINT followed = PlacementFollowed(placed, 150, 100, 301 / 2, 201 / 2);
    EXPECT_EQ(followed.x, placed.x);
    EXPECT_EQ(followed.y, placed.y);
    const POINT moved = PlacementFollowed(POINT{100, 100}, 160, 90, 150, 100);
    EXPECT_EQ(moved.x, 110);
    EXPECT_EQ(moved.y, 90);
}

TEST(PlacementArithmetic, TheHintShowsForTenSecondsAcrossATickWrap)
{
    EXPECT_TRUE(PlacementHintActive(9999, 0));
    EXPECT_FALSE(PlacementHintActive(10000, 0));
    EXPECT_TRUE(PlacementHintActive(0x00000F00, 0xFFFFF000));
    EXPECT_FALSE(PlacementHintActive(0x00002000, 0xFFFFF000));
}

TEST(PlacementArithmetic, TheHintWrapsAt45Columns)
{
    const std::string first = "Move the mouse to where your photo should go, then click to place it.";
    // "go," ends at column 45: the space after it would stand in column 46.
    EXPECT_EQ(WrapText(first, 45), "Move the mouse to where your photo should \r\ngo, then click to place it.");
    EXPECT_EQ(WrapText("abcd efgh", 5), "abcd \r\nefgh");
    EXPECT_EQ(WrapText("abcde fgh", 5), "abcde \r\nfgh");
    // A hyphen must fit; a word longer than the line breaks at its first chance.
    EXPECT_EQ(WrapText("self-contained text", 8), "self-\r\ncontained \r\ntext");
    EXPECT_EQ(WrapText("short\r\nlines\nstay", 45), "short\r\nlines\nstay");
    EXPECT_EQ(WrapText("nospacesatalltoolong", 5), "nospacesatalltoolong");
    EXPECT_EQ(PlacementHintText("Place it.", "Esc cancels."), "Place it.\r\n\r\nEsc cancels.");
}

namespace {

constexpr int PictureWidth = 301;
constexpr int PictureHeight = 201;

class PlacementWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedFirst_ = Messages[PlacementHintFirstMessage];
        savedSecond_ = Messages[PlacementHintSecondMessage];
        Messages[PlacementHintFirstMessage] = "Move the mouse, then click.";
        Messages[PlacementHintSecondMessage] = "Esc cancels.";
        MakeWindow();
    }
    // A new placement window with its picture (each placement has its own).
    void MakeWindow()
    {
        window.reset();
        window = ui::MakeForm<TLMTSEditorPreviewWndClass>(nullptr);
        const ui::GpBitmapPtr picture = MakeImage(PictureWidth, PictureHeight, [](Gdiplus::Graphics& g) {
            FillArea(g, 0, 0, PictureWidth, PictureHeight, RGB(90, 140, 60));
        });
        ASSERT_TRUE(window->SetLayerImage(*picture));
        window->SetBounds(100, 120, window->Width(), window->Height());
    }

    void TearDown() override
    {
        window.reset();
        ui::App().CancelHint();
        Messages[PlacementHintFirstMessage] = savedFirst_;
        Messages[PlacementHintSecondMessage] = savedSecond_;
    }

    // Runs the modal showing; after `delay` ms the test's step runs inside it.
    int ShowModalThen(unsigned delay, const std::function<void()>& step)
    {
        auto* timer = window->Add<ui::Timer>(ui::Timer::Args{.name = "TestStep", .interval = delay});
        timer->OnTimer = [timer, step](ui::Component&) {
            timer->SetEnabled(false);
            step();
        };
        return window->ShowModal();
    }

    void Key(WORD key) { PostMessageA(window->Handle(), WM_KEYDOWN, key, 0); }

    ui::Owned<TLMTSEditorPreviewWndClass> window;

private:
    std::string savedFirst_, savedSecond_;
};

} // namespace

TEST_F(PlacementWindowTest, ShowingPutsThePointerOnTheCentreAndEscCancels)
{
    POINT pointer{};
    bool hintShown = false;
    const int result = ShowModalThen(50, [&] {
        GetCursorPos(&pointer);
        // The hint shows without a move of the pointer.
        hintShown = WaitFor([] { return !ui::App().CurrentHint().empty(); }, 1000);
        Key(VK_ESCAPE);
    });
    EXPECT_EQ(result, ui::mrCancel);
    EXPECT_TRUE(hintShown);
    EXPECT_EQ(pointer.x, 100 + PictureWidth / 2);
    EXPECT_EQ(pointer.y, 120 + PictureHeight / 2);
    EXPECT_EQ(PlacementHalfWidth, 150);
    EXPECT_EQ(PlacementHalfHeight, 100);
    EXPECT_TRUE(PlacementFollowing);
    EXPECT_NE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(PlacementWindowTest, TheTimerCatchesUpWithThePointerAndEnterPlaces)
{
    const int result = ShowModalThen(30, [&] {
        SetCursorPos(640, 500);
        DispatchUntil([&] { return window->Left() == 640 - 150 && window->Top() == 500 - 100; }, 2000);
        Key(VK_RETURN);
    });
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_FALSE(PlacementFollowing);
    EXPECT_EQ(window->Left(), 640 - 150);
    EXPECT_EQ(window->Top(), 500 - 100);
}

TEST_F(PlacementWindowTest, AMoveFollowsAndAfterTenSecondsClearsTheHint)
{
    const int result = ShowModalThen(30, [&] {
        window->FormMouseMove(*window, 0, 160, 90);
        EXPECT_EQ(window->Left(), 110);
        EXPECT_EQ(window->Top(), 110);
        EXPECT_EQ(ui::App().CurrentHint(),
                  PlacementHintText(Messages[PlacementHintFirstMessage], Messages[PlacementHintSecondMessage]));
        window->CreationTick = GetTickCount() - PlacementHintPeriod;
        window->FormMouseMove(*window, 0, 150, 100);
        EXPECT_TRUE(window->Hint().empty());
        EXPECT_TRUE(ui::App().CurrentHint().empty());
        window->FormClick(*window);
    });
    EXPECT_EQ(result, ui::mrOk);
}

// The hint goes when the placement ends, by a click near the screen's edge or by Esc, and after
// its ten seconds also while the pointer stays still.
TEST_F(PlacementWindowTest, TheHintGoesWithThePlacementAndAfterItsTime)
{
    const auto hintShown = [] { return !ui::App().CurrentHint().empty(); };
    // A move over the window shows the hint.
    const auto stir = [] {
        POINT at{};
        GetCursorPos(&at);
        pointer::MoveTo(at);
    };
    const POINT edge{GetSystemMetrics(SM_CXSCREEN) - 4, 300};
    int result = ShowModalThen(30, [&] {
        pointer::MoveTo(edge);
        EXPECT_TRUE(WaitFor([&] { return window->Left() == edge.x - PictureWidth / 2; }));
        stir();
        EXPECT_TRUE(hintShown());
        pointer::Click(edge);
    });
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_FALSE(hintShown());

    MakeWindow();
    result = ShowModalThen(30, [&] {
        stir();
        EXPECT_TRUE(hintShown());
        keys::Esc();
    });
    EXPECT_EQ(result, ui::mrCancel);
    EXPECT_FALSE(hintShown());

    MakeWindow();
    result = ShowModalThen(30, [&] {
        stir();
        EXPECT_TRUE(hintShown());
        window->CreationTick = GetTickCount() - PlacementHintPeriod;
        EXPECT_TRUE(WaitFor([&] { return !hintShown(); }, 1000));
        keys::Esc();
    });
    EXPECT_EQ(result, ui::mrCancel);
}

// The hint never stays under the pointer, and a click where it shows places the photo: the
// pointer put on the hint (the window catches up by its timer), then moved onto the hint and
// clicked at once.
TEST_F(PlacementWindowTest, TheHintKeepsClearOfThePointerAndAClickOnItPlaces)
{
    const auto inside = [](const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; };
    POINT target{};
    const int result = ShowModalThen(30, [&] {
        POINT start{};
        GetCursorPos(&start);
        pointer::MoveTo(start);
        RECT hint = ShownHintBounds();
        EXPECT_FALSE(IsRectEmpty(&hint));
        const POINT onHint{hint.left + 10, hint.top + 5};
        SetCursorPos(onHint.x, onHint.y);
        EXPECT_TRUE(WaitFor([&] { return window->Left() == onHint.x - PictureWidth / 2; }));
        EXPECT_TRUE(WaitFor([&] { return !inside(ShownHintBounds(), onHint); }, 1000));

        hint = ShownHintBounds();
        EXPECT_FALSE(IsRectEmpty(&hint));
        target = POINT{hint.left + 10, hint.top + 5};
        pointer::QuickClick(target);
        // A click lost on the way must not leave the placement running.
        if (window->GetModalResult() == ui::mrNone)
            keys::Esc();
    });
    EXPECT_EQ(result, ui::mrOk);
    EXPECT_EQ(window->Left(), target.x - PictureWidth / 2);
    EXPECT_EQ(window->Top(), target.y - PictureHeight / 2);
}

TEST(ShadeWindow, CoversTheEditorsOuterBoundsAtEachShowing)
{
    auto editor = ShownForm("ShadeTestEditor", 300, 200, false);
    auto shade = ui::MakeForm<TLMTSEditorShadeWndClass>(nullptr);

    const auto coversEditor = [&] {
        RECT covered{}, bounds{};
        GetWindowRect(shade->Handle(), &covered);
        GetWindowRect(editor->Handle(), &bounds);
        return EqualRect(&covered, &bounds) != FALSE;
    };
    shade->ShowShade(*editor);
    EXPECT_TRUE(IsWindowVisible(shade->Handle()));
    EXPECT_TRUE(coversEditor());
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(shade->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(shade->GetColor(), ShadeColor);
    EXPECT_NE(GetWindowLongA(shade->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    shade->HideShade();
    EXPECT_FALSE(IsWindowVisible(shade->Handle()));
    editor->SetBounds(40, 60, editor->Width() + 31, editor->Height());
    shade->ShowShade(*editor);
    EXPECT_TRUE(coversEditor());
    shade->HideShade();
}
