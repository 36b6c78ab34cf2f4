// The new-photo page on the real main window in this process: the clip selection's zoom steps,
// clamps and drag, one preview per batched change, the settings read from the controls, the
// text-position fall-backs and the page's reset.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AgentTestSupport.h"
#include "ImageSupport.h"
#include "InputSupport.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "editor/EditorMain.h"
#include "editor/EditorShadeWndU.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/GdiPlus.h"

using namespace lumetta;
using lumetta::test::AgentStage;

namespace {

// Position relative to the thumbnail's top-left corner, and size.
struct Placed {
    int x, y, w, h;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << p.w << " x " << p.h << " at (" << p.x << ", " << p.y << ")";
}

class NewPhotoPage : public ::testing::Test {
protected:
    AgentStage stage;
    ui::Owned<TLMTSEditorWndClass> editor;

    void SetUp() override
    {
        const std::string portraitFrame = "[FrameInfo]\r\nFilename=frame2.ini.png\r\nOrientation=portrait\r\n"
                                          "[ImageHold]\r\nLeft=20\r\nTop=20\r\nRight=100\r\nBottom=100\r\n"
                                          "[TextHold]\r\nLeft=-1\r\nTop=-1\r\nRight=-1\r\nBottom=-1\r\n";
        editor = ui::MakeForm<TLMTSEditorWndClass>();
        editor->Show();
        ui::App().ProcessMessages();
        // After the start, which draws its frame from the frame folder at random.
        stage.Install().Write("Frameset\\upright.ini", portraitFrame);
    }
    void TearDown() override { editor.reset(); }

