#include "agent/AgentPhotoFrameU.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lumetta;

namespace {

TEST(AgentArithmetic, OpacityToAlphaIsExactInIntegers)
{
    const BYTE expected[] = {25, 51, 76, 102, 127, 153, 178, 204, 229, 255};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(OpacityAlpha(10 * (i + 1)), expected[i]) << 10 * (i + 1) << "%";
    EXPECT_EQ(OpacityAlpha(0), 255);
    EXPECT_EQ(OpacityAlpha(1), 2);
    // Out-of-range stored values keep only the low 8 bits of the floor.
    EXPECT_EQ(OpacityAlpha(101), 1);     // 257
    EXPECT_EQ(OpacityAlpha(-10), 230);   // -26
    EXPECT_EQ(OpacityAlpha(INT32_MAX), static_cast<BYTE>((static_cast<std::int64_t>(INT32_MAX) * 255 / 100) & 0xFF));
}

TEST(AgentArithmetic, OpacityItemsAndStoredValuesBothWays)
{
    for (int i = 0; i < OpacityItemCount; ++i) {
        EXPECT_EQ(OpacityOfItem(i), 100 - 10 * i);
        EXPECT_EQ(OpacityItemIndex(OpacityOfItem(i)), i);
    }
    EXPECT_EQ(OpacityItemIndex(95), 0);
    EXPECT_EQ(OpacityItemIndex(91), 0);
    EXPECT_EQ(OpacityItemIndex(90), 1);
    EXPECT_EQ(OpacityItemIndex(81), 1);
    EXPECT_EQ(OpacityItemIndex(5), 9);
    EXPECT_EQ(OpacityItemIndex(1), 9);
    EXPECT_EQ(OpacityItemIndex(150), 0);
    EXPECT_EQ(OpacityItemIndex(101), 0);
    EXPECT_EQ(OpacityItemIndex(0), 0);
    EXPECT_EQ(OpacityItemIndex(-20), 0);
}

TEST(AgentArithmetic, FadeSequences)
{
    EXPECT_EQ(FadeInAlphas(50), (FadeAlphas{148, 169, 190, 211, 232, 255}));
    EXPECT_EQ(FadeOutAlphas(50), (FadeAlphas{234, 213, 192, 171, 150, 127}));
    EXPECT_EQ(FadeInAlphas(10), (FadeAlphas{63, 101, 139, 177, 215, 255}));
    EXPECT_EQ(FadeOutAlphas(10), (FadeAlphas{217, 179, 141, 103, 65, 25}));
    const FadeAlphas opaque{255, 255, 255, 255, 255, 255};
    for (int t : {0, 100}) {
        EXPECT_EQ(FadeInAlphas(t), opaque) << t;
        EXPECT_EQ(FadeOutAlphas(t), opaque) << t;
    }
}

TEST(AgentArithmetic, DraggedPointStaysUnderTheMouse)
{
    // Grabbed at (30, 40); the mouse moved 25 right and 10 up within the window's old place.
    POINT to = DraggedPosition({100, 200}, {55, 30}, {30, 40});
    EXPECT_EQ(to.x, 125);
    EXPECT_EQ(to.y, 190);
    // Off the left and top edges of the screen.
    to = DraggedPosition({5, 5}, {-20, -7}, {10, 3});
    EXPECT_EQ(to.x, -25);
    EXPECT_EQ(to.y, -5);
}

bool At(POINT place, LONG x, LONG y)
{
    return place.x == x && place.y == y;
}

TEST(AgentArithmetic, FrameOnAMonitorStaysToThePixel)
{
    const std::vector<RECT> one{{0, 0, 1280, 1024}};
    const RECT work{0, 0, 1280, 984};
    const RECT frame{0, 0, 120, 100};
    EXPECT_TRUE(At(ReachablePlace({300, 300}, frame, one, work), 300, 300));
    // Exactly 40 x 40 on the monitor (and under the taskbar, outside the work area): it stays.
    EXPECT_TRUE(At(ReachablePlace({1240, 984}, frame, one, work), 1240, 984));
    EXPECT_TRUE(At(ReachablePlace({-80, -60}, frame, one, work), -80, -60));
    // One pixel less either way: the shortest way into the work area.
    EXPECT_TRUE(At(ReachablePlace({1241, 500}, frame, one, work), 1160, 500));
    EXPECT_TRUE(At(ReachablePlace({500, -61}, frame, one, work), 500, 0));
    // A frame smaller than 40 x 40 counts when all of it is on the monitor.
    EXPECT_TRUE(At(ReachablePlace({1250, 994}, RECT{0, 0, 30, 30}, one, work), 1250, 994));
    EXPECT_TRUE(At(ReachablePlace({1251, 994}, RECT{0, 0, 30, 30}, one, work), 1250, 954));
}

TEST(AgentArithmetic, FrameOffEveryMonitorMovesTheShortestWayIntoTheNearestWorkArea)
{
    const std::vector<RECT> one{{0, 0, 1280, 1024}};
    const RECT work{0, 0, 1280, 984};
    const RECT frame{0, 0, 120, 100};
    EXPECT_TRUE(At(ReachablePlace({5000, 3000}, frame, one, work), 1160, 884));
    EXPECT_TRUE(At(ReachablePlace({-2000, 100}, frame, one, work), 0, 100));
    EXPECT_TRUE(At(ReachablePlace({400, -5000}, frame, one, work), 400, 0));
    EXPECT_TRUE(At(ReachablePlace({INT32_MAX, INT32_MIN}, frame, one, work), 1160, 0));
    // Wider than the work area: it comes to cover it.
    EXPECT_TRUE(At(ReachablePlace({-5000, 10}, RECT{0, 0, 2000, 100}, one, work), -720, 10));

    // A second monitor right of the first, taller, with its own work area: a frame mostly on it
    // stays; one that left it goes into the work area it is given.
    const std::vector<RECT> two{{0, 0, 1280, 1024}, {1280, -200, 3200, 1080}};
    const RECT secondWork{1280, -200, 3200, 1040};
    EXPECT_TRUE(At(ReachablePlace({1250, -150}, frame, two, secondWork), 1250, -150));
    EXPECT_TRUE(At(ReachablePlace({3161, 1000}, frame, two, secondWork), 3080, 940));
    EXPECT_TRUE(At(ReachablePlace({100, -150}, frame, two, one[0]), 100, 0));
    // Only the part that is not transparent counts, and it is what comes into the work area.
    const RECT framed{70, 60, 350, 300};
    EXPECT_TRUE(At(ReachablePlace({1170, 500}, framed, one, work), 1170, 500));
    EXPECT_TRUE(At(ReachablePlace({1171, -221}, framed, one, work), 930, -60));
}

} // namespace
