// The new-photo page: choosing and loading the photo, the clip selection over its thumbnail, the
// settings, the note and the frame, and the live preview of the framed picture.
#include "EditorMain.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "editor/EditorEffectsMapping.h"
#include "editor/EditorFinalPreviewWndU.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "editor/EditorShadeWndU.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Bind.h"

namespace lumetta {

namespace {

// The file dialog's buffer for the initial folder holds this many characters.
constexpr std::size_t DialogFolderLimit = MAX_PATH;
constexpr std::size_t NoteWrapColumn = 32;

TControlBounds BoundsOf(const ui::Control& control)
{
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}

// Lowers RenderSuppressed when it goes, also when a load fails.
struct RenderSuppressedLowered {
    RenderSuppressedLowered() = default;
    RenderSuppressedLowered(const RenderSuppressedLowered&) = delete;
    RenderSuppressedLowered& operator=(const RenderSuppressedLowered&) = delete;
    ~RenderSuppressedLowered() { RenderSuppressed = false; }
};

// Hides the shade when it goes, also when the dialog under it fails.
class ShadeShown {
public:
    explicit ShadeShown(const ui::Form& form) { ShadeWindow->ShowShade(form); }
    ShadeShown(const ShadeShown&) = delete;
    ShadeShown& operator=(const ShadeShown&) = delete;
    ~ShadeShown() { Hide(); }
    void Hide()
    {
        if (shown_)
            ShadeWindow->HideShade();
        shown_ = false;
    }

private:
    bool shown_ = true;
};

bool KeyIsDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A PNG resource drawn at its own size at the top left of a paint box.
void PaintScale(HDC dc, const char* resource)
{
    const ui::GpBitmapPtr png = LoadPngResource(resource);
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(png.get(), 0, 0, static_cast<INT>(png->GetWidth()), static_cast<INT>(png->GetHeight()));
}

// The one conversion of a message's number: its place in the text and its C form.
struct NumberConversion {
    std::size_t Start = 0;
    std::size_t End = 0;
    std::string Format;
};

// Finds the single conversion whose letter is among `letters` ("%%" aside); none when there is
// another conversion, none at all, or a width or precision taken from the arguments.
std::optional<NumberConversion> SingleConversion(const std::string& format, const char* letters)
{
    std::optional<NumberConversion> found;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        if (j < format.size() && format[j] == '-')
            ++j;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
                ++j;
        }
        if (j >= format.size() || found)
            return std::nullopt;
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(format[j])));
        if (!std::strchr(letters, letter))
            return std::nullopt;
        found = NumberConversion{i, j + 1, format.substr(i, j - i) + letter};
        i = j;
    }
    return found;
}

// The text around the conversion with "%%" made single, and the number's text between.
std::string Substitute(const std::string& format, const NumberConversion& conversion, const std::string& number)
{
    const auto literal = [](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            out += text[i];
            if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
                ++i;
        }
        return out;
    };
    return literal(format.substr(0, conversion.Start)) + number + literal(format.substr(conversion.End));
}

} // namespace

// ---- The rules behind the handlers ---------------------------------------------------------------

std::optional<std::string> PhotoDialogFolder(const std::string& photoPath, const std::string& framesetDir)
{
    if (photoPath.empty())
        return std::nullopt;
    const std::size_t slash = photoPath.rfind('\\');
    const std::string folder = slash == std::string::npos ? std::string() : photoPath.substr(0, slash + 1);
    if (folder == framesetDir || folder.size() > DialogFolderLimit)
        return std::nullopt;
    return folder;
}

std::string FormatMessageNumber(const std::string& format, double value)
{
    char text[400];
    const std::optional<NumberConversion> conversion = SingleConversion(format, "efgn");
    if (!conversion) {
        std::snprintf(text, sizeof text, "%g", value);
    } else {
        // Thousands separators aside, "n" is a fixed-point number.
        std::string printed = conversion->Format;
        if (printed.back() == 'n')
            printed.back() = 'f';
        std::snprintf(text, sizeof text, printed.c_str(), value);
    }
    std::string number = text;
    for (char& c : number)
        if (c == '.')
            c = DecimalSeparator();
    return conversion ? Substitute(format, *conversion, number) : number;
}

std::string FormatMessageNumber(const std::string& format, std::int64_t value)
{
    char text[400];
    const std::optional<NumberConversion> conversion = SingleConversion(format, "du");
    if (!conversion) {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
        return text;
    }
    std::string printed = conversion->Format;
    printed.insert(printed.size() - 1, "ll");
    std::snprintf(text, sizeof text, printed.c_str(), static_cast<long long>(value));
    return Substitute(format, *conversion, text);
}

