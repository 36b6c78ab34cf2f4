// Photo sets on the editor's main window in this process: the values written and read back by
// Edit, Apply, the placement, and the view page's stepping, hide/show and remove, with a stand-in
// agent window that records every command and what the registry held when it came.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "AgentTestSupport.h"
#include "ImageSupport.h"
#include "InputSupport.h"
#include "ProcessTestSupport.h"
#include "editor/EditorFinalPreviewWndU.h"
#include "editor/EditorMain.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Timer.h"

using namespace lumetta;
using lumetta::test::AgentStage;
using lumetta::test::DialogPresser;

namespace {

const std::string IdA = "{A1111111-0000-4000-8000-00000000000A}";
const std::string IdB = "{B2222222-0000-4000-8000-00000000000B}";
const std::string IdC = "{C3333333-0000-4000-8000-00000000000C}";

// A command as the agent received it, with the set's Hidden value and whether its key existed then.
struct Received {
    std::string text;
    std::int32_t hidden = -1;
    bool keyExisted = false;
};
std::vector<Received> received;

LRESULT CALLBACK StandInProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcA(window, msg, wParam, lParam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Received r{std::string(static_cast<const char*>(data->lpData), data->cbData)};
    const std::string key = PhotoSetKey(r.text.substr(1));
    r.keyExisted = test::KeyExists(HKEY_CURRENT_USER, key);
    ReadRegInteger(HKEY_CURRENT_USER, key, "Hidden", r.hidden);
    received.push_back(r);
    return 0;
}

// The agent stand-in records what it receives; each test starts with an empty record.
class RecordingAgent {
public:
    RecordingAgent() { received.clear(); }

private:
    test::AgentStandIn window_{StandInProc};
};

// The value names the program writes, in the order it writes them.
std::vector<std::string> writtenNames;
test::ImportPatch* valueWrites = nullptr;

LONG WINAPI RecordValueWrite(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    writtenNames.emplace_back(name);
    return valueWrites->Original<decltype(&RegSetValueExA)>()(key, name, reserved, type, data, size);
}

std::vector<std::string> ValueNames(const std::string& key)
{
    std::vector<std::string> names;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return names;
    char name[260];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumValueA(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name);
    }
    RegCloseKey(handle);
    return names;
}

class PhotoSets : public ::testing::Test {
protected:
    AgentStage stage;
    RecordingAgent agent;
    ui::Owned<TLMTSEditorWndClass> editor;
    std::array<std::string, MessageCount> savedMessages = Messages;

    void Start()
    {
        editor = ui::MakeForm<TLMTSEditorWndClass>();
        editor->Show();
        ui::App().ProcessMessages();
        for (int i : {6, 7, 9, 10, 11, 12})
            Messages[i] = "msg" + std::to_string(i);
    }
    void TearDown() override
    {
        editor.reset();
        Messages = savedMessages;
    }
    std::string Text(const std::string& id, const char* name) const
    {
        std::string text;
        ReadRegString(HKEY_CURRENT_USER, PhotoSetKey(id), name, text);
        return text;
    }
    bool EditMode() const { return editor->btnSingleFrameOK->Visible() && !editor->btnSingleFrameDone->Visible(); }
    TControlBounds Selection() const
    {
        const ui::Shape& s = *editor->shapeClipSelector;
        return {s.Left(), s.Top(), s.Width(), s.Height()};
    }
    int CheckedTextPosition() const
    {
        for (std::size_t i = 0; i < editor->TextPositionItems.size(); ++i)
            if (editor->TextPositionItems[i]->Checked())
                return static_cast<int>(i);
        return -1;
    }
    // Every setting away from the page's defaults.
    void ChangeEverySetting(const std::string& photo) const
    {
        CurrentPhotoPath = photo;
        editor->LoadCurrentPhoto();
        editor->shapeClipSelector->SetBounds(36, 70, 150, 112);
        editor->trackRotation->SetPosition(-33);
        editor->trackZoom->SetPosition(7);
        editor->memoPhotoNotes->SetText("First line\r\nsecond line");
        editor->TextPositionItems[2]->SetChecked(true);
        ui::Font& font = editor->FontDialog->GetFont();
        font.SetName("Courier New");
        font.SetStyle(ui::fsBold | ui::fsUnderline);
        font.SetSize(22);
        font.SetColor(0x123456);
        editor->trackBrightness->SetPosition(-25);
        editor->trackContrast->SetPosition(13);
        editor->trackSaturation->SetPosition(5);
        editor->cbSepia->SetChecked(true);
        editor->cbColorNoise->SetChecked(true);
    }
};

