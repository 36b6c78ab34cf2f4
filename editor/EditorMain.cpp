#include "EditorMain.h"

#include <shellapi.h>

#include <cstdlib>

#include "editor/EditorButtonFaces.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "editor/EditorShadeWndU.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Bind.h"

namespace lumetta {

std::unique_ptr<TPaddedPhoto> CurrentPhoto;
std::string CurrentPhotoPath;
TPhotoFrame CurrentFrame;
bool RenderSuppressed = false;
std::uint8_t LastOrientation = NoOrientation;
std::int32_t ViewIndex = 0;
TLMTSEditorFrmBrowserWndClass* FrameBrowserWindow = nullptr;
TLMTSEditorShadeWndClass* ShadeWindow = nullptr;
HWND DialogOwnerWindow = nullptr;

namespace {

// The frame browser belongs to the program rather than to a window.
ui::Owned<TLMTSEditorFrmBrowserWndClass> FrameBrowserOwner;

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPathName(const std::string& path)
{
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

// The position of id among the stored photo sets (ASCII case ignored, first match), or -1.
int PhotoSetPosition(const std::string& id)
{
    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    for (int i = 0; i < ids.Count(); ++i)
        if (lstrcmpiA(ids[i].c_str(), id.c_str()) == 0)
            return i;
    return -1;
}

void OpenWithShell(HWND owner, const std::string& document)
{
    ShellExecuteA(owner, "open", document.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// A PNG drawn over what lies behind it on the background, so that its soft edges blend in.
void ComposeToolImage(ui::Image& image, const ui::Bitmap& background, const char* resource)
{
    auto picture = std::make_unique<ui::Bitmap>(image.Width(), image.Height(), ui::PixelFormat::Bits24);
    BitBlt(picture->DC(), 0, 0, image.Width(), image.Height(), background.DC(), image.Left(), image.Top(), SRCCOPY);
    {
        Gdiplus::Graphics graphics(picture->DC());
        DrawPngResource(graphics, resource, 0, 0, image.Width(), image.Height());
    }
    picture->Changed();
    image.Picture().SetBitmap(std::move(picture));
}

} // namespace

std::string ProductSiteAddress(const std::string& pathAndQuery)
{
    return std::string("https://") + ProductSiteHost + pathAndQuery;
}

// ---- The window ------------------------------------------------------------------------------

TLMTSEditorWndClass::TLMTSEditorWndClass(ui::Component* owner)
    : ui::Form(owner, ui::FormArgs{.className = EditorWindowClass,
                                   .caption = "Lumetta",
                                   .clientWidth = 894,
                                   .clientHeight = 637,
                                   .borderStyle = ui::BorderStyle::Single,
                                   .borderIcons = ui::biSystemMenu | ui::biMinimize,
                                   .position = ui::FormPosition::ScreenCenter,
                                   .color = ui::clWindow,
                                   .font = ui::FontArgs{"MS Sans Serif", -11},
                                   .showHint = true})
{
    CreateNavigation();
    CreateNewPhotoPage();
    CreateViewPage();
    CreateAboutPage();

    OnCreate = ui::Bind(this, &TLMTSEditorWndClass::FormCreate);
    BindMessage(WM_SYSCOMMAND, ui::Bind(this, &TLMTSEditorWndClass::HandleSysCommand));
    BindMessage(WM_ACTIVATE, ui::Bind(this, &TLMTSEditorWndClass::HandleActivate));
    BindMessage(WM_COPYDATA, ui::Bind(this, &TLMTSEditorWndClass::HandleCopyData));

    imgCheckForUpdatesBtn->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stCheckForUpdatesClick);
    imgCheckForUpdatesBtn->OnMouseEnter = ui::Bind(this, &TLMTSEditorWndClass::imgCheckForUpdatesBtnMouseEnter);
    imgCheckForUpdatesBtn->OnMouseLeave = ui::Bind(this, &TLMTSEditorWndClass::imgCheckForUpdatesBtnMouseLeave);
    imgHelpBtn->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stHelpClick);
    imgHelpBtn->OnMouseEnter = ui::Bind(this, &TLMTSEditorWndClass::imgHelpBtnMouseEnter);
    imgHelpBtn->OnMouseLeave = ui::Bind(this, &TLMTSEditorWndClass::imgHelpBtnMouseLeave);
    stCheckForUpdates->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stCheckForUpdatesClick);
    stCheckForUpdates->OnMouseEnter = ui::Bind(this, &TLMTSEditorWndClass::ToolBtnMouseEnter);
    stCheckForUpdates->OnMouseLeave = ui::Bind(this, &TLMTSEditorWndClass::ToolBtnMouseLeave);
    stHelp->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stHelpClick);
    stHelp->OnMouseEnter = ui::Bind(this, &TLMTSEditorWndClass::ToolBtnMouseEnter);
    stHelp->OnMouseLeave = ui::Bind(this, &TLMTSEditorWndClass::ToolBtnMouseLeave);
    imgBtnNavigation1->OnClick = ui::Bind(this, &TLMTSEditorWndClass::NavButtonClick);
    imgBtnNavigation2->OnClick = ui::Bind(this, &TLMTSEditorWndClass::NavButtonClick);
    imgBtnNavigation4->OnClick = ui::Bind(this, &TLMTSEditorWndClass::NavButtonClick);
    stClickToCreateFrame->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stClickToCreateFrameClick);
    stClickToCreateFrame->OnMouseEnter = ui::Bind(this, &TLMTSEditorWndClass::LinkMouseEnter);
    stClickToCreateFrame->OnMouseLeave = ui::Bind(this, &TLMTSEditorWndClass::LinkMouseLeave);
    btnAskOnline->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnAskOnlineClick);
    btnVisitWebsite->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnVisitWebsiteClick);
    btnSingleFrameDone->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnSingleFrameDoneClick);
    btnSingleFrameOK->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnSingleFrameOKClick);
    btnSingleFrameCancel->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnSingleFrameCancelClick);
    btnEdit->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnEditClick);
    btnHideShow->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnHideShowClick);
    btnDelete->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnDeleteClick);
    btnPrev->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnPrevClick);
    btnNext->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnNextClick);
    BindNewPhotoPage();
}