// ---- Handlers --------------------------------------------------------------------------------------

void TLMTSEditorWndClass::BindNewPhotoPage()
{
    btnOpenPhoto->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnOpenPhotoClick);
    btnZoomIn->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnZoomInClick);
    btnZoomOut->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnZoomOutClick);
    shapeClipSelector->OnMouseDown = ui::Bind(this, &TLMTSEditorWndClass::shapeClipSelectorMouseDown);
    shapeClipSelector->OnMouseMove = ui::Bind(this, &TLMTSEditorWndClass::shapeClipSelectorMouseMove);
    shapeClipSelector->OnMouseUp = ui::Bind(this, &TLMTSEditorWndClass::shapeClipSelectorMouseUp);
    for (TOrvaneTrackbar* track : {trackZoom, trackRotation, trackBrightness, trackContrast, trackSaturation})
        track->OnChange = ui::Bind(this, &TLMTSEditorWndClass::TrackPosChanged);
    pboxZoomBar->OnPaint = ui::Bind(this, &TLMTSEditorWndClass::pboxZoomBarPaint);
    pboxRotBar->OnPaint = ui::Bind(this, &TLMTSEditorWndClass::pboxRotBarPaint);
    for (ui::CheckBox* box : {cbSepia, cbEmboss, cbColorNoise})
        box->OnClick = ui::Bind(this, &TLMTSEditorWndClass::DoRenderFramePreview);
    btnResetImageEffects->OnClick = [this](ui::Component& sender) { btnResetImageEffectsClick(&sender); };
    memoPhotoNotes->OnChange = ui::Bind(this, &TLMTSEditorWndClass::DoRenderFramePreview);
    memoPhotoNotes->OnKeyPress = ui::Bind(this, &TLMTSEditorWndClass::memoPhotoNotesKeyPress);
    btnChooseFont->OnClick = ui::Bind(this, &TLMTSEditorWndClass::stTextFontChooseClick);
    btnChoosePosition->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnChoosePositionClick);
    for (ui::MenuItem* item : TextPositionItems)
        item->OnClick = ui::Bind(this, &TLMTSEditorWndClass::TextPositionChanged);
    btnSingleFrameChoose->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnSingleFrameChooseClick);
}

// ---- The photo -------------------------------------------------------------------------------------

void TLMTSEditorWndClass::btnOpenPhotoClick(ui::Component&)
{
    std::optional<std::string> folder = PhotoDialogFolder(CurrentPhotoPath, FramesetDir);
    if (!folder) {
        char buffer[MAX_PATH + 1] = {};
        SHGetSpecialFolderPathA(Handle(), buffer, CSIDL_MYPICTURES, FALSE);
        folder = buffer;
    }
    OpenPictureDialog->SetInitialDir(*folder);

    ShadeShown shade(*this);
    if (!OpenPictureDialog->Execute(DialogOwnerWindow))
        return;
    const RenderSuppressedLowered lowered;
    shade.Hide();
    RenderSuppressed = true;
    const BusyCursorScope busy;
    OpenPhoto(OpenPictureDialog->FileName());
}

void TLMTSEditorWndClass::OpenPhoto(const std::string& path)
{
    CurrentPhotoPath = path;
    memoPhotoNotes->SetText(GetPhotoTitle(path));
    ResetClipSelector();
    LoadCurrentPhoto();
}

void TLMTSEditorWndClass::PhotoPageWindowProc(ui::Message& message)
{
    if (message.msg == WM_DROPFILES) {
        auto* drop = reinterpret_cast<HDROP>(message.wParam);
        char name[MAX_PATH] = {};
        DragQueryFileA(drop, 0, name, MAX_PATH);
        // A folder, or a name that does not exist (every attribute bit set).
        if (GetFileAttributesA(name) & FILE_ATTRIBUTE_DIRECTORY) {
            DragFinish(drop);
            return;
        }
        struct DropFinished {
            HDROP drop;
            ~DropFinished() { DragFinish(drop); }
        } finished{drop};
        const RenderSuppressedLowered lowered;
        const BusyCursorScope busy;
        RenderSuppressed = true;
        OpenPhoto(name);
    }
    SavedPageWindowProc(message);
}

