#include "AgentPhotoFrameU.h"

#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "agent/AgentMain.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Bind.h"
#include "ui/Handles.h"
#include "ui/Screen.h"

namespace lumetta {

BYTE OpacityAlpha(std::int32_t transparency)
{
    if (transparency == 0)
        return 255;
    // Floor division in 64 bits: the product cannot overflow and negative values round down.
    const std::int64_t product = static_cast<std::int64_t>(transparency) * 255;
    std::int64_t alpha = product / 100;
    if (product % 100 != 0 && product < 0)
        --alpha;
    return static_cast<BYTE>(alpha & 0xFF);
}

std::int32_t OpacityOfItem(int index)
{
    return 100 - 10 * index;
}

int OpacityItemIndex(std::int32_t transparency)
{
    if (transparency < 1 || transparency > 100)
        return 0;
    return (100 - transparency) / 10;
}

namespace {
BYTE FadeStep(BYTE resting)
{
    return static_cast<BYTE>((255 - resting) / 6);
}
} // namespace

FadeAlphas FadeInAlphas(std::int32_t transparency)
{
    const BYTE resting = OpacityAlpha(transparency);
    const BYTE step = FadeStep(resting);
    FadeAlphas alphas{};
    for (int i = 1; i <= 5; ++i)
        alphas[i - 1] = static_cast<BYTE>(resting + step * i);
    alphas[5] = 255;
    return alphas;
}

FadeAlphas FadeOutAlphas(std::int32_t transparency)
{
    const BYTE resting = OpacityAlpha(transparency);
    const BYTE step = FadeStep(resting);
    FadeAlphas alphas{};
    for (int i = 1; i <= 5; ++i)
        alphas[i - 1] = static_cast<BYTE>(255 - step * i);
    alphas[5] = resting;
    return alphas;
}

POINT DraggedPosition(POINT window, POINT mouse, POINT origin)
{
    return POINT{window.x + mouse.x - origin.x, window.y + mouse.y - origin.y};
}

namespace {

// In 64 bits: a stored place may lie anywhere a 32-bit value reaches, its far edge beyond that.
using Coordinate = std::int64_t;

Coordinate Overlap(Coordinate from, Coordinate size, LONG low, LONG high)
{
    return std::min<Coordinate>(from + size, high) - std::max<Coordinate>(from, low);
}

// The shortest shift of [from, from + size) into [low, high); a larger span comes to cover it.
LONG ShiftedInto(Coordinate from, Coordinate size, LONG low, LONG high)
{
    const Coordinate last = high - size;
    const Coordinate first = std::min<Coordinate>(low, last), final = std::max<Coordinate>(low, last);
    return static_cast<LONG>(std::clamp(from, first, final));
}

} // namespace

POINT ReachablePlace(POINT stored, const RECT& seen, const std::vector<RECT>& monitors, const RECT& nearestWork)
{
    const Coordinate left = Coordinate{stored.x} + seen.left, top = Coordinate{stored.y} + seen.top;
    const Coordinate width = seen.right - seen.left, height = seen.bottom - seen.top;
    const Coordinate needX = std::min<Coordinate>(ReachableSide, width);
    const Coordinate needY = std::min<Coordinate>(ReachableSide, height);
    for (const RECT& monitor : monitors)
        if (Overlap(left, width, monitor.left, monitor.right) >= needX &&
            Overlap(top, height, monitor.top, monitor.bottom) >= needY)
            return stored;
    return POINT{ShiftedInto(left, width, nearestWork.left, nearestWork.right) - seen.left,
                 ShiftedInto(top, height, nearestWork.top, nearestWork.bottom) - seen.top};
}

POINT ReachablePlaceOnDesktop(POINT stored, const RECT& seen)
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT area, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(*area);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    const auto edge = [](Coordinate value) {
        return static_cast<LONG>(std::clamp<Coordinate>(value, INT32_MIN, INT32_MAX));
    };
    const RECT frame{edge(Coordinate{stored.x} + seen.left), edge(Coordinate{stored.y} + seen.top),
                     edge(Coordinate{stored.x} + seen.right), edge(Coordinate{stored.y} + seen.bottom)};
    MONITORINFO nearest{};
    nearest.cbSize = sizeof nearest;
    if (!GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &nearest))
        return stored;
    return ReachablePlace(stored, seen, monitors, nearest.rcWork);
}