void TLMTSEditorWndClass::ApplyWindowStyle(ui::CreateParams& params)
{
    ui::Form::ApplyWindowStyle(params);
    // The editor window has its own taskbar button.
    params.exStyle = (params.exStyle & ~static_cast<DWORD>(WS_EX_TOOLWINDOW)) | WS_EX_APPWINDOW;
}

void TLMTSEditorWndClass::FormCreate(ui::Component&)
{
    InitSharedGlobals();
    LoadMessages();
    TranslateForm(*this, "Editor");
    EnsureAgentRunning();
    CreateFrameBrowserAndShade();
    ShowApplicationWindowAsTool();
    SetDoubleBuffered(true);
    NotebookPageSinglePhoto->SetDoubleBuffered(true);
    NotebookPageView->SetDoubleBuffered(true);
    RenderSuppressed = true;
    PaintBackground();
    SetButtonIcons();
    BuildNavButtonFaces(imgBtnNavigation1, "ITEM_NEW", Messages[0]);
    BuildNavButtonFaces(imgBtnNavigation2, "ITEM_DESKSET", Messages[1]);
    BuildNavButtonFaces(imgBtnNavigation4, "ITEM_ABOUT", Messages[3]);
    LastOrientation = NoOrientation;
    ListFrameFiles(FrameList);
    // Without any frame design the page keeps an empty frame and shows the photo alone.
    if (FrameList.Count() > 0)
        SelectFrame(FrameList[static_cast<int>(Random(static_cast<std::uint32_t>(FrameList.Count())))]);
    ShowPage(PageSinglePhoto);
    DragAcceptFiles(NotebookPageSinglePhoto->Handle(), TRUE);
    SavedPageWindowProc = NotebookPageSinglePhoto->WindowProc();
    NotebookPageSinglePhoto->SetWindowProc(ui::Bind(this, &TLMTSEditorWndClass::PhotoPageWindowProc));
    RunCommandLine(CommandLineParameters());
    RenderSuppressed = false;
}

