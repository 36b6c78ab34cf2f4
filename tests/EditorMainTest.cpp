// The editor's main window in this process: its start-up state, page switching and the selected
// navigation button, the commands it receives, the push-button icons, hover looks and system
// commands.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "AgentTestSupport.h"
#include "ImageSupport.h"
#include "ProcessTestSupport.h"
#include "editor/EditorButtonFaces.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "editor/EditorMain.h"
#include "editor/EditorShadeWndU.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"
#include "ui/Application.h"
#include "ui/Screen.h"

using namespace lumetta;
using lumetta::test::AgentStage;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-00000000000A}";
const std::string IdB = "{B2222222-0000-4000-8000-00000000000B}";

class EditorWindow : public ::testing::Test {
protected:
    AgentStage stage;
    ui::Owned<TLMTSEditorWndClass> editor;

    void Start()
    {
        editor = ui::MakeForm<TLMTSEditorWndClass>();
        editor->Show();
        ui::App().ProcessMessages();
    }
    void TearDown() override
    {
        editor.reset();
        EditorMainDone();
    }

    void Send(const std::string& text) const
    {
        COPYDATASTRUCT data{0, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
        SendMessageA(editor->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    // The number of the page shown, and that its navigation button alone is selected.
    int ShownPage() const
    {
        TNewNotebookPage* active = editor->nPages->ActivePage();
        if (active == editor->NotebookPageSinglePhoto)
            return PageSinglePhoto;
        if (active == editor->NotebookPageView)
            return PageView;
        return active == editor->NotebookPageAbout ? PageAbout : 0;
    }
    int SelectedButton() const
    {
        int selected = 0;
        for (TEzRgnBtn* button : {editor->imgBtnNavigation1, editor->imgBtnNavigation2, editor->imgBtnNavigation4}) {
            if (!button->Enabled()) {
                EXPECT_EQ(selected, 0) << "two selected buttons";
                EXPECT_EQ(button->Cursor(), ui::crDefault);
                selected = button->Tag();
            } else {
                EXPECT_EQ(button->Cursor(), crHand);
            }
        }
        return selected;
    }
    bool EditMode() const { return editor->btnSingleFrameOK->Visible() && !editor->btnSingleFrameDone->Visible(); }
};

TEST_F(EditorWindow, StartsOnAFreshNewPhotoPageWithItsOwnTaskbarButton)
{
    Start();
    EXPECT_EQ(editor->ClientWidth(), 894);
    EXPECT_EQ(editor->ClientHeight(), 637);
    char name[64];
    GetClassNameA(editor->Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TLMTSEditorWndClass");
    EXPECT_EQ(FindEditorWindow(), editor->Handle());
    const LONG exStyle = GetWindowLongA(editor->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    const LONG appStyle = GetWindowLongA(ui::App().Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(appStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(appStyle & WS_EX_APPWINDOW);

    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_EQ(SelectedButton(), PageSinglePhoto);
    EXPECT_FALSE(EditMode());
    EXPECT_FALSE(RenderSuppressed);
    EXPECT_EQ(CurrentPhotoPath, FramesetDir + "nophoto.png");
    EXPECT_TRUE(CurrentPhoto);
    EXPECT_EQ(CurrentFrame.Name, "frame2.ini"); // the stage's only frame
    EXPECT_EQ(LastOrientation, 0);
    // The faces are painted: each button is as large as its face.
    EXPECT_EQ(editor->imgBtnNavigation2->PicDsbld().Width(), 160);
    EXPECT_EQ(editor->imgBtnNavigation2->PicDsbld().Height(), 140);
    // The background: the header's pixels over the accent gradient.
    EXPECT_EQ(editor->imgBackground->Picture().Width(), 894);
    // The browser's window is owned by the shade, which owns the file dialogs too.
    ASSERT_TRUE(FrameBrowserWindow && ShadeWindow);
    EXPECT_EQ(GetWindow(FrameBrowserWindow->Handle(), GW_OWNER), ShadeWindow->Handle());
    EXPECT_EQ(DialogOwnerWindow, ShadeWindow->Handle());
    EXPECT_EQ(ShadeWindow->Owner(), editor.get());
}

TEST_F(EditorWindow, StartsWithoutAnyFrameDesign)
{
    std::filesystem::remove_all(stage.Install().Path() / "Frameset");
    CurrentFrame = TPhotoFrame{};
    Start();
    EXPECT_EQ(FrameList.Count(), 0);
    EXPECT_EQ(CurrentFrame.Name, "");
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_TRUE(CurrentPhoto); // the stand-in for a photo that cannot be loaded
}

TEST_F(EditorWindow, ShowPageMovesTheSelectionAndRefreshesTheViewPage)
{
    stage.Store(IdA, {});
    Start();
    editor->ShowPage(PageView);
    EXPECT_EQ(ShownPage(), PageView);
    EXPECT_EQ(SelectedButton(), PageView);
    EXPECT_TRUE(editor->btnDelete->Visible());
    EXPECT_FALSE(editor->stNoFrames->Visible());

    editor->ShowPage(PageAbout);
    EXPECT_EQ(ShownPage(), PageAbout);
    EXPECT_EQ(SelectedButton(), PageAbout);
    // A disabled (selected) button passes no click on.
    editor->imgBtnNavigation4->Click();
    EXPECT_EQ(ShownPage(), PageAbout);
    editor->imgBtnNavigation2->Click();
    EXPECT_EQ(ShownPage(), PageView);
    EXPECT_EQ(SelectedButton(), PageView);

    // Any other number is the new-photo page, reset.
    CurrentPhotoPath = "elsewhere.jpg";
    editor->ShowPage(3);
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_EQ(SelectedButton(), PageSinglePhoto);
    EXPECT_EQ(CurrentPhotoPath, FramesetDir + "nophoto.png");
}

TEST_F(EditorWindow, EditCommandOpensAListedSetAndIgnoresOthers)
{
    stage.Store(IdA, {});
    stage.Store(IdB, {});
    Start();
    Send("E{nothing-like-it}");
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_FALSE(EditMode());

    std::string lower = IdB;
    for (char& c : lower)
        c = static_cast<char>(tolower(c));
    Send("E" + lower);
    EXPECT_EQ(ViewIndex, 1);
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_EQ(SelectedButton(), PageView);
    EXPECT_TRUE(EditMode());

    // A set the editor cannot edit is only shown.
    editor->ShowPage(PageSinglePhoto);
    stage.Store(IdA, {{"FrameType", 1}});
    Send("E" + IdA);
    EXPECT_EQ(ViewIndex, 0);
    EXPECT_EQ(ShownPage(), PageView);
    EXPECT_FALSE(EditMode());
}

TEST_F(EditorWindow, RefreshCommandActsOnTheViewPageOnly)
{
    stage.Store(IdA, {});
    Start();
    Send("Rx");
    EXPECT_EQ(ShownPage(), PageSinglePhoto); // the new-photo page for its own sake
    editor->ShowPage(PageAbout);
    Send("Rx");
    EXPECT_EQ(ShownPage(), PageAbout);

    editor->ShowPage(PageView);
    RegDeleteTreeA(HKEY_CURRENT_USER, PhotoSetKey(IdA).c_str());
    Send("Rx");
    EXPECT_EQ(ShownPage(), PageView);
    EXPECT_TRUE(editor->stNoFrames->Visible());
    EXPECT_FALSE(editor->btnDelete->Visible());

    // Behind an edit: back to the view page.
    stage.Store(IdA, {});
    Send("E" + IdA);
    ASSERT_TRUE(EditMode());
    Send("Rx");
    EXPECT_EQ(ShownPage(), PageView);
    EXPECT_EQ(SelectedButton(), PageView);
}

TEST_F(EditorWindow, NewAndOpenCommandsResetThePage)
{
    stage.Store(IdA, {});
    Start();
    Send("E" + IdA);
    ASSERT_TRUE(EditMode());
    Send("N-");
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_EQ(SelectedButton(), PageSinglePhoto);
    EXPECT_FALSE(EditMode());

    const std::string photo = stage.Dir() + "photo.png";
    test::SaveImageFile(photo, 80, 40, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 80, 40, RGB(200, 30, 30)); });
    editor->ShowPage(PageAbout);
    Send("O" + photo);
    EXPECT_EQ(ShownPage(), PageSinglePhoto);
    EXPECT_EQ(CurrentPhotoPath, photo);
    EXPECT_EQ(editor->memoPhotoNotes->Text(), "");
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_FALSE(RenderSuppressed);
}

// A drop of files as the shell hands it over: a DROPFILES block with the names, each ended by a
// zero, and one more zero at the end. The receiver frees it with DragFinish.
HDROP DropOf(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += name + '\0';
    list += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(EditorWindow, ADroppedFileIsOpenedAndADroppedFolderIgnored)
{
    Start();
    const HWND page = editor->NotebookPageSinglePhoto->Handle();
    SendMessageA(page, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({stage.Dir() + "Frameset"})), 0);
    EXPECT_EQ(CurrentPhotoPath, FramesetDir + "nophoto.png");
    const std::string photo = stage.Dir() + "dropped.png";
    test::SaveImageFile(photo, 40, 30, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 40, 30, RGB(0, 120, 0)); });
    SendMessageA(page, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({photo, stage.Dir() + "other.png"})), 0);
    EXPECT_EQ(CurrentPhotoPath, photo);
    EXPECT_EQ(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_FALSE(RenderSuppressed);
}

TEST_F(EditorWindow, ShortTextsAreNoCommandsAndCommandsRestoreAMinimisedEditor)
{
    Start();
    editor->ShowPage(PageAbout);
    SendMessageA(editor->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(editor->Handle()));
    Send("N");
    Send("");
    EXPECT_TRUE(IsIconic(editor->Handle()));
    EXPECT_EQ(ShownPage(), PageAbout);
    Send("n-"); // letters are case-sensitive: nothing done, but restored
    EXPECT_EQ(ShownPage(), PageAbout);
    EXPECT_FALSE(IsIconic(editor->Handle()));

    SendMessageA(editor->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageA(editor->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(editor->Handle()));
}

TEST_F(EditorWindow, PushButtonsGetOneOrFiveIconsAndTheirMargin)
{
    Start();
    const auto images = [](ui::Button* button) {
        BUTTON_IMAGELIST record{};
        SendMessageA(button->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&record));
        return std::pair{record.himl ? ImageList_GetImageCount(record.himl) : -1, static_cast<int>(record.margin.left)};
    };
    EXPECT_EQ(images(editor->btnOpenPhoto), (std::pair{1, 14}));
    EXPECT_EQ(images(editor->btnZoomOut), (std::pair{5, 2}));
    // No disabled zoom-in icon among the resources: the normal one stands in, so the focused
    // (defaulted) state still has its image.
    EXPECT_EQ(images(editor->btnZoomIn), (std::pair{5, 2}));
    EXPECT_EQ(images(editor->btnResetImageEffects), (std::pair{0, 14}));
    EXPECT_EQ(images(editor->btnNext), (std::pair{5, 2}));
    EXPECT_EQ(images(editor->btnVisitWebsite), (std::pair{1, 14}));
    int width = 0, height = 0;
    BUTTON_IMAGELIST record{};
    SendMessageA(editor->btnPrev->Handle(), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&record));
    ImageList_GetIconSize(record.himl, &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
}

TEST_F(EditorWindow, ToolImagesAndLinksTakeTheHoverLook)
{
    Start();
    editor->imgHelpBtn->OnMouseEnter(*editor->imgHelpBtn);
    EXPECT_EQ(editor->stHelp->GetFont().GetColor(), 0x0084FFu);
    EXPECT_EQ(editor->stHelp->Cursor(), crHand);
    EXPECT_EQ(editor->stCheckForUpdates->GetFont().GetColor(), ui::clCaptionText);
    editor->imgHelpBtn->OnMouseLeave(*editor->imgHelpBtn);
    EXPECT_EQ(editor->stHelp->GetFont().GetColor(), ui::clCaptionText);
    EXPECT_EQ(editor->stHelp->Cursor(), ui::crDefault);

    editor->stClickToCreateFrame->OnMouseEnter(*editor->stClickToCreateFrame);
    EXPECT_EQ(editor->stClickToCreateFrame->GetFont().GetColor(), 0x0084FFu);
    editor->stClickToCreateFrame->OnMouseLeave(*editor->stClickToCreateFrame);
    EXPECT_EQ(editor->stClickToCreateFrame->GetFont().GetColor(), ui::clWindowText);
}

TEST_F(EditorWindow, OutsideTheSelectionTheThumbnailIsDarkenedFromItsOutlineOut)
{
    Start();
    const std::string photo = stage.Dir() + "white.png";
    test::SaveImageFile(photo, 400, 300, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 400, 300, RGB(255, 255, 255)); });
    Send("O" + photo);
    editor->btnZoomIn->Click(); // 190 x 142 at (5, 4) of the thumbnail
    const ui::Bitmap* shaded = editor->imgPhotoRenderBox->Picture().Graphic();
    ASSERT_TRUE(shaded);
    ASSERT_EQ(editor->imgPhotoRenderBox->Left(), editor->imgPhoto->Left());
    // Black at alpha 140 over white; the selection's own outline is darkened, the inside is not.
    const auto red = [&](int x, int y) { return GetRValue(GetPixel(shaded->DC(), x, y)); };
    const int dark = 255 - 140;
    EXPECT_EQ(red(4, 70), dark);
    EXPECT_EQ(red(5, 70), dark);
    EXPECT_EQ(red(6, 70), 255);
    EXPECT_EQ(red(5 + 190 - 2, 70), 255);
    EXPECT_EQ(red(5 + 190 - 1, 70), dark);
    EXPECT_EQ(red(100, 4), dark);
    EXPECT_EQ(red(100, 5), 255);
    EXPECT_EQ(red(100, 4 + 142 - 2), 255);
    EXPECT_EQ(red(100, 4 + 142 - 1), dark);
    EXPECT_EQ(red(199, 149), dark);
}

// What the editor handed the shell, and whether the busy cursor showed meanwhile.
struct ShellCall {
    std::string operation, document;
    bool parameters, directory, busy;
    int show;
};
std::vector<ShellCall> ShellCalls;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    ShellCalls.push_back({operation ? operation : "", file ? file : "", parameters != nullptr, directory != nullptr,
                          ui::Screen::Instance().Cursor() == ui::crHourGlass, show});
    return reinterpret_cast<HINSTANCE>(2); // file not found: the editor does not look
}

