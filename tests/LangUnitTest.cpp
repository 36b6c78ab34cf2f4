// Language files: messages with their line breaks and fallback, a form translated through the
// four-step Tag lookup, and the fonts that stay or take the icon-title face.
#include "shared/LangUnit.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/Memo.h"
#include "ui/Menu.h"

using namespace lumetta;
using lumetta::test::RegistryValueGuard;
using lumetta::test::TempFolder;

namespace {

class LanguageFiles : public ::testing::Test {
protected:
    RegistryValueGuard language{HKEY_CURRENT_USER, AppRegistryKey, "Language"};
    TempFolder folder;

    void SetUp() override { Messages.fill(""); }
    void TearDown() override { Messages.fill(""); }
    void ChooseLanguage(const std::string& name)
    {
        ASSERT_EQ(WriteRegString(HKEY_CURRENT_USER, AppRegistryKey, "Language", name, REG_SZ, true), ERROR_SUCCESS);
    }
};

TEST_F(LanguageFiles, MessagesTakeLineBreaksAndFillGapsFromEnglish)
{
    ChooseLanguage("deutsch.lng");
    folder.Write("deutsch.lng", "[Messages]\n"
                                "Msg0=Neues Foto\n"
                                "Msg4=erste\\nzweite\\nZeile\n"
                                "Msg5=Gross\\NGeschrieben\n"
                                "Msg99=Letzte\n");
    folder.Write("english.lng", "[Messages]\n"
                                "Msg0=New photo\n"
                                "Msg1=Only in English\n"
                                "Msg4=first\\nsecond\n"
                                "Msg100=Beyond the table\n");
    Messages[2] = "kept";
    LoadMessagesFrom(folder.Dir());
    EXPECT_EQ(Messages[0], "Neues Foto");
    EXPECT_EQ(Messages[1], "Only in English");
    EXPECT_EQ(Messages[2], "kept"); // empty in both files: left as it was
    EXPECT_EQ(Messages[4], "erste\r\nzweite\r\nZeile");
    EXPECT_EQ(Messages[5], "Gross\\NGeschrieben");
    EXPECT_EQ(Messages[99], "Letzte");
}

TEST_F(LanguageFiles, MessagesWithoutAChosenFileComeFromEnglish)
{
    folder.Write("english.lng", "[Messages]\nMsg3=About\n");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, AppRegistryKey, "Language");
    LoadMessagesFrom(folder.Dir());
    EXPECT_EQ(Messages[3], "About");

    ChooseLanguage("missing.lng");
    Messages.fill("");
    LoadMessagesFrom(folder.Dir());
    EXPECT_EQ(Messages[3], "About");

    // Neither file: nothing changes and nothing is reported.
    TempFolder empty;
    Messages[3] = "design";
    LoadMessagesFrom(empty.Dir());
    EXPECT_EQ(Messages[3], "design");
}