void TLMTSEditorWndClass::LoadCurrentPhoto()
{
    const bool portrait = CurrentFrame.Orientation;
    {
        const RenderSuppressedLowered lowered;
        RenderSuppressed = true;
        CurrentPhoto.reset();
        CurrentPhoto = LoadPaddedPhoto(CurrentPhotoPath, portrait);
    }
    CurrentPhoto->MakeHalvedCopies();

    const std::unique_ptr<ui::Bitmap> thumbnail = MakeThumbnail(*CurrentPhoto, portrait);
    const TControlBounds place = ThumbnailBounds(portrait);
    imgPhoto->SetBounds(place.Left, imgPhoto->Top(), thumbnail->Width(), thumbnail->Height());
    imgPhoto->Picture().Assign(thumbnail.get());
    imgPhotoRenderBox->SetBounds(imgPhoto->Left(), imgPhoto->Top(), thumbnail->Width(), thumbnail->Height());
    imgPhotoRenderBox->Picture().Assign(thumbnail.get());
    imgPhoto->Hide();
    const std::uint8_t orientation = portrait ? 1 : 0;
    if (LastOrientation != orientation)
        ResetClipSelector();
    LastOrientation = orientation;
    ShadeOutsideClip();
    DoRenderFramePreview(*this);
}

// ---- The clip selection ------------------------------------------------------------------------------

TClipSelector TLMTSEditorWndClass::ClipSelectorState() const
{
    TClipSelector state;
    state.Selection = BoundsOf(*shapeClipSelector);
    state.ZoomInEnabled = btnZoomIn->Enabled();
    state.ZoomOutEnabled = btnZoomOut->Enabled();
    state.Dragging = ClipDragging;
    state.DragAnchor = ClipDragAnchor;
    return state;
}

void TLMTSEditorWndClass::SetClipSelectorState(const TClipSelector& state)
{
    const TControlBounds& s = state.Selection;
    shapeClipSelector->SetBounds(s.Left, s.Top, s.Width, s.Height);
    btnZoomIn->SetEnabled(state.ZoomInEnabled);
    btnZoomOut->SetEnabled(state.ZoomOutEnabled);
    ClipDragging = state.Dragging;
    ClipDragAnchor = state.DragAnchor;
}

void TLMTSEditorWndClass::ResetClipSelector()
{
    TClipSelector state;
    lumetta::ResetClipSelector(state, BoundsOf(*imgPhoto));
    SetClipSelectorState(state);
    shapeClipSelector->Show();
}

void TLMTSEditorWndClass::GetClipRect(TPhotoClipRect& clip) const
{
    clip = lumetta::GetClipRect(BoundsOf(*shapeClipSelector), BoundsOf(*imgPhoto));
}

void TLMTSEditorWndClass::shapeClipSelectorMouseDown(ui::Control&, ui::MouseButton button, ui::ShiftState, int x, int y)
{
    TClipSelector state = ClipSelectorState();
    BeginClipDrag(state, button == ui::MouseButton::Left, x, y);
    SetClipSelectorState(state);
}

void TLMTSEditorWndClass::shapeClipSelectorMouseMove(ui::Control&, ui::ShiftState, int x, int y)
{
    TClipSelector state = ClipSelectorState();
    const bool moved = DragClip(state, BoundsOf(*imgPhoto), x, y);
    // Also when nothing moved: the grip slid on the refused axes.
    SetClipSelectorState(state);
    // Only the shading follows the mouse; the framed picture waits for the release.
    if (moved)
        ShadeOutsideClip();
}

void TLMTSEditorWndClass::shapeClipSelectorMouseUp(ui::Control&, ui::MouseButton, ui::ShiftState, int, int)
{
    ClipDragging = false;
    DoRenderFramePreview(*this);
}

void TLMTSEditorWndClass::btnZoomInClick(ui::Component&)
{
    TClipSelector state = ClipSelectorState();
    ZoomClipIn(state, CurrentFrame.Orientation);
    SetClipSelectorState(state);
    ShadeOutsideClip();
    // The new shading paints before the slower render.
    ui::App().ProcessMessages();
    DoRenderFramePreview(*this);
}

void TLMTSEditorWndClass::btnZoomOutClick(ui::Component&)
{
    TClipSelector state = ClipSelectorState();
    ZoomClipOut(state, BoundsOf(*imgPhoto), CurrentFrame.Orientation);
    SetClipSelectorState(state);
    ShadeOutsideClip();
    ui::App().ProcessMessages();
    DoRenderFramePreview(*this);
}