void TLMTSEditorWndClass::CreateFrameBrowserAndShade()
{
    // The shade first: it owns the browser's window, so that the browser shows above it.
    ShadeWindow = Own(std::make_unique<TLMTSEditorShadeWndClass>(this));
    ShadeWindow->Loaded();
    FrameBrowserOwner = ui::MakeForm<TLMTSEditorFrmBrowserWndClass>(nullptr, ShadeWindow->Handle());
    FrameBrowserWindow = FrameBrowserOwner.get();
    DialogOwnerWindow = ShadeWindow->Handle();
}

void TLMTSEditorWndClass::ShowApplicationWindowAsTool()
{
    HWND application = ui::App().Handle();
    ShowWindow(application, SW_HIDE);
    const LONG exStyle = GetWindowLongA(application, GWL_EXSTYLE);
    SetWindowLongA(application, GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    ShowWindow(application, SW_SHOW);
}

void TLMTSEditorWndClass::PaintBackground()
{
    const RECT area = imgBackground->ClientRect();
    auto bitmap = std::make_unique<ui::Bitmap>(area.right, area.bottom, ui::PixelFormat::Bits24);
    FillGradientRect(bitmap->DC(), area, AccentLightColor, AccentColor, true, 255);
    // Drawn in this order; what lies beyond the bitmap's right edge is cut off.
    {
        Gdiplus::Graphics graphics(bitmap->DC());
        const int left = imgBtnNavigation1->Left();
        DrawPngResource(graphics, "HEADER", 0, 0);
        DrawPngResource(graphics, "SHADOW_B", left, nPages->Top() + nPages->Height(), bitmap->Width());
        DrawPngResource(graphics, "SHADOW_T", left - 1, nPages->Top() - 3, bitmap->Width());
        DrawPngResource(graphics, "SHADOW_L", left - 3, nPages->Top() - 1, 0, nPages->Height() + 4);
    }
    bitmap->Changed();
    ComposeToolImage(*imgCheckForUpdatesBtn, *bitmap, "IMG_UPDATE");
    ComposeToolImage(*imgHelpBtn, *bitmap, "IMG_HELP");
    imgBackground->Picture().SetBitmap(std::move(bitmap));
}

void TLMTSEditorWndClass::SetButtonIcons()
{
    ButtonSetIcon(btnSingleFrameChoose, "BTN_FRAME", nullptr, 24, 24);
    ButtonSetIcon(btnSingleFrameDone, "BTN_DONE", nullptr, 24, 24);
    ButtonSetIcon(btnOpenPhoto, "BTN_OPEN", nullptr, 16, 16);
    ButtonSetIcon(btnZoomOut, "BTN_ZOOMOUT", "BTN_ZOOMOUT_DSBLD", 16, 16);
    ButtonSetIcon(btnZoomIn, "BTN_ZOOMIN", "BTN_ZOOMIN_DSBLD", 16, 16);
    ButtonSetIcon(btnResetImageEffects, "BTN_RESETEFFECTS", nullptr, 16, 16);
    ButtonSetIcon(btnSingleFrameOK, "BTN_APPLY", nullptr, 24, 24);
    ButtonSetIcon(btnSingleFrameCancel, "BTN_CANCEL", nullptr, 24, 24);
    ButtonSetIcon(btnEdit, "BTN_EDIT", nullptr, 24, 24);
    ButtonSetIcon(btnHideShow, "BTN_HIDESHOW", nullptr, 24, 24);
    ButtonSetIcon(btnDelete, "BTN_DELETE", nullptr, 24, 24);
    ButtonSetIcon(btnPrev, "BTN_PREV", "BTN_PREV_DSBLD", 32, 32);
    ButtonSetIcon(btnNext, "BTN_NEXT", "BTN_NEXT_DSBLD", 32, 32);
    ButtonSetIcon(btnAskOnline, "BTN_ASKQ", nullptr, 24, 24);
    ButtonSetIcon(btnVisitWebsite, "BTN_WEB", nullptr, 24, 24);
}

void TLMTSEditorWndClass::RunCommandLine(const std::vector<std::string>& parameters)
{
    if (parameters.size() < 2)
        return;
    if (parameters[0] == "-edit")
        EditListedPhotoSet(parameters[1]);
    else if (parameters[0] == "-open" && IsExistingFile(parameters[1]))
        OpenPhoto(parameters[1]);
}

// ---- Window messages and commands --------------------------------------------------------------

void TLMTSEditorWndClass::HandleSysCommand(ui::Message& message)
{
    // Minimising and restoring act on the editor window itself, not on the application window.
    const WPARAM command = message.wParam & 0xFFF0;
    if (command != SC_MINIMIZE && command != SC_RESTORE) {
        Inherited(message);
        return;
    }
    ShowWindow(Handle(), command == SC_MINIMIZE ? SW_MINIMIZE : SW_RESTORE);
    message.result = 0;
}

void TLMTSEditorWndClass::HandleActivate(ui::Message& message)
{
    // A modal window of the editor is up: activation goes to the application window, which
    // passes it on to that window.
    if (LOWORD(message.wParam) == WA_ACTIVE && !IsWindowEnabled(Handle())) {
        SetActiveWindow(ui::App().Handle());
        message.result = 0;
        return;
    }
    Inherited(message);
}

void TLMTSEditorWndClass::HandleCopyData(ui::Message& message)
{
    message.result = 0;
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.lParam);
    if (!CopyDataCommand::Receive(data))
        return;
    RunCopyDataCommand(data, {
        {'E', [this](const std::string& id) { EditListedPhotoSet(id); }},
        {'R', [this](const std::string&) { RefreshAfterAgentChange(); }},
        {'N', [this](const std::string&) { ShowPage(PageSinglePhoto); }},
        {'O', [this](const std::string& path) {
             ShowPage(PageSinglePhoto);
             RenderSuppressed = true;
             OpenPhoto(path);
             RenderSuppressed = false;
         }},
    });
    if (IsIconic(Handle())) {
        ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
    }
}