TEST_F(PhotoSets, TheValuesAreWrittenInOrderAndEditReadsThemBackIntoTheSameControls)
{
    const std::string photo = stage.Dir() + "photo.png";
    test::SaveImageFile(photo, 400, 300, [](Gdiplus::Graphics& g) { test::FillArea(g, 0, 0, 400, 300, RGB(30, 120, 200)); });
    Start();
    ChangeEverySetting(photo);
    {
        test::ImportPatch patch("advapi32.dll", "RegSetValueExA", reinterpret_cast<void*>(&RecordValueWrite));
        ASSERT_TRUE(patch.Applied());
        valueWrites = &patch;
        writtenNames.clear();
        editor->SavePhotoSetValues(PhotoSetKey(IdA));
    }
    EXPECT_EQ(writtenNames,
              (std::vector<std::string>{"PhotoFile", "Frame", "ClipX", "ClipY", "ClipW", "ClipH", "RotationAngle",
                                        "ZoomRatio", "PhotoNotes", "NotesPos", "FontFace", "Bold", "Italic", "Underline",
                                        "StrikeOut", "FontSize", "FontColor", "Brightness", "Contrast", "Saturation",
                                        "Sepia", "Emboss", "ColorNoise"}));
    EXPECT_EQ(Text(IdA, "PhotoFile"), photo);
    EXPECT_EQ(Text(IdA, "Frame"), "frame2.ini");
    const std::string sep(1, DecimalSeparator());
    EXPECT_EQ(Text(IdA, "ClipX"), "0" + sep + "1");
    EXPECT_EQ(Text(IdA, "ClipY"), "0" + sep + "0933333333333333");
    EXPECT_EQ(Text(IdA, "ClipW"), "0" + sep + "75");
    EXPECT_EQ(Text(IdA, "ClipH"), "0" + sep + "746666666666667");
    EXPECT_EQ(Text(IdA, "ZoomRatio"), "1" + sep + "86666666666667");
    EXPECT_EQ(stage.Read(IdA, "RotationAngle"), -33);
    EXPECT_EQ(stage.Read(IdA, "NotesPos"), 2);
    EXPECT_EQ(stage.Read(IdA, "Bold"), 1);
    EXPECT_EQ(stage.Read(IdA, "Italic"), 0);
    EXPECT_EQ(stage.Read(IdA, "FontSize"), 22);
    EXPECT_EQ(stage.Read(IdA, "FontColor"), 0x123456);
    EXPECT_EQ(stage.Read(IdA, "Brightness"), -250);
    EXPECT_EQ(stage.Read(IdA, "Contrast"), 130);
    EXPECT_EQ(stage.Read(IdA, "Emboss"), 0);

    // Back to a fresh page, then Edit puts every value where it came from.
    editor->ShowPage(PageSinglePhoto);
    ASSERT_NE(editor->trackZoom->Position(), 7);
    ViewIndex = 0;
    editor->ShowPage(PageView);
    editor->btnEdit->Click();
    EXPECT_TRUE(EditMode());
    EXPECT_EQ(editor->nPages->ActivePage(), editor->NotebookPageSinglePhoto);
    EXPECT_FALSE(editor->imgBtnNavigation2->Enabled()); // the view page's button stays selected
    EXPECT_FALSE(RenderSuppressed);
    EXPECT_EQ(CurrentPhotoPath, photo);
    EXPECT_EQ(editor->OpenPictureDialog->FileName(), photo);
    EXPECT_EQ(Selection(), (TControlBounds{36, 70, 150, 112}));
    EXPECT_TRUE(editor->btnZoomIn->Enabled());
    EXPECT_TRUE(editor->btnZoomOut->Enabled());
    EXPECT_EQ(editor->trackRotation->Position(), -33);
    EXPECT_EQ(editor->trackZoom->Position(), 7);
    EXPECT_EQ(editor->memoPhotoNotes->Text(), "First line\r\nsecond line");
    EXPECT_EQ(CheckedTextPosition(), 2);
    const ui::Font& font = editor->FontDialog->GetFont();
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Style(), ui::fsBold | ui::fsUnderline);
    EXPECT_EQ(font.Size(), 22);
    EXPECT_EQ(font.GetColor(), 0x123456u);
    EXPECT_EQ(editor->trackBrightness->Position(), -25);
    EXPECT_EQ(editor->trackContrast->Position(), 13);
    EXPECT_EQ(editor->trackSaturation->Position(), 5);
    EXPECT_TRUE(editor->cbSepia->Checked());
    EXPECT_FALSE(editor->cbEmboss->Checked());
    EXPECT_TRUE(editor->cbColorNoise->Checked());

    // Discard writes nothing and goes back to the view page.
    editor->trackZoom->SetPosition(20);
    editor->btnSingleFrameCancel->Click();
    EXPECT_EQ(editor->nPages->ActivePage(), editor->NotebookPageView);
    EXPECT_EQ(Text(IdA, "ZoomRatio"), "1" + sep + "86666666666667");
    EXPECT_TRUE(received.empty());
}