TEST_F(EditorWindow, HelpUpdateAndWebCommandsHandTheShellTheirDocuments)
{
    InstallDir = stage.Dir();
    Start();
    test::ImportPatch patch("shell32.dll", "ShellExecuteA", reinterpret_cast<void*>(&RecordShellExecute));
    ASSERT_TRUE(patch.Applied());
    ShellCalls.clear();
    for (ui::Control* control : {static_cast<ui::Control*>(editor->stHelp), static_cast<ui::Control*>(editor->imgHelpBtn),
                                 static_cast<ui::Control*>(editor->stCheckForUpdates),
                                 static_cast<ui::Control*>(editor->imgCheckForUpdatesBtn),
                                 static_cast<ui::Control*>(editor->btnAskOnline),
                                 static_cast<ui::Control*>(editor->btnVisitWebsite)})
        control->Click();

    const std::string update = "https://www.example.com/cgi-bin/lmts/update?version=1.3.178";
    const std::string expected[] = {stage.Dir() + "manual.chm", stage.Dir() + "manual.chm", update, update,
                                    "https://www.example.com/support/", "https://www.example.com/lumetta/"};
    ASSERT_EQ(ShellCalls.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(ShellCalls[i].document, expected[i]);
        EXPECT_EQ(ShellCalls[i].operation, "open");
        EXPECT_FALSE(ShellCalls[i].parameters || ShellCalls[i].directory);
        EXPECT_EQ(ShellCalls[i].show, SW_SHOWNORMAL);
        EXPECT_EQ(ShellCalls[i].busy, i == 2 || i == 3) << expected[i];
    }
    EXPECT_EQ(ui::Screen::Instance().Cursor(), ui::crDefault); // also after a failing shell
}