void TLMTSEditorWndClass::EditListedPhotoSet(const std::string& id)
{
    const int position = PhotoSetPosition(id);
    if (position < 0)
        return;
    ViewIndex = position;
    ShowPage(PageView);
    btnEditClick(*this);
}

void TLMTSEditorWndClass::RefreshAfterAgentChange()
{
    if (nPages->ActivePage() == NotebookPageView)
        NotebookChangePage(NotebookPageView);
    else if (!imgBtnNavigation2->Enabled())
        ShowPage(PageView);
}

void TLMTSEditorWndClass::SendAgentCommand(const std::string& text)
{
    EnsureAgentRunning();
    if (text.empty())
        return;
    // Without an agent window (it is only starting) the command is lost; a starting agent
    // reads every stored set anyway.
    if (HWND agent = FindAgentWindow())
        CopyDataCommand{text[0], text.substr(1)}.Send(agent, ui::App().Handle());
}

void TLMTSEditorWndClass::EnsureAgentRunning()
{
    if (!FindAgentWindow())
        OpenWithShell(Handle(), InstallDir + "lmtagent.exe");
}

// ---- Pages and navigation ----------------------------------------------------------------------

void TLMTSEditorWndClass::ShowPage(std::int32_t number)
{
    TEzRgnBtn* selected = imgBtnNavigation1;
    if (!imgBtnNavigation2->Enabled())
        selected = imgBtnNavigation2;
    if (!imgBtnNavigation4->Enabled())
        selected = imgBtnNavigation4;
    selected->SetEnabled(true);
    selected->SetCursor(crHand);

    if (number == PageView) {
        imgBtnNavigation2->SetEnabled(false);
        imgBtnNavigation2->SetCursor(ui::crDefault);
        NotebookChangePage(NotebookPageView);
    } else if (number == PageAbout) {
        imgBtnNavigation4->SetEnabled(false);
        imgBtnNavigation4->SetCursor(ui::crDefault);
        NotebookChangePage(NotebookPageAbout);
    } else {
        BusyCursorScope busy;
        imgBtnNavigation1->SetEnabled(false);
        imgBtnNavigation1->SetCursor(ui::crDefault);
        ResetSinglePhotoPage();
        btnSingleFrameOK->Hide();
        btnSingleFrameCancel->Hide();
        btnSingleFrameDone->Show();
        NotebookChangePage(NotebookPageSinglePhoto);
    }
}

