// Photo sets made from the new-photo page and loaded back into it: Done places a new set on the
// desktop, Edit fills the page from a stored set, Apply writes it back, Discard leaves it.
#include "editor/EditorMain.h"

#include <cmath>

#include "editor/EditorFinalPreviewWndU.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Application.h"

namespace lumetta {

namespace {

// Round half to even, the rounding of every stored value turned back into a control.
int RoundHalfEven(long double value) { return static_cast<int>(std::nearbyintl(value)); }

void PressKey(BYTE key, DWORD flags)
{
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC) & 0xFF), flags, 0);
}

// Everything up to and including the last backslash or colon.
std::string FolderOf(const std::string& path)
{
    const std::size_t at = path.find_last_of("\\:");
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

} // namespace

void ToggleShowDesktop()
{
    constexpr BYTE KeyD = 0x44;
    PressKey(VK_LWIN, 0);
    PressKey(KeyD, 0);
    PressKey(VK_LWIN, KEYEVENTF_KEYUP);
    PressKey(KeyD, KEYEVENTF_KEYUP);
    Sleep(100);
}

std::string PhotoSetIdAt(std::int32_t index)
{
    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    return index >= 0 && index < ids.Count() ? ids[index] : std::string();
}

TControlBounds ClipSelectionFromClip(const TPhotoClipRect& clip, const TControlBounds& thumbnail)
{
    return TControlBounds{RoundHalfEven(static_cast<long double>(thumbnail.Width) * clip.X + thumbnail.Left),
                          RoundHalfEven(static_cast<long double>(thumbnail.Height) * clip.Y + thumbnail.Top),
                          RoundHalfEven(static_cast<long double>(thumbnail.Width) * clip.W),
                          RoundHalfEven(static_cast<long double>(thumbnail.Height) * clip.H)};
}

int ZoomSliderFromRatio(double ratio, int max) { return RoundHalfEven(max + 5 - static_cast<long double>(ratio) * 15); }

int EffectSliderFromAmount(std::int32_t amount) { return RoundHalfEven(amount / 10.0L); }

void TLMTSEditorWndClass::SavePhotoSetValues(const std::string& key)
{
    namespace V = PhotoSetValue;
    TPhotoClipRect clip;
    GetClipRect(clip);
    TFramedEffects fx;
    GetFramedEffects(fx);
    const auto text = [&](const char* name, const std::string& value) {
        WriteRegString(HKEY_CURRENT_USER, key, name, value, REG_SZ, true);
    };
    const auto number = [&](const char* name, double value) { WriteRegNumber(HKEY_CURRENT_USER, key, name, value); };
    const auto integer = [&](const char* name, std::int32_t value) { WriteRegInteger(HKEY_CURRENT_USER, key, name, value); };

    // One value at a time, each write making the key when needed; a failure stops nothing.
    text(V::PhotoFile, fx.PhotoFile);
    text(V::Frame, CurrentFrame.Name);
    number(V::ClipX, clip.X);
    number(V::ClipY, clip.Y);
    number(V::ClipW, clip.W);
    number(V::ClipH, clip.H);
    integer(V::RotationAngle, fx.RotationAngle);
    number(V::ZoomRatio, fx.ZoomRatio);
    text(V::PhotoNotes, fx.PhotoNotes);
    integer(V::NotesPos, fx.NotesPos);
    text(V::FontFace, fx.FontFace);
    integer(V::Bold, fx.Bold);
    integer(V::Italic, fx.Italic);
    integer(V::Underline, fx.Underline);
    integer(V::StrikeOut, fx.StrikeOut);
    integer(V::FontSize, fx.FontSize);
    integer(V::FontColor, static_cast<std::int32_t>(fx.FontColor));
    integer(V::Brightness, fx.Brightness);
    integer(V::Contrast, fx.Contrast);
    integer(V::Saturation, fx.Saturation);
    integer(V::Sepia, fx.Sepia);
    integer(V::Emboss, fx.Emboss);
    integer(V::ColorNoise, fx.ColorNoise);
}