TEST_F(PhotoSets, EditFallsBackOnMissingAndUnreadableValuesAndSkipsOtherKinds)
{
    stage.Store(IdA, {{"NotesPos", 12}, {"Brightness", -25}, {"Contrast", 15}, {"Sepia", 2}});
    stage.StoreText(IdA, "Frame", "gone.ini");
    stage.StoreText(IdA, "PhotoFile", stage.Dir() + "Frameset\\nophoto.png");
    stage.StoreText(IdA, "ZoomRatio", "not a number");
    stage.Store(IdB, {{"FrameType", 2}});
    Start();
    editor->TextPositionItems[5]->SetChecked(true);
    const std::string dialogFile = editor->OpenPictureDialog->FileName();

    ViewIndex = 1; // FrameType 2: nothing happens
    editor->btnEditClick(*editor);
    EXPECT_FALSE(EditMode());
    ViewIndex = 7; // no set there
    editor->btnEditClick(*editor);
    EXPECT_FALSE(EditMode());

    ViewIndex = 0;
    editor->btnEditClick(*editor);
    ASSERT_TRUE(EditMode()); // the unreadable zoom ratio does not stop the edit half-way
    EXPECT_EQ(editor->trackZoom->Position(), 20);
    EXPECT_EQ(CurrentFrame.Name, "frame2.ini");
    EXPECT_EQ(editor->OpenPictureDialog->FileName(), dialogFile); // a frame-folder photo stays out
    EXPECT_EQ(CheckedTextPosition(), 5);                          // NotesPos 12 changes nothing
    EXPECT_EQ(editor->FontDialog->GetFont().Name(), "Arial");
    EXPECT_EQ(editor->FontDialog->GetFont().Size(), 14);
    EXPECT_EQ(editor->FontDialog->GetFont().GetColor(), 0u);
    EXPECT_EQ(Selection(), (TControlBounds{16, 56, 200, 150})); // no clip: the whole thumbnail
    EXPECT_FALSE(editor->btnZoomOut->Enabled());
    EXPECT_EQ(editor->trackBrightness->Position(), -2); // -2.5 rounds to even
    EXPECT_EQ(editor->trackContrast->Position(), 2);
    EXPECT_FALSE(editor->cbSepia->Checked());

    // Another decimal mark, and no value at all.
    stage.StoreText(IdA, "ZoomRatio", DecimalSeparator() == '.' ? "0,5" : "0.5");
    editor->btnEditClick(*editor);
    EXPECT_EQ(editor->trackZoom->Position(), 28); // 27.5 to even
    RegDeleteKeyValueA(HKEY_CURRENT_USER, PhotoSetKey(IdA).c_str(), "ZoomRatio");
    editor->btnEditClick(*editor);
    EXPECT_EQ(editor->trackZoom->Position(), 20);
}

