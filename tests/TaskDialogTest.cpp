#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shared/GlobalFunc.h"

using namespace lumetta;
using lumetta::test::DialogPresser;

namespace {

// Stands in for the Windows version and for the library look-up; puts the real calls back.
class FakedSystem {
public:
    FakedSystem() : saved_(System()) {}
    ~FakedSystem() { System() = saved_; }
    FakedSystem(const FakedSystem&) = delete;
    FakedSystem& operator=(const FakedSystem&) = delete;

private:
    SystemCalls saved_;
};

DWORD Windows5() { return 5; }

TEST(TaskDialogTables, CommonButtonsFromTheLowNibble)
{
    EXPECT_EQ(TaskDialogButtons(0), 1);
    EXPECT_EQ(TaskDialogButtons(1), 9);
    EXPECT_EQ(TaskDialogButtons(2), 0);
    EXPECT_EQ(TaskDialogButtons(3), 0x0E);
    EXPECT_EQ(TaskDialogButtons(4), 6);
    EXPECT_EQ(TaskDialogButtons(5), 0x18);
    for (UINT flags = 6; flags <= 15; ++flags)
        EXPECT_EQ(TaskDialogButtons(flags), 0) << flags;
    // Icon, default button, modality and MB_TOPMOST bits leave the buttons alone.
    EXPECT_EQ(TaskDialogButtons(0x40033), 0x0E);
    EXPECT_EQ(TaskDialogButtons(0x40010), 1);
}

TEST(TaskDialogTables, IconFromTheSecondNibble)
{
    const auto icon = [](UINT flags) { return reinterpret_cast<ULONG_PTR>(TaskDialogIcon(flags)); };
    EXPECT_EQ(icon(0x10), 0xFFFEu);
    EXPECT_EQ(icon(0x20), 0u);
    EXPECT_EQ(icon(0x30), 0xFFFFu);
    EXPECT_EQ(icon(0x40), 0xFFFDu);
    for (UINT flags : {0x00u, 0x50u, 0x60u, 0x70u, 0x80u, 0x90u, 0xA0u, 0xF0u})
        EXPECT_EQ(icon(flags), 0u) << flags;
    EXPECT_EQ(icon(0x40033), 0xFFFFu);
    EXPECT_EQ(icon(0x40010), 0xFFFEu);
}

TEST(TaskDialog, YesNoCancelWithWarningAnswersYes)
{
    DialogPresser presser(IDYES);
    const int answer = ShowTaskDialog(nullptr, "Remove this photo?", "Lumetta test", "It goes for good.", 0x40033);
    const auto& seen = presser.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(seen.caption, L"Lumetta test");
    EXPECT_TRUE(seen.Has(IDYES));
    EXPECT_TRUE(seen.Has(IDNO));
    EXPECT_TRUE(seen.Has(IDCANCEL));
    EXPECT_FALSE(seen.Has(IDOK));
    EXPECT_TRUE(seen.Shows(L"Remove this photo?"));
    EXPECT_TRUE(seen.Shows(L"It goes for good."));
}

TEST(TaskDialog, AbortRetryIgnoreHasNoCommonButtons)
{
    DialogPresser presser(IDOK);
    ShowTaskDialog(nullptr, "Nothing to choose", "Lumetta test", nullptr, MB_ABORTRETRYIGNORE);
    const auto& seen = presser.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.Has(IDABORT));
    EXPECT_FALSE(seen.Has(IDRETRY));
    EXPECT_FALSE(seen.Has(IDIGNORE));
    EXPECT_FALSE(seen.Has(IDYES));
    EXPECT_FALSE(seen.Has(IDCANCEL));
}

TEST(TaskDialog, TextsAreCutTo512Characters)
{
    const std::string caption(600, 'c');
    const std::string content = std::string(512, 'x') + "tail";
    DialogPresser presser(IDOK);
    EXPECT_EQ(ShowTaskDialog(nullptr, nullptr, caption.c_str(), content.c_str(), MB_OK), IDOK);
    const auto& seen = presser.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, std::wstring(512, L'c'));
    EXPECT_TRUE(seen.Shows(std::wstring(512, L'x')));
}

TEST(TaskDialog, MissingTaskDialogShowsNothingAndRefuses)
{
    FakedSystem faked;
    static int loads, frees;
    loads = frees = 0;
    System().loadLibrary = [](const char* name) {
        ++loads;
        return LoadLibraryA(name);
    };
    System().freeLibrary = [](HMODULE module) {
        ++frees;
        FreeLibrary(module);
    };
    System().getProcAddress = [](HMODULE, const char*) { return FARPROC{}; };
    DialogPresser presser(IDYES, GetCurrentThreadId(), 300);
    EXPECT_EQ(ShowTaskDialog(nullptr, "Question", "Lumetta test", nullptr, 0x33), 0);
    EXPECT_FALSE(presser.Join().found);
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(frees, 1);

    System().loadLibrary = [](const char*) { return HMODULE{}; };
    EXPECT_EQ(ShowTaskDialog(nullptr, "Question", "Lumetta test", nullptr, 0x33), 0);
    EXPECT_EQ(frees, 1);
}

TEST(TaskDialog, BeforeWindows6AMessageBoxJoinsTheTexts)
{
    FakedSystem faked;
    System().windowsMajorVersion = Windows5;
    const std::string caption(600, 'c');
    DialogPresser presser(IDYES);
    const int answer = ShowTaskDialog(nullptr, "Delete it?", caption.c_str(), "For good.", 0x33);
    const auto& seen = presser.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(seen.caption, std::wstring(600, L'c')); // whole on this path
    EXPECT_TRUE(seen.Shows(L"Delete it?\r\n\r\nFor good."));
    EXPECT_TRUE(seen.Has(IDNO));
    EXPECT_TRUE(seen.Has(IDCANCEL));

    DialogPresser second(IDOK); // a missing text counts as empty
    EXPECT_EQ(ShowTaskDialog(nullptr, nullptr, "Lumetta test", "Only content", MB_OK), IDOK);
    EXPECT_TRUE(second.Join().Shows(L"\r\n\r\nOnly content"));
}

} // namespace