void TLMTSEditorWndClass::btnSingleFrameDoneClick(ui::Component&)
{
    ui::Owned<TLMTSEditorPreviewWndClass> placement = ui::MakeForm<TLMTSEditorPreviewWndClass>(this);
    {
        const ui::GpBitmapPtr picture = RenderFramedPhoto();
        // The layer takes its own copy of the picture.
        placement->SetBounds(Left(), Top(), placement->Width(), placement->Height());
        placement->SetLayerImage(*picture);
    }
    placement->SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2 - placement->Width() / 2,
                         GetSystemMetrics(SM_CYSCREEN) / 2 - placement->Height() / 2, placement->Width(),
                         placement->Height());
    Hide();
    HWND application = ui::App().Handle();
    const LONG oldStyle = GetWindowLongA(application, GWL_EXSTYLE);
    SetWindowLongA(application, GWL_EXSTYLE, oldStyle | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    ToggleShowDesktop();

    // Whatever happens inside the placement, the desktop, the style and the editor come back. A
    // placed picture stays on the screen until then, so that the spot is never bare: the agent
    // shows the set's frame there before "U" returns.
    struct Restore {
        TLMTSEditorWndClass* editor;
        ui::Owned<TLMTSEditorPreviewWndClass>& placement;
        HWND application;
        LONG oldStyle;
        ~Restore()
        {
            placement.reset();
            PlacementWindow = nullptr;
            ToggleShowDesktop();
            SetWindowLongA(application, GWL_EXSTYLE, oldStyle);
            editor->Show();
            SetForegroundWindow(editor->Handle());
        }
    } restore{this, placement, application, oldStyle};
    // Only now: the guard above is what clears it again.
    PlacementWindow = placement.get();

    if (placement->ShowModal() != ui::mrOk)
        return;
    namespace V = PhotoSetValue;
    const std::string id = NewPhotoSetId();
    const std::string key = PhotoSetKey(id);
    SavePhotoSetValues(key);
    WriteRegInteger(HKEY_CURRENT_USER, key, V::X, placement->Left());
    WriteRegInteger(HKEY_CURRENT_USER, key, V::Y, placement->Top());
    WriteRegInteger(HKEY_CURRENT_USER, key, V::Transparency, 100);
    WriteRegInteger(HKEY_CURRENT_USER, key, V::FadeIn, 1);
    SendAgentCommand("U" + id);
}

void TLMTSEditorWndClass::btnEditClick(ui::Component&)
{
    namespace V = PhotoSetValue;
    const std::string id = PhotoSetIdAt(ViewIndex);
    if (id.empty())
        return;
    const std::string key = PhotoSetKey(id);
    // Sets of another kind are shown but not edited.
    if (ReadPhotoSetInteger(key, V::FrameType) != 0)
        return;

    BusyCursorScope busy;
    RenderSuppressed = true;

    std::string frame = ReadPhotoSetText(key, V::Frame);
    if (FrameList.IndexOf(frame) < 0)
        frame = DefaultFrameName;
    FrameBrowserWindow->PreselectFrame(frame);
    SelectFrame(frame);

    const std::string photo = ReadPhotoSetText(key, V::PhotoFile);
    // A photo of the frame folder (the placeholder) is no place to open the dialog in.
    if (FolderOf(photo) != FramesetDir)
        OpenPictureDialog->SetFileName(photo);
    CurrentPhotoPath = photo;

    memoPhotoNotes->SetText(ReadPhotoSetText(key, V::PhotoNotes));
    const std::uint32_t notesPos = static_cast<std::uint32_t>(ReadPhotoSetInteger(key, V::NotesPos)) & 0xFF;
    if (notesPos < TextPositionItems.size())
        TextPositionItems[notesPos]->SetChecked(true);

    LoadStoredFont(key);
    LoadCurrentPhoto();
    PlaceStoredClip(key);
    LoadStoredSettings(key);

    RenderSuppressed = false;
    btnSingleFrameDone->Hide();
    btnSingleFrameOK->Show();
    btnSingleFrameCancel->Show();
    DoRenderFramePreview(*this);
    // The view page's navigation button stays selected.
    NotebookChangePage(NotebookPageSinglePhoto);
}