    // The selection relative to the thumbnail.
    Placed Selection() const
    {
        const ui::Control& s = *editor->shapeClipSelector;
        return {s.Left() - editor->imgPhoto->Left(), s.Top() - editor->imgPhoto->Top(), s.Width(), s.Height()};
    }
    void UseFrame(const std::string& name)
    {
        editor->SelectFrame(name);
        editor->LoadCurrentPhoto();
    }
    // Zooms in while the button lets it; the number of steps.
    int ZoomInAll(std::vector<Placed>& steps)
    {
        int count = 0;
        while (editor->btnZoomIn->Enabled() && count < 100) {
            editor->btnZoomIn->Click();
            steps.push_back(Selection());
            ++count;
        }
        return count;
    }
    static Placed Swap(Placed p) { return {p.y, p.x, p.h, p.w}; }
    // The stored clip: the selection as fractions of the 200 x 150 thumbnail.
    void ExpectClipOfLandscapeThumbnail(Placed p) const
    {
        TPhotoClipRect clip;
        editor->GetClipRect(clip);
        EXPECT_DOUBLE_EQ(clip.X, p.x / 200.0);
        EXPECT_DOUBLE_EQ(clip.Y, p.y / 150.0);
        EXPECT_DOUBLE_EQ(clip.W, p.w / 200.0);
        EXPECT_DOUBLE_EQ(clip.H, p.h / 150.0);
    }
};

TEST_F(NewPhotoPage, ZoomStepsInBothOrientationsAndBackToTheWholeThumbnail)
{
    for (const bool portrait : {false, true}) {
        SCOPED_TRACE(portrait ? "portrait" : "landscape");
        UseFrame(portrait ? "upright.ini" : "frame2.ini");
        EXPECT_EQ(editor->imgPhoto->Left(), portrait ? 44 : 16);
        EXPECT_EQ(editor->imgPhoto->Top(), 56);
        const auto oriented = [&](Placed p) { return portrait ? Swap(p) : p; };
        EXPECT_EQ(Selection(), oriented({0, 0, 200, 150}));
        EXPECT_TRUE(editor->btnZoomIn->Enabled());
        EXPECT_FALSE(editor->btnZoomOut->Enabled());

        std::vector<Placed> steps;
        EXPECT_EQ(ZoomInAll(steps), 16);
        ASSERT_EQ(steps.size(), 16u);
        EXPECT_EQ(steps[0], oriented({5, 4, 190, 142}));
        EXPECT_EQ(steps[1], oriented({10, 7, 180, 135}));
        EXPECT_EQ(steps[2], oriented({15, 10, 170, 128}));
        EXPECT_EQ(steps[3], oriented({20, 14, 160, 120}));
        EXPECT_EQ(steps[4], oriented({25, 18, 150, 112}));
        EXPECT_EQ(steps[14], oriented({75, 52, 50, 38}));
        EXPECT_EQ(steps[15], oriented({80, 56, 40, 30}));
        EXPECT_TRUE(editor->btnZoomOut->Enabled());

        editor->btnZoomOut->Click();
        EXPECT_EQ(Selection(), oriented({75, 52, 50, 38}));
        EXPECT_TRUE(editor->btnZoomIn->Enabled());
        int outSteps = 1;
        while (editor->btnZoomOut->Enabled() && outSteps < 100) {
            editor->btnZoomOut->Click();
            ++outSteps;
        }
        EXPECT_EQ(outSteps, 16);
        EXPECT_EQ(Selection(), oriented({0, 0, 200, 150}));
        EXPECT_TRUE(editor->btnZoomIn->Enabled());
    }
}

TEST_F(NewPhotoPage, DragMovesEachAxisAloneAndZoomOutIsClampedInside)
{
    editor->btnZoomIn->Click();
    editor->btnZoomIn->Click();
    ASSERT_EQ(Selection(), (Placed{10, 7, 180, 135}));
    ui::Control& shape = *editor->shapeClipSelector;

    // A right button starts no drag.
    shape.MouseDown(ui::MouseButton::Right, ui::ssRight, 5, 5);
    shape.MouseMove(0, 15, 5);
    EXPECT_EQ(Selection(), (Placed{10, 7, 180, 135}));
    shape.MouseUp(ui::MouseButton::Right, 0, 15, 5);

    // Right to the edge while moving too far down: the selection moves right only, and the grip
    // slides vertically, so turning back up moves it again at once.
    shape.MouseDown(ui::MouseButton::Left, ui::ssLeft, 5, 5);
    shape.MouseMove(ui::ssLeft, 15, 25);
    EXPECT_EQ(Selection(), (Placed{20, 7, 180, 135}));
    shape.MouseMove(ui::ssLeft, 16, 22);
    EXPECT_EQ(Selection(), (Placed{20, 4, 180, 135}));
    const std::uint64_t renders = editor->PreviewRenders;
    shape.MouseUp(ui::MouseButton::Left, 0, 16, 22);
    EXPECT_FALSE(editor->ClipDragging);
    EXPECT_EQ(editor->PreviewRenders, renders + 1);

    // 190 x 142 re-centred to (15, 1) reaches past the right edge and is pushed back.
    editor->btnZoomOut->Click();
    EXPECT_EQ(Selection(), (Placed{10, 1, 190, 142}));

    ExpectClipOfLandscapeThumbnail({10, 1, 190, 142});
}

// The selection under the real pointer: the press goes through the group box it lies in.
TEST_F(NewPhotoPage, TheSelectionDragsWithThePointerAndTheGripSlidesWhenBothAxesStop)
{
    namespace pointer = lumetta::test::pointer;
    SetForegroundWindow(editor->Handle());
    const auto centreOf = lumetta::test::CentreOnScreen;
    pointer::Click(centreOf(*editor->btnZoomIn));
    ASSERT_EQ(Selection(), (Placed{5, 4, 190, 142}));

    POINT at = centreOf(*editor->shapeClipSelector);
    const auto moveBy = [&](int dx, int dy) {
        at = POINT{at.x + dx, at.y + dy};
        pointer::MoveTo(at);
    };
    pointer::MoveTo(at);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEALL));
    pointer::Press(at);
    EXPECT_TRUE(editor->ClipDragging);
    moveBy(3, -2);
    EXPECT_EQ(Selection(), (Placed{8, 2, 190, 142}));
    // Past both edges: nothing moves, but the grip slides on both axes...
    moveBy(20, 20);
    EXPECT_EQ(Selection(), (Placed{8, 2, 190, 142}));
    // ...so the way back moves the selection at once.
    moveBy(-1, -1);
    EXPECT_EQ(Selection(), (Placed{7, 1, 190, 142}));
    const std::uint64_t renders = editor->PreviewRenders;
    pointer::Release(at);
    EXPECT_FALSE(editor->ClipDragging);
    EXPECT_EQ(editor->PreviewRenders, renders + 1);
    ExpectClipOfLandscapeThumbnail({7, 1, 190, 142});
    // The capture went with the release: the next press elsewhere is where it lands.
    EXPECT_EQ(GetCapture(), nullptr);
    pointer::Click(centreOf(*editor->memoPhotoNotes));
    EXPECT_EQ(GetFocus(), editor->memoPhotoNotes->Handle());
}