void TLMTSEditorWndClass::NavButtonClick(ui::Component& sender)
{
    ShowPage(sender.Tag());
}

void TLMTSEditorWndClass::NotebookChangePage(TNewNotebookPage* page)
{
    if (page == NotebookPageView) {
        RefreshViewPage();
        ui::App().ProcessMessages();
    } else if (page == NotebookPageAbout) {
        RenderAboutPicture();
    }
    nPages->SetActivePage(page);
}

void TLMTSEditorWndClass::stClickToCreateFrameClick(ui::Component&)
{
    ShowPage(PageSinglePhoto);
}

void TLMTSEditorWndClass::ButtonSetIcon(ui::Button* button, const char* icon, const char* disabledIcon, int width,
                                        int height)
{
    // The list lives as long as the program: the button draws from it.
    HIMAGELIST images = ImageList_Create(width, height, ILC_COLOR32, 0, 0);
    BUTTON_IMAGELIST record{};
    record.himl = images;
    record.margin.left = ButtonIconMargin(button->Caption());
    record.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    HINSTANCE module = GetModuleHandleA(nullptr);
    const auto add = [&](const char* name, int times) {
        const ui::IconHandle loaded(LoadIconA(module, name));
        if (loaded)
            for (int i = 0; i < times; ++i)
                ImageList_ReplaceIcon(images, -1, loaded.Get());
        return static_cast<bool>(loaded);
    };
    // One image for every state, or normal, hot, pressed, disabled, defaulted. A disabled icon
    // that is not there gives way to the normal one: with four images the button would draw
    // nothing once it is focused (defaulted).
    if (icon)
        add(icon, disabledIcon ? 3 : 1);
    if (disabledIcon) {
        if (!add(disabledIcon, 1) && icon)
            add(icon, 1);
        add(icon, 1);
    }
    button->SetImageList(record);
}

void TLMTSEditorWndClass::BuildNavButtonFaces(TEzRgnBtn* button, const char* iconName, const std::string& caption)
{
    const ui::GpBitmapPtr icon = LoadPngResource(iconName);
    const TButtonFaces faces =
        PaintButtonFaces(NavFaceLayout(imgBtnNavigation1->Width(), imgBtnNavigation1->Height()), icon.get(), caption);
    ApplyButtonFaces(*button, faces);
}

namespace {

void HoverLook(ui::Component& sender, ui::Color colour, ui::CursorId cursor)
{
    auto& label = dynamic_cast<ui::Control&>(sender);
    label.GetFont().SetColor(colour);
    label.SetCursor(cursor);
}

} // namespace

void TLMTSEditorWndClass::LinkMouseEnter(ui::Component& sender) { HoverLook(sender, LinkHoverColor, crHand); }
void TLMTSEditorWndClass::LinkMouseLeave(ui::Component& sender) { HoverLook(sender, ui::clWindowText, ui::crDefault); }
void TLMTSEditorWndClass::ToolBtnMouseEnter(ui::Component& sender) { HoverLook(sender, LinkHoverColor, crHand); }
void TLMTSEditorWndClass::ToolBtnMouseLeave(ui::Component& sender) { HoverLook(sender, ui::clCaptionText, ui::crDefault); }
void TLMTSEditorWndClass::imgHelpBtnMouseEnter(ui::Component&) { ToolBtnMouseEnter(*stHelp); }
void TLMTSEditorWndClass::imgHelpBtnMouseLeave(ui::Component&) { ToolBtnMouseLeave(*stHelp); }
void TLMTSEditorWndClass::imgCheckForUpdatesBtnMouseEnter(ui::Component&) { ToolBtnMouseEnter(*stCheckForUpdates); }
void TLMTSEditorWndClass::imgCheckForUpdatesBtnMouseLeave(ui::Component&) { ToolBtnMouseLeave(*stCheckForUpdates); }