void TLMTSEditorWndClass::ShadeOutsideClip()
{
    const ui::Bitmap* clean = imgPhoto->Picture().Graphic();
    if (!clean)
        return;
    ui::Bitmap& box = imgPhotoRenderBox->Picture().Bitmap();
    box.Canvas().Draw(0, 0, *clean);
    const TClipShade shade = lumetta::ShadeOutsideClip(BoundsOf(*shapeClipSelector), BoundsOf(*imgPhotoRenderBox));
    const ui::RegionHandle outside(CreateRectRgnIndirect(&shade.Box));
    const ui::RegionHandle inside(CreateRectRgnIndirect(&shade.Clear));
    CombineRgn(outside.Get(), outside.Get(), inside.Get(), RGN_XOR);
    {
        Gdiplus::Graphics graphics(box.DC());
        const Gdiplus::Region region(outside.Get());
        const Gdiplus::SolidBrush brush{Gdiplus::Color(ClipShadeColor)};
        graphics.FillRegion(&brush, &region);
    }
    box.Changed();
}

// ---- Settings and the preview -----------------------------------------------------------------------

void TLMTSEditorWndClass::GetFramedEffects(TFramedEffects& effects) const
{
    TSinglePhotoControls controls;
    controls.PhotoPath = CurrentPhotoPath;
    controls.RotationPosition = trackRotation->Position();
    controls.ZoomPosition = trackZoom->Position();
    controls.ZoomMax = trackZoom->Max();
    controls.Notes = memoPhotoNotes->Text();
    for (std::size_t i = 0; i < controls.TextPositionChecked.size(); ++i)
        controls.TextPositionChecked[i] = TextPositionItems.at(i)->Checked();
    const ui::Font& font = FontDialog->GetFont();
    controls.FontName = font.Name();
    controls.FontStyle = font.Style();
    controls.FontSize = font.Size();
    controls.FontColor = font.GetColor();
    controls.BrightnessPosition = trackBrightness->Position();
    controls.ContrastPosition = trackContrast->Position();
    controls.SaturationPosition = trackSaturation->Position();
    controls.Sepia = cbSepia->Checked();
    controls.Emboss = cbEmboss->Checked();
    controls.ColorNoise = cbColorNoise->Checked();
    effects = FramedEffectsFromControls(controls);
}

ui::GpBitmapPtr TLMTSEditorWndClass::RenderFramedPhoto() { return ComposePage(false); }

ui::GpBitmapPtr TLMTSEditorWndClass::RenderPreviewPhoto() { return ComposePage(true); }

ui::GpBitmapPtr TLMTSEditorWndClass::ComposePage(bool fromHalvedCopy)
{
    if (!CurrentPhoto)
        return EmptyFramedPhoto();
    TPhotoClipRect clip;
    GetClipRect(clip);
    TFramedEffects effects;
    GetFramedEffects(effects);
    Gdiplus::Bitmap* frameImage = FrameImage.Get(CurrentFrame);
    if (!fromHalvedCopy)
        return ComposeFramedPhoto(*CurrentPhoto, clip, CurrentFrame, effects, TRenderShortcuts{frameImage, {}});
    // Only what the box shows of a picture larger than it.
    TRenderShortcuts shortcuts{frameImage, TResultView{imgPreview->Width(), imgPreview->Height()}, true};
    shortcuts.TurnLayers = true;
    shortcuts.FromHalvedCopies = true;
    return ComposeFramedPhoto(*CurrentPhoto, clip, CurrentFrame, effects, shortcuts);
}

void TLMTSEditorWndClass::DoRenderFramePreview(ui::Component&)
{
    if (RenderSuppressed)
        return;
    auto bitmap = std::make_unique<ui::Bitmap>(imgPreview->Width(), imgPreview->Height(), ui::PixelFormat::Bits24);
    {
        // Centred at its own size on the window colour; a picture larger than the box is cut at its edges.
        const ui::GpBitmapPtr image = RenderPreviewPhoto();
        DrawCentredOver(*bitmap, *image, GetSysColor(COLOR_WINDOW));
    }
    // The new picture replaces the old one off-screen, without flicker.
    nPages->SetDoubleBuffered(true);
    struct SingleBuffered {
        TNewNotebook* pages;
        ~SingleBuffered() { pages->SetDoubleBuffered(false); }
    } restore{nPages};
    imgPreview->Picture().SetBitmap(std::move(bitmap));
    ++PreviewRenders;
}