TEST(PhotoSetArithmetic, StoredValuesBackToControls)
{
    EXPECT_EQ(ZoomSliderFromRatio(1.0, 30), 20);
    EXPECT_EQ(ZoomSliderFromRatio(2.0, 30), 5);
    EXPECT_EQ(ZoomSliderFromRatio(0.333333333333333, 30), 30);
    EXPECT_EQ(ZoomSliderFromRatio(1.1, 30), 18); // 18.5 to even
    EXPECT_EQ(EffectSliderFromAmount(-250), -25);
    EXPECT_EQ(EffectSliderFromAmount(15), 2);
    EXPECT_EQ(EffectSliderFromAmount(-35), -4);
    // A portrait thumbnail; 41 wide would enable zoom in.
    EXPECT_EQ(ClipSelectionFromClip({0.5, 0.125, 0.27333333333333, 0.275}, {44, 56, 150, 200}),
              (TControlBounds{119, 81, 41, 55}));
    EXPECT_EQ(ClipSelectionFromClip({0, 0, 1, 1}, {16, 56, 200, 150}), (TControlBounds{16, 56, 200, 150}));
}

TEST_F(PhotoSets, ApplyRewritesTheSettingsAndKeepsTheWindowValues)
{
    stage.Store(IdA, {{"X", 40}, {"Y", -30}, {"Transparency", 70}, {"FadeIn", 0}, {"Locked", 1}, {"OnTop", 1}, {"Hidden", 1}});
    stage.StoreText(IdA, "ZoomRatio", "1");
    Start();
    ViewIndex = 0;
    editor->ShowPage(PageView);
    editor->btnEdit->Click();
    ASSERT_TRUE(EditMode());
    editor->trackZoom->SetPosition(5);
    editor->btnSingleFrameOK->Click();

    EXPECT_EQ(Text(IdA, "ZoomRatio"), "2");
    EXPECT_EQ(Text(IdA, "Frame"), "frame2.ini");
    for (const auto& [name, value] : {std::pair{"X", 40}, std::pair{"Y", -30}, std::pair{"Transparency", 70},
                                      std::pair{"FadeIn", 0}, std::pair{"Locked", 1}, std::pair{"OnTop", 1},
                                      std::pair{"Hidden", 1}})
        EXPECT_EQ(stage.Read(IdA, name), value) << name;
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].text, "U" + IdA);
    EXPECT_EQ(editor->nPages->ActivePage(), editor->NotebookPageView);
}

// The tilt's value, showing below the pointer over "Discard Changes", lets a click through to the
// button, and the click comes while the hint shows there. A move the editor sees onto the button
// hides the hint first, so the hand here is quicker than the editor.
TEST_F(PhotoSets, ASlidersValueHintOverAButtonLetsAClickThrough)
{
    stage.Store(IdA, {});
    Start();
    ViewIndex = 0;
    editor->ShowPage(PageView);
    editor->btnEdit->Click();
    ASSERT_TRUE(EditMode());
    SetForegroundWindow(editor->Handle());
    test::Settle();
    RECT discard{};
    GetWindowRect(editor->btnSingleFrameCancel->Handle(), &discard);
    const POINT onSlider{(discard.left + discard.right) / 2 - 30, test::CentreOnScreen(*editor->trackRotation).y};
    test::pointer::Click(onSlider);
    RECT hint = test::ShownHintBounds();
    const POINT onHint{(hint.left + hint.right) / 2, (hint.top + hint.bottom) / 2};
    ASSERT_TRUE(PtInRect(&discard, onHint));

    test::pointer::MoveTo(onHint);
    hint = test::ShownHintBounds();
    ASSERT_TRUE(IsRectEmpty(&hint)) << "a move the editor sees hides the hint";
    // Over the slider and back onto the hint before the editor handles a move: the two moves
    // come to it as one, onto the button it already knows the pointer is on.
    SetCursorPos(onSlider.x, onSlider.y);
    editor->trackRotation->SetPosition(editor->trackRotation->Position() + 1);
    hint = test::ShownHintBounds();
    ASSERT_TRUE(PtInRect(&hint, onHint));
    bool hintShownAtClick = false;
    const ui::NotifyEvent discardClick = editor->btnSingleFrameCancel->OnClick;
    editor->btnSingleFrameCancel->OnClick = [&](ui::Component& sender) {
        const RECT shown = test::ShownHintBounds();
        hintShownAtClick = PtInRect(&shown, onHint) != FALSE;
        discardClick(sender);
    };
    test::pointer::QuickClick(onHint);
    EXPECT_TRUE(hintShownAtClick);
    EXPECT_EQ(editor->nPages->ActivePage(), editor->NotebookPageView);
}

