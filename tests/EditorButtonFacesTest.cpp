// The painted faces of the editor's picture buttons: strips, body, edge lines, icon and caption
// colours, and which face goes to which picture of the button.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "ImageSupport.h"
#include "controls/EzRgnBtn.h"
#include "editor/EditorButtonFaces.h"

using namespace lumetta;
using lumetta::test::FillArea;
using lumetta::test::MakeImage;
using lumetta::test::Near;
using lumetta::test::PixelOf;

namespace {

constexpr COLORREF IconColour = RGB(10, 200, 30);

int CountInside(const ui::Bitmap& face, const RECT& area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += PixelOf(face, x, y) == colour;
    return count;
}

TEST(ButtonFaces, NavigationFacesHaveTheirStripsBodiesAndEdges)
{
    const ui::GpBitmapPtr icon = MakeImage(48, 48, [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 48, 48, IconColour); });
    const TButtonFaces faces = PaintButtonFaces(NavFaceLayout(160, 140), icon.get(), "New Photo");
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (const ui::Bitmap* face : {faces.Selected.get(), faces.Idle.get(), faces.Hover.get()}) {
        ASSERT_EQ(face->Width(), 160);
        ASSERT_EQ(face->Height(), 140);
        EXPECT_EQ(face->BitsPerPixel(), 24);
        for (int x : {0, 80, 159})
            EXPECT_EQ(PixelOf(*face, x, 139), FaceEdgeColor) << x;
        EXPECT_EQ(PixelOf(*face, 56, 12), IconColour);
        EXPECT_EQ(PixelOf(*face, 103, 59), IconColour);
        EXPECT_NE(PixelOf(*face, 104, 60), IconColour);
    }
    // Selected: orange into light grey, then light grey into the window colour, no right edge.
    EXPECT_TRUE(Near(PixelOf(*faces.Selected, 0, 5), FaceSelectedStripColor, 12));
    EXPECT_TRUE(Near(PixelOf(*faces.Selected, 15, 5), FaceLightGrey, 24));
    EXPECT_TRUE(Near(PixelOf(*faces.Selected, 16, 5), FaceLightGrey, 3));
    EXPECT_TRUE(Near(PixelOf(*faces.Selected, 159, 5), window, 3));
    EXPECT_NE(PixelOf(*faces.Selected, 159, 70), FaceEdgeColor);
    // Idle and hover: mid grey into light grey, a flat body, a black right column.
    for (const ui::Bitmap* face : {faces.Idle.get(), faces.Hover.get()}) {
        EXPECT_TRUE(Near(PixelOf(*face, 0, 5), FaceMidGrey, 12));
        EXPECT_TRUE(Near(PixelOf(*face, 15, 5), FaceLightGrey, 12));
        EXPECT_EQ(PixelOf(*face, 16, 5), FaceLightGrey);
        EXPECT_EQ(PixelOf(*face, 158, 130), FaceLightGrey);
        for (int y : {0, 70, 138})
            EXPECT_EQ(PixelOf(*face, 159, y), FaceEdgeColor) << y;
    }
}

TEST(ButtonFaces, CaptionsTakeEachFaceColourInsideTheirRectangleOnly)
{
    const TButtonFaces faces = PaintButtonFaces(NavFaceLayout(160, 140), nullptr, "My Desktop\r\nPhotos");
    const RECT caption{10, 70, 150, 120};
    EXPECT_GT(CountInside(*faces.Selected, caption, CaptionSelectedColor), 20);
    EXPECT_GT(CountInside(*faces.Idle, caption, CaptionIdleColor), 20);
    EXPECT_GT(CountInside(*faces.Hover, caption, CaptionHoverColor), 20);
    // Smoothed edges: ink between black and the body's grey.
    int soft = 0;
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x)
            soft += GetGValue(PixelOf(*faces.Selected, x, y)) > 40 && GetGValue(PixelOf(*faces.Selected, x, y)) < 200;
    EXPECT_GT(soft, 20);
    // Two lines centred as a block: ink above and below the rectangle's middle.
    EXPECT_GT(CountInside(*faces.Hover, RECT{10, 70, 150, 95}, CaptionHoverColor), 5);
    EXPECT_GT(CountInside(*faces.Hover, RECT{10, 95, 150, 120}, CaptionHoverColor), 5);
    EXPECT_EQ(CountInside(*faces.Hover, RECT{16, 0, 159, 70}, CaptionHoverColor), 0);
    EXPECT_EQ(CountInside(*faces.Hover, RECT{16, 120, 159, 139}, CaptionHoverColor), 0);

    const TButtonFaces empty = PaintButtonFaces(NavFaceLayout(160, 140), nullptr, "");
    EXPECT_EQ(CountInside(*empty.Idle, RECT{16, 70, 150, 120}, FaceLightGrey), 134 * 50);
}

TEST(ButtonFaces, CategoryFacesCarryNoIconAndACaptionAboveTheBottomRow)
{
    const ui::GpBitmapPtr icon = MakeImage(48, 48, [](Gdiplus::Graphics& g) { FillArea(g, 0, 0, 48, 48, IconColour); });
    const TButtonFaces faces = PaintButtonFaces(CategoryFaceLayout(160, 61), icon.get(), "Christmas & Holidays");
    EXPECT_EQ(CountInside(*faces.Idle, RECT{0, 0, 160, 61}, IconColour), 0);
    EXPECT_EQ(PixelOf(*faces.Idle, 80, 60), FaceEdgeColor);
    EXPECT_GT(CountInside(*faces.Idle, RECT{4, 4, 154, 58}, CaptionIdleColor), 20);
    EXPECT_EQ(CountInside(*faces.Idle, RECT{0, 58, 159, 61}, CaptionIdleColor), 0);
}

TEST(ButtonFaces, TheButtonShowsHoverWhenPressedAndSelectedWhenDisabled)
{
    auto form = test::ShownForm("EditorFacesTestForm", 200, 160, false);
    auto* button = form->Add<TEzRgnBtn>(ui::ControlArgs{.name = "imgBtnNavigation1", .bounds = {0, 0, 160, 140}});
    const TButtonFaces faces = PaintButtonFaces(NavFaceLayout(160, 140), nullptr, "About");
    ApplyButtonFaces(*button, faces);
    const COLORREF selectedBody = PixelOf(*faces.Selected, 159, 5);
    EXPECT_TRUE(Near(PixelOf(*button->PicIdle().Graphic(), 0, 5), FaceMidGrey, 12));
    EXPECT_EQ(PixelOf(*button->PicUp().Graphic(), 159, 5), FaceEdgeColor);
    EXPECT_EQ(PixelOf(*button->PicDown().Graphic(), 159, 5), FaceEdgeColor);
    EXPECT_EQ(PixelOf(*button->PicDsbld().Graphic(), 159, 5), selectedBody);
    EXPECT_NE(faces.Idle->Handle(), button->PicIdle().Graphic()->Handle()); // copies
}

} // namespace