TEST_F(NewPhotoPage, OneRenderPerBatchedChangeAndNoneWhileSuppressed)
{
    std::uint64_t before = editor->PreviewRenders;
    const auto renders = [&] {
        const std::uint64_t now = editor->PreviewRenders;
        const std::uint64_t made = now - before;
        before = now;
        return made;
    };
    RenderSuppressed = true;
    editor->trackBrightness->SetPosition(7);
    editor->trackZoom->SetPosition(9);
    editor->cbSepia->SetChecked(true);
    editor->memoPhotoNotes->SetText("quiet");
    editor->DoRenderFramePreview(*editor);
    EXPECT_EQ(renders(), 0u);
    // The open sequence under a raised flag renders once, at the end of the load.
    editor->OpenPhoto(FramesetDir + "missing.jpg");
    EXPECT_FALSE(RenderSuppressed);
    EXPECT_EQ(renders(), 1u);
    EXPECT_EQ(editor->memoPhotoNotes->Text(), "");

    editor->btnResetImageEffects->Click();
    EXPECT_EQ(renders(), 1u);
    EXPECT_EQ(editor->trackBrightness->Position(), 0);
    EXPECT_FALSE(editor->cbSepia->Checked());
    editor->btnResetImageEffectsClick(nullptr);
    EXPECT_EQ(renders(), 0u);

    editor->trackContrast->SetPosition(-3);
    EXPECT_EQ(renders(), 1u);
    editor->cbEmboss->SetChecked(true);
    EXPECT_EQ(renders(), 1u);
    editor->btnZoomIn->Click();
    EXPECT_EQ(renders(), 1u);
    // The preview box: 448 x 448, the picture centred on the window colour.
    ui::Bitmap* preview = editor->imgPreview->Picture().Graphic();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Width(), 448);
    EXPECT_EQ(preview->Height(), 448);
    EXPECT_EQ(preview->Canvas().Pixel(0, 0), GetSysColor(COLOR_WINDOW));
}

TEST_F(NewPhotoPage, SettingsComeFromTheControlsAndTheEffectHintShowsBesideTheSlider)
{
    TFramedEffects fx;
    for (const auto& [position, ratio] : {std::pair{20, 1.0}, {5, 2.0}, {30, 1.0 / 3}}) {
        editor->trackZoom->SetPosition(position);
        editor->GetFramedEffects(fx);
        EXPECT_DOUBLE_EQ(fx.ZoomRatio, ratio) << position;
    }
    // The slider under the cursor shows its value while it moves.
    const RECT track = {0, 0, editor->trackBrightness->Width(), editor->trackBrightness->Height()};
    const POINT centre = editor->trackBrightness->ClientToScreen(POINT{track.right / 2, track.bottom / 2});
    SetCursorPos(centre.x, centre.y);
    ui::App().UpdateMouseControl(centre);
    editor->trackBrightness->SetPosition(-25);
    editor->GetFramedEffects(fx);
    EXPECT_EQ(fx.Brightness, -250);
    EXPECT_EQ(ui::App().CurrentHint(), "-100 %");
    EXPECT_EQ(editor->trackBrightness->Hint(), "");
    editor->trackBrightness->SetPosition(5);
    EXPECT_EQ(ui::App().CurrentHint(), "20 %");

    editor->trackRotation->SetPosition(-90);
    editor->trackSaturation->SetPosition(25);
    editor->cbColorNoise->SetChecked(true);
    editor->TextPositionItems[7]->Click();
    editor->FontDialog->GetFont().SetStyle(ui::fsBold | ui::fsUnderline);
    editor->memoPhotoNotes->SetText("one\r\ntwo");
    editor->GetFramedEffects(fx);
    EXPECT_EQ(fx.PhotoFile, CurrentPhotoPath);
    EXPECT_EQ(fx.RotationAngle, -90);
    EXPECT_EQ(fx.Saturation, 250);
    EXPECT_TRUE(fx.ColorNoise);
    EXPECT_FALSE(fx.Sepia);
    EXPECT_EQ(fx.NotesPos, 7);
    EXPECT_TRUE(fx.Bold && fx.Underline && !fx.Italic && !fx.StrikeOut);
    EXPECT_EQ(fx.FontColor, ui::clWindowText);
    EXPECT_EQ(fx.PhotoNotes, "one\r\ntwo");
}

