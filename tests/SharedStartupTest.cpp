#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <regex>
#include <set>

#include "TestSupport.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Screen.h"

using namespace lumetta;
using lumetta::test::RegistryKeyGuard;
using lumetta::test::RegistryValueGuard;

namespace {

constexpr const char* DwmKey = "Software\\Microsoft\\Windows\\DWM";
// Alpha 0xC4, red 0x1E, green 0x90, blue 0xFF.
constexpr std::int32_t Colorization = static_cast<std::int32_t>(0xC41E90FFu);
constexpr COLORREF ColorizationRgb = RGB(0x1E, 0x90, 0xFF);

std::string OwnFolder()
{
    char path[MAX_PATH];
    const std::string file(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return file.substr(0, file.find_last_of('\\') + 1);
}

TEST(LightenColor, ExactChannelsTiesToEvenAndNoSpill)
{
    EXPECT_EQ(LightenColor(RGB(0, 0, 0), 40), RGB(102, 102, 102));
    EXPECT_EQ(LightenColor(RGB(255, 255, 255), 40), RGB(255, 255, 255));
    EXPECT_EQ(LightenColor(RGB(1, 0, 0), 40), RGB(103, 102, 102));
    EXPECT_EQ(LightenColor(ColorizationRgb, 40), RGB(120, 188, 255));
    EXPECT_EQ(LightenColor(RGB(10, 20, 30), 100), RGB(255, 255, 255));
    // 0 + 25.5 -> 26, 10 + 24.5 -> 34, 0 + 127.5 -> 128, 2 + 126.5 -> 128
    EXPECT_EQ(LightenColor(RGB(0, 10, 0), 10), RGB(26, 34, 26));
    EXPECT_EQ(LightenColor(RGB(0, 2, 1), 50), RGB(128, 128, 128));
    // A system-colour value is not translated: only its low three bytes count.
    EXPECT_EQ(LightenColor(0x80000000 | RGB(1, 2, 3), 0), RGB(1, 2, 3));
    // Out of range: every channel stops at 255 instead of carrying into the next.
    EXPECT_EQ(LightenColor(RGB(0, 100, 200), 255), RGB(255, 255, 255));
}

TEST(SmallServices, XorTextRoundTripsAndPhotoTitleIsEmpty)
{
    EXPECT_EQ(XorText("", 0x5A), "");
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string scrambled = XorText(all, 0xA7);
    ASSERT_EQ(scrambled.size(), 256u);
    EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), 0xA7);
    EXPECT_EQ(XorText(scrambled, 0xA7), all);
    // A byte equal to the key turns into a zero byte inside the text, not an end of it.
    EXPECT_EQ(XorText("AbA", 'A'), std::string("\0#\0", 3));

    EXPECT_EQ(GetPhotoTitle(""), "");
    EXPECT_EQ(GetPhotoTitle(OwnFolder() + "SharedStartupTest.exe"), ""); // an existing file too
}