TEST_F(PhotoSets, DoneStoresANewSetAtThePlaceOnlyWhenPlaced)
{
    Start();
    editor->trackZoom->SetPosition(30);
    HWND application = ui::App().Handle();
    const LONG appStyle = GetWindowLongA(application, GWL_EXSTYLE);
    // Answers the placement once it shows.
    const auto pressInPlacement = [&](WORD key) {
        auto* timer = editor->Add<ui::Timer>(ui::Timer::Args{.name = "Press", .interval = 50});
        timer->OnTimer = [timer, key](ui::Component&) {
            if (!PlacementWindow || !IsWindowVisible(PlacementWindow->Handle()))
                return;
            EXPECT_FALSE(IsWindowVisible(FindEditorWindow()));
            timer->SetEnabled(false);
            PlacementWindow->SetBounds(123, 45, PlacementWindow->Width(), PlacementWindow->Height());
            PostMessageA(PlacementWindow->Handle(), WM_KEYDOWN, key, 0);
        };
        return timer;
    };

    pressInPlacement(VK_ESCAPE);
    editor->btnSingleFrameDone->Click();
    EXPECT_TRUE(received.empty());
    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    EXPECT_EQ(ids.Count(), 0);
    EXPECT_FALSE(PlacementWindow);
    EXPECT_TRUE(IsWindowVisible(editor->Handle()));
    EXPECT_EQ(GetWindowLongA(application, GWL_EXSTYLE), appStyle);

    pressInPlacement(VK_RETURN);
    editor->btnSingleFrameDone->Click();
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    ASSERT_EQ(ids.Count(), 1);
    const std::string id = ids[0];
    EXPECT_EQ(id.size(), 38u);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].text, "U" + id);
    EXPECT_EQ(ValueNames(PhotoSetKey(id)).size(), 27u);
    EXPECT_EQ(stage.Read(id, "Transparency"), 100);
    EXPECT_EQ(stage.Read(id, "FadeIn"), 1);
    EXPECT_EQ(Text(id, "ZoomRatio"), "0" + std::string(1, DecimalSeparator()) + "333333333333333");
    // The place is where the window was when Enter came (the pointer may have moved it since).
    EXPECT_TRUE(stage.Has(id, "X"));
    EXPECT_TRUE(IsWindowVisible(editor->Handle()));
    EXPECT_EQ(GetWindowLongA(application, GWL_EXSTYLE), appStyle);
}

TEST_F(PhotoSets, ViewPageShowsWhatIsStoredAndWrapsTheIndex)
{
    Start();
    editor->ShowPage(PageView);
    EXPECT_TRUE(editor->stNoFrames->Visible());
    EXPECT_TRUE(editor->stClickToCreateFrame->Visible());
    for (ui::Control* c : std::initializer_list<ui::Control*>{editor->btnPrev, editor->btnNext, editor->btnEdit,
                                                              editor->btnHideShow, editor->btnDelete,
                                                              editor->imgExistingPreview})
        EXPECT_FALSE(c->Visible()) << c->Name();

    stage.Store(IdA, {{"FrameType", 1}, {"Hidden", 1}});
    editor->ShowPage(PageView);
    EXPECT_FALSE(editor->stNoFrames->Visible());
    EXPECT_TRUE(editor->btnDelete->Visible());
    EXPECT_FALSE(editor->btnPrev->Enabled());
    EXPECT_FALSE(editor->btnNext->Enabled());
    EXPECT_EQ(editor->btnEdit->Caption(), "msg7");
    EXPECT_EQ(editor->btnHideShow->Caption(), "msg10");
    EXPECT_EQ(editor->imgExistingPreview->Picture().Width(), 490);
    // The stage's frame in the middle of the window colour.
    EXPECT_EQ(test::PixelOf(*editor->imgExistingPreview->Picture().Graphic(), 0, 0), GetSysColor(COLOR_WINDOW));

    stage.Store(IdB, {{"FrameType", 2}});
    stage.Store(IdC, {});
    editor->btnNext->Click();
    EXPECT_EQ(ViewIndex, 1);
    EXPECT_TRUE(editor->btnPrev->Enabled());
    EXPECT_TRUE(editor->btnNext->Enabled());
    EXPECT_EQ(editor->btnEdit->Caption(), "msg6");
    EXPECT_EQ(editor->btnHideShow->Caption(), "msg9");
    editor->btnNext->Click();
    EXPECT_FALSE(editor->btnNext->Enabled());
    // Past the end of a shorter list: the first set.
    RegDeleteKeyA(HKEY_CURRENT_USER, PhotoSetKey(IdC).c_str());
    editor->ShowPage(PageView);
    EXPECT_EQ(ViewIndex, 0);
    EXPECT_FALSE(editor->btnPrev->Enabled());
}

