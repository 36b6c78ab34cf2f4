#include "editor/EditorFinalPreviewWndU.h"

#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Bind.h"

namespace lumetta {

// ---- Arithmetic of the placement ---------------------------------------------------------------

POINT PlacementCentredOn(POINT point, int width, int height)
{
    return POINT{point.x - width / 2, point.y - height / 2};
}

POINT PlacementFollowed(POINT topLeft, int x, int y, int halfWidth, int halfHeight)
{
    return POINT{topLeft.x + x - halfWidth, topLeft.y + y - halfHeight};
}

bool PlacementHintActive(DWORD now, DWORD creationTick)
{
    return static_cast<DWORD>(now - creationTick) < PlacementHintPeriod;
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One line without breaks of its own.
std::string WrapLine(const std::string& line, std::size_t columns)
{
    std::string wrapped;
    std::size_t start = 0;
    while (line.size() - start > columns) {
        std::size_t at = std::string::npos;
        for (std::size_t i = start + 1; i < line.size(); ++i) {
            if (!IsBlank(line[i]) && line[i] != '-')
                continue;
            // The line keeps the space, tab or hyphen it breaks after, and has to fit with it.
            const std::size_t length = i - start + 1;
            if (length <= columns) {
                at = i;
                continue;
            }
            if (at == std::string::npos)
                at = i;
            break;
        }
        if (at == std::string::npos)
            break;
        std::size_t next = at + 1;
        while (next < line.size() && IsBlank(line[next]))
            ++next;
        if (next >= line.size())
            break;
        wrapped += line.substr(start, at + 1 - start);
        wrapped += "\r\n";
        start = next;
    }
    wrapped += line.substr(start);
    return wrapped;
}

} // namespace

std::string WrapText(const std::string& text, std::size_t columns)
{
    std::string wrapped;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::size_t lineEnd = end == std::string::npos ? text.size() : end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        wrapped += WrapLine(text.substr(start, lineEnd - start), columns);
        if (end == std::string::npos)
            return wrapped;
        wrapped += text.substr(lineEnd, end + 1 - lineEnd);
        start = end + 1;
    }
}

std::string PlacementHintText(const std::string& first, const std::string& second)
{
    return WrapText(first, PlacementHintColumns) + "\r\n\r\n" + WrapText(second, PlacementHintColumns);
}

// ---- The window --------------------------------------------------------------------------------

bool PlacementFollowing = false;
std::int32_t PlacementHalfWidth = 0;
std::int32_t PlacementHalfHeight = 0;
TLMTSEditorPreviewWndClass* PlacementWindow = nullptr;

TLMTSEditorPreviewWndClass::TLMTSEditorPreviewWndClass(ui::Component* owner)
    : ui::LayeredForm(owner, ui::FormArgs{.className = "TLMTSEditorPreviewWndClass",
                                          .caption = "Lumetta - Photo Preview",
                                          .clientWidth = 127,
                                          .clientHeight = 97,
                                          .borderStyle = ui::BorderStyle::None,
                                          .borderIcons = 0,
                                          .color = ui::clBtnFace,
                                          .font = ui::FontArgs{"MS Sans Serif", -11},
                                          .keyPreview = true,
                                          .showHint = true})
{
    SetCursor(ui::crSizeAll);
    SnapTimer = Add<ui::Timer>(ui::Timer::Args{.name = "SnapTimer", .interval = PlacementSnapInterval});

    OnCreate = ui::Bind(this, &TLMTSEditorPreviewWndClass::FormCreate);
    OnShow = ui::Bind(this, &TLMTSEditorPreviewWndClass::FormShow);
    OnMouseMove = ui::Bind(this, &TLMTSEditorPreviewWndClass::FormMouseMove);
    OnClick = ui::Bind(this, &TLMTSEditorPreviewWndClass::FormClick);
    OnKeyDown = ui::Bind(this, &TLMTSEditorPreviewWndClass::FormKeyDown);
    SnapTimer->OnTimer = ui::Bind(this, &TLMTSEditorPreviewWndClass::SnapTimerTimer);
}

void TLMTSEditorPreviewWndClass::FormCreate(ui::Component&)
{
    CreationTick = GetTickCount();
}

void TLMTSEditorPreviewWndClass::FormShow(ui::Component&)
{
    PlacementFollowing = true;
    PlacementHalfWidth = Width() / 2;
    PlacementHalfHeight = Height() / 2;
    const POINT centre = ClientToScreen(POINT{PlacementHalfWidth, PlacementHalfHeight});
    SetCursorPos(centre.x, centre.y);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
    UpdatePlacementHint();
}

void TLMTSEditorPreviewWndClass::FormMouseMove(ui::Control&, ui::ShiftState, int x, int y)
{
    if (!PlacementFollowing)
        return;
    const POINT to = PlacementFollowed(POINT{Left(), Top()}, x, y, PlacementHalfWidth, PlacementHalfHeight);
    SetBounds(to.x, to.y, Width(), Height());
    UpdatePlacementHint();
}

void TLMTSEditorPreviewWndClass::SnapTimerTimer(ui::Component&)
{
    // Mouse moves outside the window never reach it: the timer brings it back under the pointer.
    POINT pointer{};
    GetCursorPos(&pointer);
    const POINT to = PlacementCentredOn(pointer, Width(), Height());
    const bool moved = to.x != Left() || to.y != Top();
    SetBounds(to.x, to.y, Width(), Height());
    SetForegroundWindow(Handle());
    // The hint comes along, never left under the pointer; a pointer that stays still brings no
    // update, and the hint still goes after its time. At show time the window was not yet on the
    // screen to be found under its centre: its hint comes with the first tick.
    if (!Hint().empty() &&
        (moved || !PlacementHintActive(GetTickCount(), CreationTick) || ui::App().CurrentHint().empty()))
        UpdatePlacementHint();
}

void TLMTSEditorPreviewWndClass::FormClick(ui::Component&)
{
    PlacementFollowing = false;
    // Placed: the picture stays put, and the hint has said what it had to.
    SnapTimer->SetEnabled(false);
    ui::App().CancelHint();
    SetModalResult(ui::mrOk);
}

void TLMTSEditorPreviewWndClass::FormKeyDown(ui::Control&, WORD& key, ui::ShiftState)
{
    if (key == VK_ESCAPE)
        SetModalResult(ui::mrCancel);
    if (key == VK_RETURN)
        FormClick(*this);
}

void TLMTSEditorPreviewWndClass::UpdatePlacementHint()
{
    const POINT centre{Width() / 2, Height() / 2};
    if (PlacementHintActive(GetTickCount(), CreationTick))
        SetHint(PlacementHintText(Messages[PlacementHintFirstMessage], Messages[PlacementHintSecondMessage]));
    else
        SetHint({});
    ui::App().ActivateHint(ClientToScreen(centre));
}

} // namespace lumetta