TEST_F(NewPhotoPage, APhotoFrameCheckFallsBackWhenTheFrameHasNoTextArea)
{
    ASSERT_TRUE(editor->PhotoFrame1->Checked());
    editor->SelectFrame("upright.ini");
    EXPECT_FALSE(editor->PhotoFrame1->Enabled());
    EXPECT_TRUE(editor->MiddleCenter1->Checked());
    EXPECT_FALSE(editor->PhotoFrame1->Checked());

    // A frame with a text area offers the position again without checking it.
    editor->SelectFrame("frame2.ini");
    EXPECT_TRUE(editor->PhotoFrame1->Enabled());
    EXPECT_TRUE(editor->MiddleCenter1->Checked());

    // Another position stays where it is.
    editor->TextPositionItems[2]->Click();
    editor->SelectFrame("upright.ini");
    EXPECT_TRUE(editor->TextPositionItems[2]->Checked());
}

// After the frame browser or the Open dialog, the editor is the active window again and the
// button that opened it has the keyboard focus.
TEST_F(NewPhotoPage, TheEditorIsActiveAgainAfterTheBrowserAndTheOpenDialog)
{
    namespace pointer = lumetta::test::pointer;
    using lumetta::test::KeysWhen;
    SetForegroundWindow(editor->Handle());
    lumetta::test::Settle();
    const auto clickOn = [](const ui::Window& button) { pointer::Click(lumetta::test::CentreOnScreen(button)); };
    const auto browserShown = [] { return IsWindowVisible(FrameBrowserWindow->Handle()) != FALSE; };
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Esc" : "Enter");
        KeysWhen answer(browserShown, {key});
        clickOn(*editor->btnSingleFrameChoose);
        EXPECT_TRUE(answer.Join());
        lumetta::test::Settle();
        EXPECT_FALSE(browserShown());
        EXPECT_EQ(GetActiveWindow(), editor->Handle());
        EXPECT_EQ(GetFocus(), editor->btnSingleFrameChoose->Handle());
    }

    const DWORD thread = GetCurrentThreadId();
    KeysWhen cancel([thread] { return lumetta::test::VisibleDialogOf(thread) != nullptr; }, {VK_ESCAPE});
    clickOn(*editor->btnOpenPhoto);
    EXPECT_TRUE(cancel.Join());
    lumetta::test::Settle();
    EXPECT_EQ(lumetta::test::VisibleDialogOf(GetCurrentThreadId()), nullptr);
    EXPECT_EQ(GetActiveWindow(), editor->Handle());
    EXPECT_EQ(GetFocus(), editor->btnOpenPhoto->Handle());
}

// Tab and Shift+Tab move in and out of the note; a tab never gets into it.
TEST_F(NewPhotoPage, TabAndShiftTabLeaveTheNote)
{
    namespace keys = lumetta::test::keys;
    SetForegroundWindow(editor->Handle());
    const ui::Memo& note = *editor->memoPhotoNotes;
    lumetta::test::pointer::Click(lumetta::test::CentreOnScreen(note));
    ASSERT_EQ(GetFocus(), note.Handle());
    keys::ShiftTab();
    EXPECT_NE(GetFocus(), note.Handle());
    keys::Tab();
    EXPECT_EQ(GetFocus(), note.Handle());
    keys::Tab();
    EXPECT_EQ(GetFocus(), editor->btnChooseFont->Handle());
    keys::ShiftTab();
    EXPECT_EQ(GetFocus(), note.Handle());
    EXPECT_EQ(note.Text().find('\t'), std::string::npos);
}

