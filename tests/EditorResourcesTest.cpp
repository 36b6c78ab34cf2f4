// The editor's pictures and icons as the program finds them among its resources.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct Span {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Span Resource(const char* name, const char* type)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name, type);
    if (!info)
        return {};
    return {static_cast<const BYTE*>(LockResource(LoadResource(module, info))), SizeofResource(module, info)};
}

DWORD BigEndian(const BYTE* p) { return (DWORD(p[0]) << 24) | (DWORD(p[1]) << 16) | (DWORD(p[2]) << 8) | p[3]; }

TEST(EditorResources, PicturesAreRgbaPngsOfTheirExactSize)
{
    struct Expected {
        const char* name;
        DWORD width, height;
    };
    const Expected pictures[] = {
        {"HEADER", 540, 57},   {"SHADOW_B", 16, 16},     {"SHADOW_T", 16, 16},   {"SHADOW_L", 16, 16},
        {"ITEM_NEW", 48, 48},  {"ITEM_DESKSET", 48, 48}, {"ITEM_ABOUT", 48, 48}, {"BAR_ZOOM", 21, 346},
        {"BAR_ROT", 346, 18},  {"IMG_HELP", 32, 32},     {"IMG_UPDATE", 32, 32},
    };
    static const BYTE signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const Expected& e : pictures) {
        const Span png = Resource(e.name, "PNG");
        ASSERT_GE(png.size, 33u) << e.name;
        EXPECT_EQ(std::memcmp(png.data, signature, 8), 0) << e.name;
        ASSERT_EQ(std::memcmp(png.data + 12, "IHDR", 4), 0) << e.name;
        EXPECT_EQ(BigEndian(png.data + 16), e.width) << e.name;
        EXPECT_EQ(BigEndian(png.data + 20), e.height) << e.name;
        EXPECT_EQ(png.data[24], 8) << e.name;  // bits per channel
        EXPECT_EQ(png.data[25], 6) << e.name;  // RGBA
    }
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The pixel sizes an icon group offers (0 in the directory stands for 256).
std::set<int> IconSizes(const char* name)
{
    std::set<int> sizes;
    const Span group = Resource(name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    if (group.size < 6)
        return sizes;
    WORD count = 0;
    std::memcpy(&count, group.data + 4, 2);
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupEntry) <= group.size; ++i) {
        GroupEntry entry;
        std::memcpy(&entry, group.data + 6 + i * sizeof(GroupEntry), sizeof entry);
        EXPECT_EQ(entry.bitCount, 32) << name;
        sizes.insert(entry.width ? entry.width : 256);
    }
    return sizes;
}

TEST(EditorResources, ButtonIconsOfferEverySizeTheButtonsUse)
{
    const std::set<int> buttonSizes{16, 24, 32};
    for (const char* name : {"BTN_APPLY", "BTN_ASKQ", "BTN_CANCEL", "BTN_DELETE", "BTN_DONE", "BTN_EDIT",
                             "BTN_FRAME", "BTN_HIDESHOW", "BTN_NEXT", "BTN_NEXT_DSBLD", "BTN_OPEN", "BTN_PREV",
                             "BTN_PREV_DSBLD", "BTN_WEB", "BTN_ZOOMIN", "BTN_ZOOMOUT", "BTN_ZOOMOUT_DSBLD"}) {
        EXPECT_EQ(IconSizes(name), buttonSizes) << name;
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), name);
        EXPECT_TRUE(icon) << name;
        DestroyIcon(icon);
    }
    // These two are named by the start-up but not shipped: the buttons fall back to their normal icon
    // or to none.
    for (const char* name : {"BTN_ZOOMIN_DSBLD", "BTN_RESETEFFECTS"})
        EXPECT_FALSE(LoadIconA(GetModuleHandleA(nullptr), name)) << name;
}

TEST(EditorResources, FileManagerShowsTheProgramIcon)
{
    EXPECT_EQ(IconSizes("MAINICON"), (std::set<int>{16, 24, 32, 48}));
    std::vector<std::string> groups;
    EnumResourceNamesA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) -> BOOL {
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(IS_INTRESOURCE(name) ? "#" : name);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty());
    const Span first = Resource(groups.front().c_str(), MAKEINTRESOURCEA(14));
    const Span program = Resource("MAINICON", MAKEINTRESOURCEA(14));
    ASSERT_EQ(first.size, program.size) << groups.front();
    // Same sizes and bit depths; the image ids differ between the two copies.
    for (DWORD i = 0; i + sizeof(GroupEntry) <= program.size - 6; i += sizeof(GroupEntry))
        EXPECT_EQ(std::memcmp(first.data + 6 + i, program.data + 6 + i, sizeof(GroupEntry) - 2), 0);
}

} // namespace