// What a window standing in for the agent received last.
std::string AgentReceived;

TEST_F(EditorWindow, CommandsToTheAgentAreLetterAndIdWithoutATerminator)
{
    Start();
    test::AgentStandIn agent(test::RecordCopyData<AgentReceived>);
    editor->SendAgentCommand("H" + IdA);
    EXPECT_EQ(AgentReceived, "H" + IdA);
}

TEST(SecondEditor, ForwardsOnlyAnExistingFileAfterOpen)
{
    test::TempFolder folder;
    folder.Write("photo.jpg", "x");
    const std::string file = folder.Dir() + "photo.jpg";
    EXPECT_EQ(SecondStartAction({}), TSecondStart::Restore);
    EXPECT_EQ(SecondStartAction({file}), TSecondStart::Restore);
    EXPECT_EQ(SecondStartAction({"-open", file}), TSecondStart::ForwardOpen);
    EXPECT_EQ(SecondStartAction({"-open", file, "more"}), TSecondStart::ForwardOpen);
    EXPECT_EQ(SecondStartAction({"-Open", file}), TSecondStart::Nothing);
    EXPECT_EQ(SecondStartAction({"-open", folder.Dir()}), TSecondStart::Nothing);
    EXPECT_EQ(SecondStartAction({"-open", file + ".missing"}), TSecondStart::Nothing);
    EXPECT_EQ(SecondStartAction({"-edit", IdA}), TSecondStart::Nothing);
}

} // namespace