// Characters typed as Unicode key packets reach the note, the stored record and the picture as
// the user's ANSI characters: the euro sign, dashes and quotes as well as é, ü. The caption
// drawn differs from one of the characters cut to their low bytes (¬ for the euro sign; the
// dashes and quotes become control codes, which typing leaves out).
TEST_F(NewPhotoPage, TypedCharactersOfTheCodePageReachTheNoteTheRecordAndThePicture)
{
    ASSERT_EQ(GetACP(), 1252u) << "the characters below are those of code page 1252";
    SetForegroundWindow(editor->Handle());
    ui::Memo& note = *editor->memoPhotoNotes;
    note.SetText("");
    lumetta::test::pointer::Click(lumetta::test::CentreOnScreen(note));
    ASSERT_EQ(GetFocus(), note.Handle());
    const std::wstring typed = L"5\u20AC \u2013 \u201E\u201C \u00E9\u00FC";
    lumetta::test::keys::TypeUnicode(typed.c_str());
    const std::string ansi = "5\x80 \x96 \x84\x93 \xE9\xFC";
    EXPECT_EQ(note.Text(), ansi);
    editor->SavePhotoSetValues(PhotoSetKey("1"));
    const std::string stored = ReadPhotoSetSettings("1").Effects.PhotoNotes;
    EXPECT_EQ(stored, ansi);
    EXPECT_EQ(ui::WideFromAnsi(stored), typed);

    const auto preview = [&] {
        ui::Bitmap& picture = *editor->imgPreview->Picture().Graphic();
        std::vector<std::uint8_t> pixels;
        for (int row = 0; row < picture.Height(); ++row) {
            const std::uint8_t* line = picture.ScanLine(row);
            pixels.insert(pixels.end(), line, line + picture.Width() * 3);
        }
        return pixels;
    };
    const std::vector<std::uint8_t> drawn = preview();
    std::string lowBytes;
    for (const wchar_t c : typed)
        if ((c & 0xFF) >= 0x20) // typed control codes never reach the note
            lowBytes += static_cast<char>(c & 0xFF);
    note.SetText(lowBytes);
    EXPECT_TRUE(preview() != drawn) << "the caption of the low bytes looks the same";
}

// A frame of the other orientation moves the thumbnail: what the old one covered is drawn anew.
TEST_F(NewPhotoPage, TheOldThumbnailLeavesNothingBehind)
{
    const std::string photo = stage.Dir() + "red.png";
    lumetta::test::SaveImageFile(photo, 120, 90, [](Gdiplus::Graphics& g) { lumetta::test::FillArea(g, 0, 0, 120, 90, RGB(255, 0, 0)); });
    UseFrame("frame2.ini");
    editor->OpenPhoto(photo);
    SetForegroundWindow(editor->Handle());
    lumetta::test::Settle();
    // Left of where the upright thumbnail will start, half way down.
    const POINT probe{editor->imgPhoto->Left() + 10, editor->imgPhoto->Top() + 75};
    const auto red = [&] {
        HDC dc = GetDC(editor->gbPhoto->Handle());
        const COLORREF colour = GetPixel(dc, probe.x, probe.y);
        ReleaseDC(editor->gbPhoto->Handle(), dc);
        return GetRValue(colour) > 200 && GetGValue(colour) < 60 && GetBValue(colour) < 60;
    };
    ASSERT_TRUE(red());
    UseFrame("upright.ini");
    lumetta::test::Settle();
    ASSERT_GT(editor->imgPhoto->Left(), probe.x);
    EXPECT_FALSE(red());
}

// Answers the frame browser's modal loop: the named frame chosen with OK, or Cancel.
std::string BrowserChoice;
void CALLBACK AnswerBrowser(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    ui::ListBox& frames = *FrameBrowserWindow->lbFrames;
    frames.Clear();
    frames.SetItemIndex(frames.Add(BrowserChoice));
    FrameBrowserWindow->SetModalResult(BrowserChoice.empty() ? ui::mrCancel : ui::mrOk);
}

TEST_F(NewPhotoPage, TheBrowsersFrameWithoutTextAreaMovesTheCheckToTopLeftAndReloads)
{
    ASSERT_TRUE(editor->PhotoFrame1->Checked());
    BrowserChoice.clear();
    SetTimer(nullptr, 0, 50, AnswerBrowser);
    editor->btnSingleFrameChoose->Click();
    EXPECT_EQ(CurrentFrame.Name, "frame2.ini");
    EXPECT_TRUE(editor->PhotoFrame1->Checked());

    BrowserChoice = "upright.ini";
    const std::uint64_t renders = editor->PreviewRenders;
    SetTimer(nullptr, 0, 50, AnswerBrowser);
    editor->btnSingleFrameChoose->Click();
    EXPECT_EQ(CurrentFrame.Name, "upright.ini");
    EXPECT_TRUE(editor->TextPositionItems.front()->Checked());
    EXPECT_FALSE(editor->PhotoFrame1->Enabled());
    EXPECT_EQ(LastOrientation, 1);
    EXPECT_EQ(Selection(), (Placed{0, 0, 150, 200}));
    EXPECT_EQ(editor->PreviewRenders, renders + 1);
    EXPECT_FALSE(ShadeWindow->Visible());
}