void TLMTSEditorWndClass::LoadStoredFont(const std::string& key)
{
    namespace V = PhotoSetValue;
    ui::Font& font = FontDialog->GetFont();
    const std::string face = ReadPhotoSetText(key, V::FontFace);
    font.SetName(face.empty() ? DefaultFontFace : face);
    ui::FontStyles style = font.Style();
    for (const auto& [name, flag] : {std::pair{V::Bold, ui::fsBold}, std::pair{V::Italic, ui::fsItalic},
                                     std::pair{V::Underline, ui::fsUnderline}, std::pair{V::StrikeOut, ui::fsStrikeOut}})
        style = ReadPhotoSetInteger(key, name) == 1 ? (style | flag) : (style & ~flag);
    font.SetStyle(style);
    const std::int32_t size = ReadPhotoSetInteger(key, V::FontSize);
    font.SetSize(size == 0 ? DefaultFontSize : size);
    font.SetColor(static_cast<ui::Color>(ReadPhotoSetInteger(key, V::FontColor)));
}

void TLMTSEditorWndClass::PlaceStoredClip(const std::string& key)
{
    namespace V = PhotoSetValue;
    const TPhotoClipRect clip{ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipX, 0.0),
                              ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipY, 0.0),
                              ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipW, 1.0),
                              ReadRegNumber(HKEY_CURRENT_USER, key, V::ClipH, 1.0)};
    const TControlBounds thumbnail{imgPhoto->Left(), imgPhoto->Top(), imgPhoto->Width(), imgPhoto->Height()};
    TClipSelector selector = ClipSelectorState();
    selector.Selection = ClipSelectionFromClip(clip, thumbnail);
    // Both buttons judge by the width, in portrait frames too.
    selector.ZoomOutEnabled = selector.Selection.Width < thumbnail.Width;
    selector.ZoomInEnabled = selector.Selection.Width > 40;
    SetClipSelectorState(selector);
    ShadeOutsideClip();
}

void TLMTSEditorWndClass::LoadStoredSettings(const std::string& key)
{
    namespace V = PhotoSetValue;
    trackRotation->SetPosition(ReadPhotoSetInteger(key, V::RotationAngle));
    // Read as the renderer reads it, so that a ratio stored under another decimal separator, or
    // none at all, leaves the set editable at zoom 1 instead of ending the edit half-way.
    trackZoom->SetPosition(ZoomSliderFromRatio(ReadRegNumber(HKEY_CURRENT_USER, key, V::ZoomRatio, 1.0), trackZoom->Max()));
    trackBrightness->SetPosition(EffectSliderFromAmount(ReadPhotoSetInteger(key, V::Brightness)));
    trackContrast->SetPosition(EffectSliderFromAmount(ReadPhotoSetInteger(key, V::Contrast)));
    trackSaturation->SetPosition(EffectSliderFromAmount(ReadPhotoSetInteger(key, V::Saturation)));
    cbSepia->SetChecked(ReadPhotoSetInteger(key, V::Sepia) == 1);
    cbEmboss->SetChecked(ReadPhotoSetInteger(key, V::Emboss) == 1);
    cbColorNoise->SetChecked(ReadPhotoSetInteger(key, V::ColorNoise) == 1);
}

void TLMTSEditorWndClass::btnSingleFrameOKClick(ui::Component&)
{
    const std::string id = PhotoSetIdAt(ViewIndex);
    if (id.empty())
        return;
    SavePhotoSetValues(PhotoSetKey(id));
    SendAgentCommand("U" + id);
    NotebookChangePage(NotebookPageView);
}

void TLMTSEditorWndClass::btnSingleFrameCancelClick(ui::Component&)
{
    NotebookChangePage(NotebookPageView);
}

} // namespace lumetta
