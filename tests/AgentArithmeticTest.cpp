#include "agent/AgentPhotoFrameU.h"

#include <gtest/gtest.h>

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

} // namespace