TEST_F(NewPhotoPage, ResetPutsTheDefaultsBackButKeepsTextPositionAndFrame)
{
    Messages[16] = "Type a few words about this photo here";
    editor->SelectFrame("upright.ini");
    editor->TextPositionItems[8]->Click();
    editor->trackZoom->SetPosition(6);
    editor->trackRotation->SetPosition(-40);
    editor->trackSaturation->SetPosition(3);
    editor->cbSepia->SetChecked(true);
    editor->FontDialog->GetFont().SetName("Courier New");
    editor->FontDialog->GetFont().SetSize(30);
    editor->OpenPhoto(FramesetDir + "elsewhere.jpg");
    editor->btnZoomIn->Click();

    editor->ResetSinglePhotoPage();
    EXPECT_EQ(CurrentPhotoPath, FramesetDir + "nophoto.png");
    EXPECT_EQ(editor->memoPhotoNotes->Text(), "Type a few words about this \r\nphoto here");
    EXPECT_EQ(editor->btnEdit->Caption(), Messages[6]);
    EXPECT_EQ(editor->trackZoom->Position(), 20);
    EXPECT_EQ(editor->trackRotation->Position(), 4);
    EXPECT_EQ(editor->trackSaturation->Position(), 0);
    EXPECT_FALSE(editor->cbSepia->Checked());
    const ui::Font& font = editor->FontDialog->GetFont();
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Style(), ui::fsItalic);
    EXPECT_EQ(font.GetColor(), ui::clWindowText);
    EXPECT_TRUE(editor->TextPositionItems[8]->Checked());
    EXPECT_EQ(CurrentFrame.Name, "upright.ini");
    EXPECT_EQ(LastOrientation, 1);
    EXPECT_EQ(Selection(), (Placed{0, 0, 150, 200}));
    EXPECT_FALSE(RenderSuppressed);
}

// A drop of these names, as the shell hands it over; the receiver frees it.
HDROP DropOf(const std::vector<std::string>& names)
{
    std::size_t chars = 1;
    for (const std::string& name : names)
        chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    char* text = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names) {
        std::memcpy(text, name.c_str(), name.size() + 1);
        text += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(NewPhotoPage, ADropOpensTheFirstFileAndIgnoresFoldersAndMissingNames)
{
    HWND page = editor->NotebookPageSinglePhoto->Handle();
    const std::string before = CurrentPhotoPath;
    SendMessageA(page, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({stage.Dir() + "Frameset"})), 0);
    SendMessageA(page, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({stage.Dir() + "gone.jpg"})), 0);
    EXPECT_EQ(CurrentPhotoPath, before);

    stage.Install().Write("notes.txt", "not a picture");
    stage.Install().Write("second.txt", "not one either");
    const std::uint64_t renders = editor->PreviewRenders;
    SendMessageA(page, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(DropOf({stage.Dir() + "notes.txt", stage.Dir() + "second.txt"})), 0);
    EXPECT_EQ(CurrentPhotoPath, stage.Dir() + "notes.txt");
    EXPECT_NE(LastPhotoStatus, Gdiplus::Ok);
    EXPECT_EQ(editor->memoPhotoNotes->Text(), "");
    EXPECT_FALSE(RenderSuppressed);
    EXPECT_EQ(editor->PreviewRenders, renders + 1);
}