// ---- Save as JPEG ------------------------------------------------------------------------------

namespace {

// The caption's two lines, each scrambled with a key of its own.
constexpr std::uint8_t CaptionKey1 = 0x5C;
constexpr unsigned char CaptionLine1[] = {0x1A, 0x2E, 0x3D, 0x31, 0x39, 0x38, 0x7C, 0x33, 0x32, 0x7C,
                                          0x31, 0x25, 0x7C, 0x38, 0x39, 0x2F, 0x37, 0x28, 0x33, 0x2C};
constexpr std::uint8_t CaptionKey2 = 0xA7;
constexpr unsigned char CaptionLine2[] = {0xCA, 0xC6, 0xC3, 0xC2, 0x87, 0xD0, 0xCE, 0xD3, 0xCF,
                                          0x87, 0xEB, 0xD2, 0xCA, 0xC2, 0xD3, 0xD3, 0xC6};

std::string_view Bytes(const unsigned char* bytes, std::size_t count)
{
    return {reinterpret_cast<const char*>(bytes), count};
}

const Gdiplus::Color GradientTop(255, 255, 255, 255);
const Gdiplus::Color GradientBottom(255, 220, 220, 220);
const Gdiplus::Color CaptionColor(111, 255, 255, 255);

// {1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}
const GUID QualityParameter = {0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

} // namespace

float SavedCaptionEmSize(double zoom)
{
    return static_cast<float>(16.0 * zoom);
}

std::string SavedCaptionText()
{
    return XorText(Bytes(CaptionLine1, sizeof CaptionLine1), CaptionKey1) + "\r\n\r\n" +
           XorText(Bytes(CaptionLine2, sizeof CaptionLine2), CaptionKey2) + "\r\n\r\n\r\n\r\n";
}

ui::GpBitmapPtr ComposeSavedPicture(Gdiplus::Bitmap& frameImage, double zoom)
{
    const INT width = static_cast<INT>(frameImage.GetWidth());
    const INT height = static_cast<INT>(frameImage.GetHeight());
    auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat24bppRGB);
    if (picture->GetLastStatus() != Gdiplus::Ok)
        return nullptr; // no pixels to hold (a frame of 0 x 0) or no memory
    {
        Gdiplus::Graphics graphics(picture.get());
        const Gdiplus::Rect whole(0, 0, width, height);
        Gdiplus::LinearGradientBrush brush(whole, GradientTop, GradientBottom, Gdiplus::LinearGradientModeVertical);
        graphics.FillRectangle(&brush, whole);
        graphics.DrawImage(&frameImage, 0, 0);

        const auto family = ui::FontFamilyOrSansSerif("Arial");
        const Gdiplus::Font font(family.get(), SavedCaptionEmSize(zoom), Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        Gdiplus::StringFormat format(0, 0);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        // The gradient brush, re-coloured, paints the caption in one translucent white.
        brush.SetLinearColors(CaptionColor, CaptionColor);
        const Gdiplus::RectF layout(0.0f, 0.0f, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
        ui::DrawTextLines(graphics, SavedCaptionText(), font, layout, format, brush);
    }
    return picture;
}

Gdiplus::Status SaveJpeg(Gdiplus::Image& picture, const std::string& fileName)
{
    const std::optional<CLSID> encoder = ui::FindImageEncoder(L"image/jpeg");
    if (!encoder)
        return Gdiplus::UnknownImageFormat;
    ULONG quality = SavedJpegQuality;
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = QualityParameter;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].Value = &quality;
    return picture.Save(ui::WideFromAnsi(fileName).c_str(), &*encoder, &parameters);
}

bool SaveFrameAsJpeg(Gdiplus::Bitmap& frameImage, const std::string& photoSetId, const std::string& fileName)
{
    const double zoom = ReadRegNumber(HKEY_CURRENT_USER, PhotoSetKey(photoSetId), PhotoSetValue::ZoomRatio, 1.0);
    const ui::GpBitmapPtr picture = ComposeSavedPicture(frameImage, zoom);
    const Gdiplus::Status status = picture ? SaveJpeg(*picture, fileName) : Gdiplus::InvalidParameter;
    if (status == Gdiplus::Ok)
        return true;
    ShowTaskDialog(GetDesktopWindow(), Messages[58].c_str(), Messages[59].c_str(), fileName.c_str(),
                   MB_OK | MB_ICONERROR | MB_TOPMOST);
    return false;
}

// ---- The window ------------------------------------------------------------------------------

namespace {

// Screen cursor slots of the agent's two hands.
constexpr ui::CursorId crDragging = 2;
constexpr ui::CursorId crDraggable = 3;

constexpr DWORD FadeStepDelay = 30;
constexpr UINT QuestionFlags = MB_YESNOCANCEL | MB_ICONWARNING | MB_TOPMOST;

constexpr const char* EditorProgram = "lmtsedit.exe";

void SetScreenCursor(ui::CursorId cursor)
{
    ui::Screen::Instance().SetCursor(cursor);
}

} // namespace

TLMTWndClass::TLMTWndClass(ui::Component* owner)
    : ui::LayeredForm(owner, ui::FormArgs{.className = "TLMTWndClass",
                                          .clientWidth = 104,
                                          .clientHeight = 117,
                                          .borderStyle = ui::BorderStyle::None,
                                          .borderIcons = ui::biSystemMenu,
                                          .color = ui::clBtnFace,
                                          .font = ui::FontArgs{"MS Sans Serif", -11},
                                          .toolWindow = true})
{
    // Owned by the desktop: no taskbar button, and not hidden with the application window.
    SetOwnerWindow(GetDesktopWindow());
    CreateMenu();
    FadeOutTimer = Add<TThreadedTimer>(TThreadedTimer::Args{.name = "FadeOutTimer", .interval = 200});
    SaveDialog = Add<ui::SaveDialog>(ui::SaveDialog::Args{.name = "SaveDialog",
                                                          .filter = "JPEG|*.jpg",
                                                          .defaultExt = "*.jpg",
                                                          .options = ui::ofOverwritePrompt | ui::ofHideReadOnly |
                                                                     ui::ofEnableSizing});
    SetPopupMenu(pmMain);

    BindHandlers();
}

TLMTWndClass::~TLMTWndClass() = default;

void TLMTWndClass::CreateMenu()
{
    using Item = ui::MenuItem::Args;
    pmMain = Add<ui::PopupMenu>(ui::PopupMenu::Args{"pmMain"});
    ui::MenuItem* root = pmMain->Items();
    // Made in menu order: an item takes its place among its parent's items when it is made.
    miNew = Add<ui::MenuItem>(Item{.name = "miNew", .parent = root, .caption = "Create New...", .tag = 4005});
    N5 = Add<ui::MenuItem>(Item{.name = "N5", .parent = root, .caption = "-"});
    miEdit = Add<ui::MenuItem>(Item{.name = "miEdit", .parent = root, .caption = "Edit...", .tag = 4000});
    N1 = Add<ui::MenuItem>(Item{.name = "N1", .parent = root, .caption = "-"});
    miSave = Add<ui::MenuItem>(Item{.name = "miSave", .parent = root, .caption = "Save as...", .tag = 4008});
    N7 = Add<ui::MenuItem>(Item{.name = "N7", .parent = root, .caption = "-"});
    miLock = Add<ui::MenuItem>(Item{.name = "miLock", .parent = root, .caption = "Lock on Desktop", .tag = 4001});
    miOnTop = Add<ui::MenuItem>(Item{.name = "miOnTop", .parent = root, .caption = "Always on Top", .tag = 4007});
    N3 = Add<ui::MenuItem>(Item{.name = "N3", .parent = root, .caption = "-"});
    miTransparency = Add<ui::MenuItem>(Item{.name = "miTransparency", .parent = root, .caption = "Opacity", .tag = 4002});
    auto opacity = [&](const char* name, const char* caption) {
        return Add<ui::MenuItem>(Item{.name = name, .parent = miTransparency, .caption = caption, .radioItem = true});
    };
    N1001 = opacity("N1001", "100%");
    N901 = opacity("N901", "90%");
    N801 = opacity("N801", "80%");
    N701 = opacity("N701", "70%");
    N601 = opacity("N601", "60%");
    N501 = opacity("N501", "50%");
    N401 = opacity("N401", "40%");
    N301 = opacity("N301", "30%");
    N201 = opacity("N201", "20%");
    N101 = opacity("N101", "10%");
    N4 = Add<ui::MenuItem>(Item{.name = "N4", .parent = miTransparency, .caption = "-"});
    miFade = Add<ui::MenuItem>(Item{.name = "miFade", .parent = miTransparency, .caption = "Fade in when focused", .tag = 4003});
    N2 = Add<ui::MenuItem>(Item{.name = "N2", .parent = root, .caption = "-"});
    miRemove = Add<ui::MenuItem>(Item{.name = "miRemove", .parent = root, .caption = "Remove", .tag = 4006});
    miHide = Add<ui::MenuItem>(Item{.name = "miHide", .parent = root, .caption = "Hide", .tag = 4004});
    N6 = Add<ui::MenuItem>(Item{.name = "N6", .parent = root, .caption = "-"});
    miCloseAll = Add<ui::MenuItem>(Item{.name = "miCloseAll", .parent = root, .caption = "Exit", .tag = 4020});
}

void TLMTWndClass::BindHandlers()
{
    OnCreate = ui::Bind(this, &TLMTWndClass::FormCreate);
    OnShow = ui::Bind(this, &TLMTWndClass::FormShow);
    OnDestroy = ui::Bind(this, &TLMTWndClass::FormDestroy);
    OnMouseDown = ui::Bind(this, &TLMTWndClass::FormMouseDown);
    OnMouseMove = ui::Bind(this, &TLMTWndClass::FormMouseMove);
    OnMouseUp = ui::Bind(this, &TLMTWndClass::FormMouseUp);
    FadeOutTimer->OnTimer = ui::Bind(this, &TLMTWndClass::FadeOutTimerTimer);
    miNew->OnClick = ui::Bind(this, &TLMTWndClass::miNewClick);
    miEdit->OnClick = ui::Bind(this, &TLMTWndClass::miEditClick);
    miSave->OnClick = ui::Bind(this, &TLMTWndClass::miSaveClick);
    miLock->OnClick = ui::Bind(this, &TLMTWndClass::miLockClick);
    miOnTop->OnClick = ui::Bind(this, &TLMTWndClass::miOnTopClick);
    for (ui::MenuItem* item : {N1001, N901, N801, N701, N601, N501, N401, N301, N201, N101})
        item->OnClick = ui::Bind(this, &TLMTWndClass::miTransparencyChanged);
    miFade->OnClick = ui::Bind(this, &TLMTWndClass::miFadeClick);
    miRemove->OnClick = ui::Bind(this, &TLMTWndClass::miRemoveClick);
    miHide->OnClick = ui::Bind(this, &TLMTWndClass::miHideClick);
    miCloseAll->OnClick = ui::Bind(this, &TLMTWndClass::miCloseAllClick);
    // Monitors added, removed or resized: a frame on none comes back into view, and one shown
    // away from its stored place returns there once a monitor shows that place again.
    BindMessage(WM_DISPLAYCHANGE, [this](ui::Message& message) {
        if (!Dragging)
            PlaceAt(StoredPlace);
        Inherited(message);
    });
}


std::int32_t TLMTWndClass::ReadValue(const char* name) const
{
    std::int32_t value = 0;
    ReadRegInteger(HKEY_CURRENT_USER, PhotoSetKey, name, value);
    return value;
}

void TLMTWndClass::WriteValue(const char* name, std::int32_t value) const
{
    WriteRegInteger(HKEY_CURRENT_USER, PhotoSetKey, name, value);
}

int TLMTWndClass::OwnEntry() const
{
    return FrameWindows ? FrameWindows->IndexOfObject(this) : -1;
}

void TLMTWndClass::FormCreate(ui::Component&)
{
    ShowWindow(ui::App().Handle(), SW_HIDE);
    TranslateForm(*this, "Agent");
    Dragging = false;
    Hovering = false;
}

void TLMTWndClass::FormShow(ui::Component&)
{
    const int entry = OwnEntry();
    if (entry == -1) {
        PhotoSetKey = lumetta::PhotoSetKey("UNKNOWN_ID");
        return;
    }
    PhotoSetId = (*FrameWindows)[entry];
    PhotoSetKey = lumetta::PhotoSetKey(PhotoSetId);

    const bool locked = ReadValue(PhotoSetValue::Locked) == 1;
    miLock->SetChecked(locked);
    LockedFlag = locked;

    const bool onTop = ReadValue(PhotoSetValue::OnTop) == 1;
    miOnTop->SetChecked(onTop);
    SetStayOnTop(onTop);

    miTransparency->Items(OpacityItemIndex(ReadValue(PhotoSetValue::Transparency))).SetChecked(true);
    miFade->SetChecked(ReadValue(PhotoSetValue::FadeIn) == 1);
    SetScreenCursor(LockedFlag ? ui::crDefault : crDraggable);
}

void TLMTWndClass::PlaceAt(POINT stored)
{
    StoredPlace = stored;
    // The transparent margin around the frame can be neither seen nor grabbed.
    RECT seen = LayerSeenArea();
    if (IsRectEmpty(&seen))
        seen = RECT{0, 0, Width(), Height()};
    const POINT shown = ReachablePlaceOnDesktop(stored, seen);
    Displaced = shown.x != stored.x || shown.y != stored.y;
    SetBounds(shown.x, shown.y, Width(), Height());
}

void TLMTWndClass::FormDestroy(ui::Component&)
{
    FrameImage.reset();
}

void TLMTWndClass::AnimateFade(const FadeAlphas& alphas)
{
    // The fade blocks the GUI thread on purpose: no command runs in the middle of it.
    for (std::size_t i = 0; i + 1 < alphas.size(); ++i) {
        SetLayerAlpha(alphas[i]);
        Sleep(FadeStepDelay);
    }
    SetLayerAlpha(alphas.back());
}

void TLMTWndClass::AnimateFadeIn()
{
    AnimateFade(FadeInAlphas(ReadValue(PhotoSetValue::Transparency)));
}

void TLMTWndClass::AnimateFadeOut()
{
    AnimateFade(FadeOutAlphas(ReadValue(PhotoSetValue::Transparency)));
}

void TLMTWndClass::FormMouseDown(ui::Control&, ui::MouseButton button, ui::ShiftState, int x, int y)
{
    if (button != ui::MouseButton::Left || LockedFlag)
        return;
    DragOriginX = x;
    DragOriginY = y;
    Dragging = true;
    SetScreenCursor(crDragging);
}

void TLMTWndClass::FormMouseMove(ui::Control&, ui::ShiftState, int x, int y)
{
    if (!Hovering) {
        Hovering = true;
        FadeOutTimer->SetEnabled(true);
        if (ReadValue(PhotoSetValue::FadeIn) == 1)
            AnimateFadeIn();
    }
    if (Dragging) {
        const POINT to = DraggedPosition(POINT{Left(), Top()}, POINT{x, y}, POINT{DragOriginX, DragOriginY});
        if (to.x != Left() || to.y != Top()) {
            SetBounds(to.x, to.y, Width(), Height());
            Displaced = false; // the user has chosen the place
        }
    }
}

void TLMTWndClass::FormMouseUp(ui::Control&, ui::MouseButton, ui::ShiftState, int, int)
{
    Dragging = false;
    if (LockedFlag)
        return;
    SetScreenCursor(crDraggable);
    // A frame shown away from its stored place keeps that place (its monitor may come back)
    // until it is dragged; a click alone stores nothing.
    if (Displaced)
        return;
    StoredPlace = POINT{Left(), Top()};
    WriteValue(PhotoSetValue::X, StoredPlace.x);
    WriteValue(PhotoSetValue::Y, StoredPlace.y);
}

void TLMTWndClass::FadeOutTimerTimer(ui::Component&)
{
    POINT cursor;
    if (!GetCursorPos(&cursor))
        return;
    if (WindowFromPoint(cursor) == Handle())
        return;
    if (ReadValue(PhotoSetValue::FadeIn) == 1)
        AnimateFadeOut();
    FadeOutTimer->SetEnabled(false);
    Hovering = false;
}

// A command can close this window while its menu is open; the choice made in that menu then
// belongs to a window that is already gone from the desktop and must not touch the photo set.

void TLMTWndClass::miLockClick(ui::Component&)
{
    if (ReleasePending())
        return;
    const bool locked = !miLock->Checked();
    miLock->SetChecked(locked);
    WriteValue(PhotoSetValue::Locked, locked ? 1 : 0);
    LockedFlag = locked;
    SetScreenCursor(locked ? ui::crDefault : crDraggable);
}

void TLMTWndClass::miOnTopClick(ui::Component&)
{
    if (ReleasePending())
        return;
    const bool onTop = !miOnTop->Checked();
    miOnTop->SetChecked(onTop);
    WriteValue(PhotoSetValue::OnTop, onTop ? 1 : 0);
    SetStayOnTop(onTop);
}

void TLMTWndClass::miFadeClick(ui::Component&)
{
    if (ReleasePending())
        return;
    const bool fade = !miFade->Checked();
    miFade->SetChecked(fade);
    WriteValue(PhotoSetValue::FadeIn, fade ? 1 : 0);
}

void TLMTWndClass::miTransparencyChanged(ui::Component& sender)
{
    if (ReleasePending())
        return;
    auto& item = static_cast<ui::MenuItem&>(sender);
    const int index = miTransparency->IndexOf(&item);
    if (index < 0 || index >= OpacityItemCount)
        return;
    item.SetChecked(true);
    const std::int32_t opacity = OpacityOfItem(index);
    WriteValue(PhotoSetValue::Transparency, opacity);
    SetLayerAlpha(OpacityAlpha(opacity));
}

void TLMTWndClass::RequestEditor(char letter)
{
    const int entry = OwnEntry();
    if (ReleasePending() || entry < 0)
        return;
    const std::string id = (*FrameWindows)[entry];
    if (HWND editor = FindEditorWindow()) {
        CopyDataCommand{letter, id}.Send(editor, ui::App().Handle());
        return;
    }
    const std::string program = InstallDir + EditorProgram;
    const std::string parameters = "-edit " + id;
    ShellExecuteA(Handle(), "open", program.c_str(), letter == 'E' ? parameters.c_str() : nullptr, nullptr,
                  SW_SHOWNORMAL);
}

void TLMTWndClass::miEditClick(ui::Component&)
{
    RequestEditor('E');
}

void TLMTWndClass::miNewClick(ui::Component&)
{
    RequestEditor('N');
}

void TLMTWndClass::miSaveClick(ui::Component&)
{
    // The dialog goes with its owner, so it is owned by this frame, which a command can close but
    // not free while this handler runs.
    if (ReleasePending() || !SaveDialog->Execute(Handle()))
        return;
    // The window may have been closed by a command while the dialog was open; it lives on, with
    // its picture, until this handler returns.
    if (FrameImage)
        SaveFrameAsJpeg(*FrameImage, PhotoSetId, SaveDialog->FileName());
}

void TLMTWndClass::CloseOwnEntry(int entry)
{
    if (entry >= 0)
        FrameWindows->Delete(entry);
    // Released once the running menu command has returned.
    Release();
}

namespace {
void TellEditorToRefresh(const std::string& id)
{
    try {
        if (HWND editor = FindEditorWindow())
            CopyDataCommand{'R', id}.Send(editor, ui::App().Handle());
    } catch (...) {
        // The editor's view is a courtesy; the photo set is already changed.
    }
}
} // namespace

void TLMTWndClass::miHideClick(ui::Component&)
{
    if (ReleasePending() || !FrameWindows || FrameWindows->IndexOf(PhotoSetId) < 0)
        return;
    WriteValue(PhotoSetValue::Hidden, 1);
    TellEditorToRefresh(PhotoSetId);
    // The editor is reached with SendMessage, during which commands may have changed the list.
    CloseOwnEntry(OwnEntry());
}

void TLMTWndClass::miRemoveClick(ui::Component&)
{
    if (ReleasePending() || !FrameWindows || FrameWindows->IndexOf(PhotoSetId) < 0)
        return;
    miRemove->SetEnabled(false);
    const int answer = ShowTaskDialog(GetDesktopWindow(), Messages[12].c_str(), Messages[11].c_str(), nullptr,
                                      QuestionFlags);
    if (answer != IDYES) {
        miRemove->SetEnabled(true);
        return;
    }
    // Commands handled while the question was open may have closed this window, or replaced it
    // with a new one for the same set: the answer then concerns a window that is gone, and the
    // set it showed is left alone.
    if (OwnEntry() < 0)
        return;
    RegDeleteKeyA(HKEY_CURRENT_USER, PhotoSetKey.c_str());
    TellEditorToRefresh(PhotoSetId);
    CloseOwnEntry(OwnEntry());
}

void TLMTWndClass::miCloseAllClick(ui::Component&)
{
    if (ReleasePending())
        return;
    miCloseAll->SetEnabled(false);
    const int answer = ShowTaskDialog(GetDesktopWindow(), Messages[57].c_str(), Messages[55].c_str(),
                                      Messages[56].c_str(), QuestionFlags);
    if (answer == IDYES) {
        if (ui::Form* main = ui::App().MainForm(); main && main->HandleAllocated())
            PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
        return;
    }
    miCloseAll->SetEnabled(true);
}

} // namespace lumetta