TEST(PhotoSetId, GuidsInRegistryFormat)
{
    const std::regex guid(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
    const std::string first = NewPhotoSetId();
    const std::string second = NewPhotoSetId();
    EXPECT_EQ(first.size(), 38u);
    EXPECT_EQ(second.size(), 38u);
    EXPECT_TRUE(std::regex_match(first, guid)) << first;
    EXPECT_TRUE(std::regex_match(second, guid)) << second;
    EXPECT_NE(first, second);
}

TEST(PhotoSetId, WithoutAGuidEightHexDigitsOfARandomNumber)
{
    const SystemCalls saved = System();
    System().createGuid = [](GUID*) { return HRESULT(E_FAIL); };
    const std::regex digits("[0-7][0-9A-F]{7}"); // below 2147483647
    std::set<std::string> ids;
    for (int i = 0; i < 20; ++i) {
        const std::string id = NewPhotoSetId();
        EXPECT_TRUE(std::regex_match(id, digits)) << id;
        ids.insert(id);
    }
    System() = saved;
    EXPECT_GT(ids.size(), 15u);
}

TEST(BusyCursor, HourglassUntilTheFirstEnd)
{
    auto& screen = ui::Screen::Instance();
    BeginBusyCursor();
    EXPECT_EQ(screen.Cursor(), ui::crHourGlass);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    BeginBusyCursor();
    EndBusyCursor(); // no nesting count
    EXPECT_EQ(screen.Cursor(), ui::crDefault);
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
}

// InitSharedGlobals with the programs' key and the desktop colour key kept as they were.
class SharedStartup : public ::testing::Test {
protected:
    RegistryKeyGuard appKey{HKEY_CURRENT_USER, AppRegistryKey};
    RegistryValueGuard colorization{HKEY_CURRENT_USER, DwmKey, "ColorizationColor"};
    SystemCalls saved = System();
    ~SharedStartup() override { System() = saved; }

    static void SetInstallDir(const std::string& dir)
    {
        ASSERT_EQ(WriteRegString(HKEY_CURRENT_USER, AppRegistryKey, "InstallDir", dir, REG_SZ, true), 0);
    }
    static void SetColorization(std::int32_t argb)
    {
        ASSERT_EQ(WriteRegInteger(HKEY_CURRENT_USER, DwmKey, "ColorizationColor", argb), 0);
    }
    static void RemoveColorization()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, DwmKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "ColorizationColor");
            RegCloseKey(key);
        }
    }
    static COLORREF Caption() { return GetSysColor(COLOR_ACTIVECAPTION); }
};

TEST_F(SharedStartup, FoldersFromTheRegistry)
{
    SetInstallDir("C:\\Program Files\\Lumetta\\");
    InitSharedGlobals();
    EXPECT_EQ(InstallDir, "C:\\Program Files\\Lumetta\\");
    EXPECT_EQ(FramesetDir, "C:\\Program Files\\Lumetta\\Frameset\\");

    // Used unchanged: no separator is added.
    SetInstallDir("D:\\Lumetta");
    InitSharedGlobals();
    EXPECT_EQ(InstallDir, "D:\\Lumetta");
    EXPECT_EQ(FramesetDir, "D:\\LumettaFrameset\\");
}

TEST_F(SharedStartup, FoldersFallBackToTheProgramFolder)
{
    SetInstallDir("");
    InitSharedGlobals();
    EXPECT_EQ(InstallDir, OwnFolder());
    EXPECT_EQ(InstallDir.back(), '\\');
    EXPECT_EQ(FramesetDir, OwnFolder() + "Frameset\\");

    RegDeleteTreeA(HKEY_CURRENT_USER, AppRegistryKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, AppRegistryKey);
    InitSharedGlobals();
    EXPECT_EQ(InstallDir, OwnFolder());
}

TEST(ProgramFolder, AModuleWithAPathPastMaxPathGivesItsWholeFolder)
{
    // A copy of this program, loaded as a module from a folder whose path is longer than MAX_PATH.
    lumetta::test::TempFolder folder;
    const std::filesystem::path deep = folder.Path() / std::string(120, 'a') / std::string(120, 'b');
    std::filesystem::create_directories(deep);
    std::filesystem::copy_file(OwnFolder() + "SharedStartupTest.exe", deep / "copy.exe");
    const std::string expected = deep.string() + "\\";
    ASSERT_GT(expected.size(), static_cast<std::size_t>(MAX_PATH));
    const HMODULE module = LoadLibraryExW((deep / "copy.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(module) << GetLastError();
    EXPECT_EQ(ModuleFolder(module), expected);
    FreeLibrary(module);
    EXPECT_EQ(ProgramFolder(), OwnFolder());
}

TEST_F(SharedStartup, HandCursorInSlotOne)
{
    ui::Screen::Instance().SetCursors(crHand, nullptr);
    InitSharedGlobals();
    EXPECT_EQ(ui::Screen::Instance().Cursors(crHand), LoadCursor(nullptr, IDC_HAND));
}

// The DWM look-up as a fake: which library and function are asked for, what composition says,
// and that the library is freed.
struct FakeDwm {
    static inline bool hasLibrary, hasFunction, composition;
    static inline int loads, frees;
    static inline HMODULE const Module = reinterpret_cast<HMODULE>(0x7A00);

    static void Install(bool library, bool function, bool compositionOn)
    {
        hasLibrary = library;
        hasFunction = function;
        composition = compositionOn;
        loads = frees = 0;
        System().loadLibrary = [](const char* name) {
            EXPECT_STREQ(name, "dwmapi.dll");
            ++loads;
            return hasLibrary ? Module : HMODULE{};
        };
        System().getProcAddress = [](HMODULE module, const char* name) {
            EXPECT_EQ(module, Module);
            EXPECT_STREQ(name, "DwmIsCompositionEnabled");
            return hasFunction ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&IsCompositionEnabled)) : FARPROC{};
        };
        System().freeLibrary = [](HMODULE module) {
            EXPECT_EQ(module, Module);
            ++frees;
        };
    }
    static HRESULT WINAPI IsCompositionEnabled(BOOL* enabled)
    {
        EXPECT_FALSE(*enabled); // the flag starts as false
        *enabled = composition;
        return S_OK;
    }
};