TEST_F(NewPhotoPage, CtrlASelectsTheWholeNoteAndTheNoteHasItsLimit)
{
    editor->memoPhotoNotes->SetText("select me");
    BYTE keys[256] = {};
    const auto press = [&](std::initializer_list<int> down) {
        std::fill(std::begin(keys), std::end(keys), BYTE{0});
        for (const int key : down)
            keys[key] = 0x80;
        SetKeyboardState(keys);
        SendMessageA(editor->memoPhotoNotes->Handle(), EM_SETSEL, 0, 0);
        char key = 1;
        editor->memoPhotoNotesKeyPress(*editor->memoPhotoNotes, key);
        DWORD start = 0, end = 0;
        SendMessageA(editor->memoPhotoNotes->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::pair{key, end - start};
    };
    EXPECT_EQ(press({VK_CONTROL, 'A'}), (std::pair<char, DWORD>{0, 9}));
    EXPECT_EQ(press({VK_CONTROL, VK_SHIFT, 'A'}), (std::pair<char, DWORD>{1, 0}));
    EXPECT_EQ(press({VK_CONTROL, VK_MENU, 'A'}), (std::pair<char, DWORD>{1, 0}));
    press({});

    EXPECT_EQ(SendMessageA(editor->memoPhotoNotes->Handle(), EM_GETLIMITTEXT, 0, 0), 2047);
}

TEST(NewPhotoRules, DialogFolderAndMessageNumbers)
{
    const std::string frames = "C:\\Lumetta\\Frameset\\";
    EXPECT_EQ(PhotoDialogFolder("D:\\Photos\\a.jpg", frames), "D:\\Photos\\");
    EXPECT_EQ(PhotoDialogFolder(frames + "nophoto.png", frames), std::nullopt);
    EXPECT_EQ(PhotoDialogFolder("", frames), std::nullopt);
    // The comparison is exact: another case is another folder.
    EXPECT_EQ(PhotoDialogFolder("C:\\Lumetta\\FRAMESET\\x.png", frames), "C:\\Lumetta\\FRAMESET\\");
    // The dialog's buffer holds a folder of 260 characters, not one more.
    const std::string longest = "D:\\" + std::string(256, 'p') + "\\";
    EXPECT_EQ(PhotoDialogFolder(longest + "a.jpg", frames), longest);
    EXPECT_EQ(PhotoDialogFolder("D:\\" + std::string(257, 'p') + "\\a.jpg", frames), std::nullopt);


    EXPECT_EQ(FormatMessageNumber("Zoom: %.2fx", 1.0 / 3), "Zoom: 0.33x");
    EXPECT_EQ(FormatMessageNumber("Rotation: %d degrees", std::int64_t{-90}), "Rotation: -90 degrees");
    EXPECT_EQ(FormatMessageNumber("%d %%", std::int64_t{20}), "20 %");
    // A translation with the wrong conversion gives the number alone instead of reading past it.
    EXPECT_EQ(FormatMessageNumber("Zoom: %s", 2.0), "2");
    EXPECT_EQ(FormatMessageNumber("%d of %d", std::int64_t{4}), "4");
}

// Every slider and check box of the page, used with the real pointer, changes the preview.
TEST_F(NewPhotoPage, EverySliderAndCheckBoxChangesThePreviewUnderThePointer)
{
    namespace pointer = lumetta::test::pointer;
    SetForegroundWindow(editor->Handle());
    lumetta::test::Settle();
    const auto effects = [&] {
        TFramedEffects e;
        editor->GetFramedEffects(e);
        return std::vector<double>{e.ZoomRatio, double(e.RotationAngle), double(e.Brightness), double(e.Contrast),
                                   double(e.Saturation), double(e.Sepia), double(e.Emboss), double(e.ColorNoise)};
    };
    // A click on the channel a quarter from one end moves the slider a page that way.
    struct Use {
        ui::Control* control;
        POINT at;
    };
    const auto nearEnd = [](const ui::Control& track) {
        return track.Width() > track.Height() ? POINT{track.Width() * 3 / 4, track.Height() / 2}
                                              : POINT{track.Width() / 2, track.Height() / 4};
    };
    std::vector<Use> uses;
    for (TOrvaneTrackbar* track : {editor->trackZoom, editor->trackRotation, editor->trackBrightness,
                                   editor->trackContrast, editor->trackSaturation})
        uses.push_back({track, nearEnd(*track)});
    for (ui::CheckBox* box : {editor->cbSepia, editor->cbEmboss, editor->cbColorNoise})
        uses.push_back({box, POINT{6, box->Height() / 2}});

    for (const Use& use : uses) {
        SCOPED_TRACE(use.control->Name());
        const std::vector<double> before = effects();
        const std::uint64_t renders = editor->PreviewRenders;
        pointer::Click(use.control->ClientToScreen(use.at));
        EXPECT_NE(effects(), before);
        EXPECT_GT(editor->PreviewRenders, renders);
    }
}

} // namespace