class TranslatedForm : public ui::Form {
public:
    explicit TranslatedForm(int tag) : Form(nullptr, Args(tag))
    {
        label = Add<ui::Label>({.name = "stHelp", .bounds = {8, 8, 65, 30}, .caption = "Help", .tag = 1140});
        button = Add<ui::Button>({.name = "btnOpen", .bounds = {8, 40, 98, 23}, .caption = "Open...", .tag = 1001});
        check = Add<ui::CheckBox>({.name = "cbSepia", .bounds = {8, 70, 64, 17}, .caption = "Sepia", .tag = 1007});
        untagged = Add<ui::Label>({.name = "stPlain", .bounds = {8, 90, 65, 17}, .caption = "Design"});
        negative = Add<ui::Label>({.name = "stNegative", .bounds = {8, 110, 65, 17}, .caption = "Negative", .tag = -5});
        notes = Add<ui::Memo>({.name = "memoNotes", .bounds = {8, 130, 200, 41}, .tag = 1015});
        menu = Add<ui::PopupMenu>({.name = "pmMain"});
        miNew = Add<ui::MenuItem>({.name = "miNew", .parent = menu->Items(), .caption = "Create New...", .tag = 4005});
        separator = Add<ui::MenuItem>({.name = "N5", .parent = menu->Items(), .caption = "-"});
        dialog = Add<ui::OpenDialog>({.name = "OpenPictureDialog", .tag = 1002, .filter = "All files|*.*"});
        report = Add<ui::ListView>({.name = "lvReport", .bounds = {220, 8, 200, 100}, .tag = 1020},
                                   {.viewStyle = ui::ViewStyle::Report,
                                    .columns = {{"Name", 80, 1021}, {"Size", 60, 0}, {"Date", 60, 1023}}});
        hidden = Add<ui::ListView>({.name = "lvHidden", .bounds = {220, 120, 200, 100}, .tag = 1020},
                                   {.viewStyle = ui::ViewStyle::Report, .showColumnHeaders = false,
                                    .columns = {{"Name", 80, 1021}}});
        icons = Add<ui::ListView>({.name = "lvIcons", .bounds = {220, 230, 200, 100}},
                                  {.columns = {{"Name", 80, 1021}}});
    }
    static ui::FormArgs Args(int tag)
    {
        ui::FormArgs args;
        args.className = "LangUnitTestForm";
        args.caption = "Lumetta";
        args.tag = tag;
        args.clientWidth = 440;
        args.clientHeight = 340;
        return args;
    }
    ui::Label* label;
    ui::Button* button;
    ui::CheckBox* check;
    ui::Label* untagged;
    ui::Label* negative;
    ui::Memo* notes;
    ui::PopupMenu* menu;
    ui::MenuItem* miNew;
    ui::MenuItem* separator;
    ui::OpenDialog* dialog;
    ui::ListView* report;
    ui::ListView* hidden;
    ui::ListView* icons;
};

TEST_F(LanguageFiles, FormTextsComeFromTheSectionThenMiscThenEnglish)
{
    ChooseLanguage("deutsch.lng");
    folder.Write("deutsch.lng", "[FileInfo]\nProgramMajorVersion=2\nProgramMinorVersion=7\n"
                                "[Misc]\n"
                                "1140=Hilfe (Misc)\n"
                                "99900=OK\n"
                                "[Editor]\n"
                                "1001=Oeffnen...\n"
                                "4005=Neu...\\nzwei\n"
                                "1002=Alle Dateien|*.*\n"
                                "1015=Notiz\n"
                                "1021=Name (de)\n"
                                "-5=Minus\n"
                                "0=Caption from Misc is never used\n");
    folder.Write("english.lng", "[Editor]\n"
                                "0=Lumetta (en)\n"
                                "1140=Help (Editor, en)\n"
                                "1023=Date (en)\n"
                                "[Misc]\n"
                                "1007=Sepia (Misc, en)\n"
                                "1020=List view caption\n");
    auto form = ui::MakeForm<TranslatedForm>(0);
    const std::int32_t version = TranslateFormIn(*form, "Editor", folder.Dir());
    EXPECT_EQ(version, 2 * 65536 + 7);

    // Tag 0 of the window is a key like any other, read from its section only.
    EXPECT_EQ(form->Caption(), "Caption from Misc is never used");
    // The chosen file's Misc beats the fallback's section.
    EXPECT_EQ(form->label->Caption(), "Hilfe (Misc)");
    EXPECT_EQ(form->button->Caption(), "Oeffnen...");
    EXPECT_EQ(form->check->Caption(), "Sepia (Misc, en)");
    EXPECT_EQ(form->untagged->Caption(), "Design");
    EXPECT_EQ(form->negative->Caption(), "Minus");
    // No line breaks in form texts.
    EXPECT_EQ(form->miNew->Caption(), "Neu...\\nzwei");
    EXPECT_EQ(form->separator->Caption(), "-");
    EXPECT_EQ(form->dialog->Filter(), "Alle Dateien|*.*");
    EXPECT_EQ(form->notes->Text(), "Notiz");
    // Report with headers: tagged columns translated, untagged kept.
    EXPECT_EQ(form->report->Column(0).Caption(), "Name (de)");
    EXPECT_EQ(form->report->ColumnCaptionShown(0), "Name (de)");
    EXPECT_EQ(form->report->Column(1).Caption(), "Size");
    EXPECT_EQ(form->report->Column(2).Caption(), "Date (en)");
    // Without headers, or not a report: left alone.
    EXPECT_EQ(form->hidden->Column(0).Caption(), "Name");
    EXPECT_EQ(form->icons->Column(0).Caption(), "Name");
}