TEST_F(SharedStartup, AccentFromTheColorizationColour)
{
    SetColorization(Colorization);
    FakeDwm::Install(true, true, true);
    InitSharedGlobals();
    EXPECT_EQ(AccentColor, ColorizationRgb);
    EXPECT_EQ(AccentLightColor, RGB(120, 188, 255));
    EXPECT_EQ(FakeDwm::loads, 1);
    EXPECT_EQ(FakeDwm::frees, 1);
}

TEST_F(SharedStartup, AccentFallsBackToTheCaptionColour)
{
    SetColorization(Colorization);
    const COLORREF caption = Caption();
    const COLORREF captionLight = LightenColor(caption, 40);
    const auto expectCaption = [&](const char* why) {
        InitSharedGlobals();
        EXPECT_EQ(AccentColor, caption) << why;
        EXPECT_EQ(AccentLightColor, captionLight) << why;
    };

    FakeDwm::Install(true, true, false);
    expectCaption("composition off");
    EXPECT_EQ(FakeDwm::frees, 1);

    FakeDwm::Install(true, false, true);
    expectCaption("no DwmIsCompositionEnabled");
    EXPECT_EQ(FakeDwm::frees, 1);

    FakeDwm::Install(false, true, true);
    expectCaption("no dwmapi.dll");
    EXPECT_EQ(FakeDwm::frees, 0);

    FakeDwm::Install(true, true, true);
    RemoveColorization();
    expectCaption("no ColorizationColor");
    EXPECT_EQ(FakeDwm::frees, 1);
}

TEST_F(SharedStartup, BeforeWindows6TheDesktopIsNotAsked)
{
    SetColorization(Colorization);
    FakeDwm::Install(true, true, true);
    System().windowsMajorVersion = [] { return DWORD{5}; };
    InitSharedGlobals();
    EXPECT_EQ(FakeDwm::loads, 0);
    EXPECT_EQ(AccentColor, Caption());
    EXPECT_EQ(AccentLightColor, LightenColor(Caption(), 40));
}

TEST_F(SharedStartup, AccentWithTheRealDesktop)
{
    SetColorization(Colorization);
    BOOL composition = FALSE;
    if (HMODULE dwm = LoadLibraryA("dwmapi.dll")) {
        using Query = HRESULT(WINAPI*)(BOOL*);
        if (auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled"))))
            query(&composition);
        FreeLibrary(dwm);
    }
    InitSharedGlobals();
    const COLORREF expected = composition ? ColorizationRgb : Caption();
    EXPECT_EQ(AccentColor, expected) << "composition " << composition;
    EXPECT_EQ(AccentLightColor, LightenColor(expected, 40));
    EXPECT_EQ(AccentColor >> 24, 0u);
}

} // namespace