TEST_F(PhotoSets, TheLinksUnderlineEndsWithItsText)
{
    Start();
    editor->ShowPage(PageView);
    ui::Label& link = *editor->stClickToCreateFrame;
    link.SetCaption("Click here to make your first one");
    SetForegroundWindow(editor->Handle());
    test::Settle();
    // The columns with ink on the underline's row (the darkest row) and on every other row, as painted.
    HWND page = editor->NotebookPageView->Handle();
    HDC dc = GetDC(page);
    std::vector<std::vector<bool>> ink(link.Height(), std::vector<bool>(link.Width()));
    for (int y = 0; y < link.Height(); ++y)
        for (int x = 0; x < link.Width(); ++x)
            ink[y][x] = GetGValue(GetPixel(dc, link.Left() + x, link.Top() + y)) < 128;
    ReleaseDC(page, dc);
    using Row = std::vector<bool>;
    const auto count = [](const Row& row) { return std::count(row.begin(), row.end(), true); };
    const auto last = [](const Row& row) { return static_cast<int>(std::find(row.rbegin(), row.rend(), true).base() - row.begin()) - 1; };
    const auto darker = [&](const Row& a, const Row& b) { return count(a) < count(b); };
    const int line = static_cast<int>(std::max_element(ink.begin(), ink.end(), darker) - ink.begin());
    int lettersEnd = -1;
    for (int y = 0; y < link.Height(); ++y)
        if (y != line)
            lettersEnd = std::max(lettersEnd, last(ink[y]));
    ASSERT_GT(count(ink[line]), 100);
    EXPECT_NEAR(last(ink[line]), lettersEnd, 2);
}

TEST_F(PhotoSets, HideShowWritesBeforeItSendsAndRemoveAsksFirst)
{
    stage.Store(IdA, {{"Hidden", 1}});
    stage.Store(IdB, {{"Hidden", 5}});
    Start();
    ViewIndex = 0;
    editor->ShowPage(PageView);
    editor->btnHideShow->Click();
    ViewIndex = 1;
    editor->btnHideShow->Click();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].text, "S" + IdA);
    EXPECT_EQ(received[0].hidden, 0);
    EXPECT_EQ(received[1].text, "H" + IdB); // any value but 1 counts as shown
    EXPECT_EQ(received[1].hidden, 4);
    EXPECT_EQ(editor->btnHideShow->Caption(), "msg9"); // new value 4: not hidden
    ViewIndex = 0;
    editor->btnHideShow->Click();
    EXPECT_EQ(received.back().text, "H" + IdA);
    EXPECT_EQ(editor->btnHideShow->Caption(), "msg10");
    received.clear();

    // No and Cancel change nothing.
    for (int answer : {IDNO, IDCANCEL}) {
        DialogPresser press(answer);
        editor->btnDelete->Click();
        const test::SeenDialog& seen = press.Join();
        EXPECT_TRUE(seen.found);
        EXPECT_TRUE(seen.Has(IDYES) && seen.Has(IDNO) && seen.Has(IDCANCEL));
    }
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(stage.SetExists(IdA));

    // Yes: "H" while the key still exists, then the key goes and the next set takes its place.
    ViewIndex = 1;
    editor->ShowPage(PageView);
    {
        DialogPresser yes(IDYES);
        editor->btnDelete->Click();
        EXPECT_TRUE(yes.Join().Shows(L"msg12"));
    }
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].text, "H" + IdB);
    EXPECT_TRUE(received[0].keyExisted);
    EXPECT_FALSE(stage.SetExists(IdB));
    EXPECT_EQ(ViewIndex, 0); // past the end: the first set
    EXPECT_EQ(editor->nPages->ActivePage(), editor->NotebookPageView);
    {
        DialogPresser yes(IDYES);
        editor->btnDelete->Click();
        yes.Join();
    }
    EXPECT_FALSE(stage.SetExists(IdA));
    EXPECT_TRUE(editor->stNoFrames->Visible());
    EXPECT_FALSE(editor->btnDelete->Visible());
}

} // namespace