TEST_F(LanguageFiles, CaptionFallsBackToEnglishAndMissingFilesChangeNothing)
{
    ChooseLanguage("deutsch.lng");
    folder.Write("deutsch.lng", "[FileInfo]\nProgramMajorVersion=x1\nProgramMinorVersion=3\n[Agent]\n4005=Neu\n");
    folder.Write("english.lng", "[FileInfo]\nProgramMajorVersion=1\n[Agent]\n2000=Frames (en)\n");
    auto form = ui::MakeForm<TranslatedForm>(2000);
    EXPECT_EQ(TranslateFormIn(*form, "Agent", folder.Dir()), 3);
    EXPECT_EQ(form->Caption(), "Frames (en)");
    EXPECT_EQ(form->miNew->Caption(), "Neu");

    // A chosen file that does not exist: "english.lng" by name, its version too.
    ChooseLanguage("missing.lng");
    auto second = ui::MakeForm<TranslatedForm>(2000);
    EXPECT_EQ(TranslateFormIn(*second, "Agent", folder.Dir()), 65536);
    EXPECT_EQ(second->miNew->Caption(), "Create New...");

    // No files at all: design texts stay, version 0.
    TempFolder empty;
    auto third = ui::MakeForm<TranslatedForm>(2000);
    EXPECT_EQ(TranslateFormIn(*third, "Agent", empty.Dir()), 0);
    EXPECT_EQ(third->Caption(), "Lumetta");
    EXPECT_EQ(third->button->Caption(), "Open...");
}

TEST(FixFont, FiveFacesStayAndOthersTakeTheIconTitleFace)
{
    LOGFONTA iconTitle{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0));

    for (const char* face : {"Arial", "TAHOMA", "Webdings", "Courier New", "times new roman"}) {
        ui::Font font(ui::FontArgs{.name = face, .height = -11, .style = ui::fsBold});
        const HFONT before = font.Handle();
        FixFont(font);
        EXPECT_EQ(font.Name(), face);
        EXPECT_EQ(font.Handle(), before);
    }

    ui::Font font(ui::FontArgs{.name = "MS Sans Serif", .height = -16, .style = ui::fsBold | ui::fsUnderline,
                               .color = 0x737373});
    const int size = font.Size();
    FixFont(font);
    EXPECT_EQ(font.Name(), iconTitle.lfFaceName);
    EXPECT_EQ(font.Charset(), iconTitle.lfCharSet);
    EXPECT_EQ(font.Size(), size);
    EXPECT_EQ(font.Style(), static_cast<ui::FontStyles>(ui::fsBold | ui::fsUnderline));
    EXPECT_EQ(font.GetColor(), 0x737373u);
}

TEST_F(LanguageFiles, TranslatingFixesComponentFontsButNotTheWindowsOwn)
{
    TempFolder empty;
    auto form = ui::MakeForm<TranslatedForm>(0);
    form->button->GetFont().SetName("Arial");
    ASSERT_EQ(form->GetFont().Name(), "MS Sans Serif");
    TranslateFormIn(*form, "Editor", empty.Dir());
    LOGFONTA iconTitle{};
    SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
    EXPECT_EQ(form->GetFont().Name(), "MS Sans Serif");
    EXPECT_EQ(form->label->GetFont().Name(), iconTitle.lfFaceName);
    EXPECT_EQ(form->button->GetFont().Name(), "Arial");
}

} // namespace
