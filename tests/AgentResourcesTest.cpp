// The agent's cursors as the program loads them from its resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct CursorFacts {
    DWORD hotX = 0, hotY = 0;
    LONG width = 0, height = 0;
    WORD bitsPerPixel = 0;
    int transparent = 0, opaque = 0, partial = 0;
};

CursorFacts Inspect(const char* name)
{
    CursorFacts facts;
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), name);
    EXPECT_TRUE(cursor) << name;
    if (!cursor)
        return facts;
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(cursor, &info));
    facts.hotX = info.xHotspot;
    facts.hotY = info.yHotspot;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    facts.width = bitmap.bmWidth;
    facts.height = bitmap.bmHeight;
    facts.bitsPerPixel = bitmap.bmBitsPixel;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(bitmap.bmWidth) * bitmap.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (DWORD pixel : pixels) {
        const BYTE alpha = pixel >> 24;
        if (alpha == 0)
            ++facts.transparent;
        else if (alpha == 255)
            ++facts.opaque;
        else
            ++facts.partial;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return facts;
}

TEST(AgentResources, DragCursorsAre32BitHandsWithTheirHotSpot)
{
    for (const char* name : {"CUR_DRAG", "CUR_ENDDRAG"}) {
        const CursorFacts facts = Inspect(name);
        EXPECT_EQ(facts.hotX, 16u) << name;
        EXPECT_EQ(facts.hotY, 20u) << name;
        EXPECT_EQ(facts.width, 32) << name;
        EXPECT_EQ(facts.height, 32) << name;
        EXPECT_EQ(facts.bitsPerPixel, 32) << name;
        // A hand with soft edges on a clear ground: all three kinds of pixels occur.
        EXPECT_GT(facts.transparent, 200) << name;
        EXPECT_GT(facts.opaque, 150) << name;
        EXPECT_GT(facts.partial, 20) << name;
    }
}

TEST(AgentResources, ProgramIconIsPresent)
{
    EXPECT_TRUE(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
}

} // namespace