void TLMTSEditorWndClass::TrackPosChanged(ui::Component& sender)
{
    auto& track = dynamic_cast<ui::TrackBar&>(sender);
    std::string hint;
    if (&track == trackZoom)
        hint = FormatMessageNumber(Messages[4], ZoomRatioFromSlider(track.Position(), track.Max()));
    else if (&track == trackRotation)
        hint = FormatMessageNumber(Messages[5], std::int64_t{track.Position()});
    else
        hint = EffectHintText(track.Position());
    // The value shows beside the cursor while the slider moves; the slider has no hover hint.
    track.SetHint(hint);
    POINT cursor{};
    GetCursorPos(&cursor);
    DoRenderFramePreview(sender);
    ui::App().ActivateHint(cursor);
    track.SetHint(std::string());
}

void TLMTSEditorWndClass::pboxZoomBarPaint(ui::PaintBox&, HDC dc) { PaintScale(dc, "BAR_ZOOM"); }
void TLMTSEditorWndClass::pboxRotBarPaint(ui::PaintBox&, HDC dc) { PaintScale(dc, "BAR_ROT"); }

// ---- The note ------------------------------------------------------------------------------------------

void TLMTSEditorWndClass::btnChoosePositionClick(ui::Component&)
{
    // The menu opens below the button, at its bottom-left corner.
    const POINT corner = gbPhotoNotes->ClientToScreen(
        POINT{btnChoosePosition->Left(), btnChoosePosition->Top() + btnChoosePosition->Height()});
    pmTextPos->Popup(corner.x, corner.y);
}

void TLMTSEditorWndClass::TextPositionChanged(ui::Component& sender)
{
    dynamic_cast<ui::MenuItem&>(sender).SetChecked(true);
    DoRenderFramePreview(sender);
}

void TLMTSEditorWndClass::stTextFontChooseClick(ui::Component& sender)
{
    if (FontDialog->Execute(Handle()))
        DoRenderFramePreview(sender);
}

void TLMTSEditorWndClass::memoPhotoNotesKeyPress(ui::Control&, char& key)
{
    if (KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU) && !KeyIsDown(VK_SHIFT) && KeyIsDown('A')) {
        memoPhotoNotes->SelectAll();
        key = 0;
    }
}

// ---- Resets and the frame --------------------------------------------------------------------------------

void TLMTSEditorWndClass::btnResetImageEffectsClick(ui::Component* sender)
{
    RenderSuppressed = true;
    trackBrightness->SetPosition(0);
    trackContrast->SetPosition(0);
    trackSaturation->SetPosition(0);
    cbSepia->SetChecked(false);
    cbEmboss->SetChecked(false);
    cbColorNoise->SetChecked(false);
    RenderSuppressed = false;
    if (sender)
        DoRenderFramePreview(*sender);
}

void TLMTSEditorWndClass::ResetSinglePhotoPage()
{
    ClipDragging = false;
    btnEdit->SetCaption(Messages[6]);
    CurrentPhotoPath = FramesetDir + "nophoto.png";
    memoPhotoNotes->SetText(WrapText(Messages[16], NoteWrapColumn));
    trackZoom->SetPosition(20);
    trackRotation->SetPosition(4);
    ui::Font& font = FontDialog->GetFont();
    font.SetName("Arial");
    font.SetColor(ui::clWindowText);
    font.SetSize(14);
    font.SetStyle(ui::fsItalic);
    btnResetImageEffectsClick(nullptr);
    LastOrientation = NoOrientation;
    LoadCurrentPhoto();
}

void TLMTSEditorWndClass::OfferFrameTextPosition(ui::MenuItem* fallback)
{
    PhotoFrame1->SetEnabled(!(CurrentFrame.TextHold.Left == -1 && CurrentFrame.TextHold.Top == -1));
    if (!PhotoFrame1->Enabled() && PhotoFrame1->Checked())
        fallback->SetChecked(true);
}

void TLMTSEditorWndClass::SelectFrame(const std::string& name)
{
    LoadPhotoFrame(name, CurrentFrame);
    FrameImage.Drop();
    OfferFrameTextPosition(MiddleCenter1);
}

void TLMTSEditorWndClass::btnSingleFrameChooseClick(ui::Component&)
{
    int result = ui::mrNone;
    {
        const ShadeShown shade(*this);
        result = FrameBrowserWindow->ShowModal();
    }
    if (result != ui::mrOk)
        return;
    // The editor repaints where the browser and the shade were.
    ui::App().ProcessMessages();
    const ui::ListBox& frames = *FrameBrowserWindow->lbFrames;
    LoadPhotoFrame(frames.Items(frames.ItemIndex()), CurrentFrame);
    FrameImage.Drop();
    // Through the browser a dropped "Photo Frame" falls back to "Top Left".
    OfferFrameTextPosition(TextPositionItems.front());
    const BusyCursorScope busy;
    LoadCurrentPhoto();
}

} // namespace lumetta