// ---- Help and web links --------------------------------------------------------------------------

void TLMTSEditorWndClass::stHelpClick(ui::Component&)
{
    OpenWithShell(Handle(), InstallDir + "manual.chm");
}

void TLMTSEditorWndClass::stCheckForUpdatesClick(ui::Component&)
{
    BusyCursorScope busy;
    OpenWithShell(Handle(), ProductSiteAddress(std::string("/cgi-bin/lmts/update?version=") + EditorVersion));
}

void TLMTSEditorWndClass::btnAskOnlineClick(ui::Component&)
{
    OpenWithShell(Handle(), ProductSiteAddress("/support/"));
}

void TLMTSEditorWndClass::btnVisitWebsiteClick(ui::Component&)
{
    OpenWithShell(Handle(), ProductSiteAddress("/lumetta/"));
}

// ---- The program -------------------------------------------------------------------------------

std::vector<std::string> CommandLineParameters()
{
    std::vector<std::string> parameters;
    for (int i = 1; i < __argc; ++i)
        parameters.emplace_back(__argv[i]);
    return parameters;
}

TSecondStart SecondStartAction(const std::vector<std::string>& parameters)
{
    if (parameters.size() <= 1)
        return TSecondStart::Restore;
    if (parameters[0] == "-open" && IsExistingFile(parameters[1]))
        return TSecondStart::ForwardOpen;
    return TSecondStart::Nothing;
}

namespace {

// The start-up turn of EditorMutexName, released at the latest when it goes.
class StartupTurn {
public:
    StartupTurn() : mutex_(CreateMutexA(nullptr, FALSE, EditorMutexName))
    {
        // An editor that ended while holding it (abandoned) has no window to wait for.
        const DWORD waited = mutex_ ? WaitForSingleObject(mutex_.Get(), EditorStartupPatience) : WAIT_FAILED;
        owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~StartupTurn() { Release(); }
    StartupTurn(const StartupTurn&) = delete;
    StartupTurn& operator=(const StartupTurn&) = delete;
    void Release()
    {
        if (owned_)
            ReleaseMutex(mutex_.Get());
        owned_ = false;
    }

private:
    ui::KernelHandle mutex_;
    bool owned_ = false;
};

} // namespace

int EditorProgramBlock()
{
    StartupTurn turn;
    if (HWND running = FindEditorWindow()) {
        turn.Release();
        const std::vector<std::string> parameters = CommandLineParameters();
        switch (SecondStartAction(parameters)) {
        case TSecondStart::ForwardOpen:
            // The running editor has a working folder of its own: it gets the file this one checked.
            CopyDataCommand{'O', FullPathName(parameters[1])}.Send(running, ui::App().Handle());
            break;
        case TSecondStart::Restore:
            if (IsIconic(running)) {
                ShowWindow(running, SW_RESTORE);
                SetForegroundWindow(running);
            }
            break;
        case TSecondStart::Nothing:
            break;
        }
        return 0;
    }
    ui::App().SetTitle("Lumetta");
    {
        ui::Owned<TLMTSEditorWndClass> mainWindow(new TLMTSEditorWndClass());
        ui::App().SetMainForm(mainWindow.get());
        mainWindow->Loaded();
        turn.Release();
        ui::App().Run();
    }
    EditorMainDone();
    return 0;
}

void EditorMainDone()
{
    FrameBrowserWindow = nullptr;
    FrameBrowserOwner.reset();
    CurrentPhoto.reset();
    CurrentPhotoPath.clear();
    CurrentFrame = TPhotoFrame{};
}

} // namespace lumetta
