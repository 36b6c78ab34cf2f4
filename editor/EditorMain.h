#pragma once
// The editor's main window: the navigation column on the left, the three pages (new photo, the
// photos on the desktop, About), the help and update links, the commands the agent and a second
// editor send, and the commands the editor sends the agent.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/EzRgnBtn.h"
#include "controls/NewNotebook.h"
#include "controls/OrvaneImg.h"
#include "controls/OrvaneTrackbar.h"
#include "editor/EditorClipGeometry.h"
#include "shared/GlobalGraphics.h"
#include "shared/Version.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Menu.h"
#include "ui/Shape.h"

namespace lumetta {

class TLMTSEditorFrmBrowserWndClass;
class TLMTSEditorShadeWndClass;

// ---- Page state, one set per program ----------------------------------------------------------

// The padded photo of the new-photo page, with its halved copies; none until the first load.
extern std::unique_ptr<TPaddedPhoto> CurrentPhoto;
extern std::string CurrentPhotoPath;
// The frame of the new-photo page.
extern TPhotoFrame CurrentFrame;
// While set, the new-photo page's live preview does not render.
extern bool RenderSuppressed;
// The orientation the thumbnail was last built for: 0 landscape, 1 portrait, 2 none yet.
extern std::uint8_t LastOrientation;
inline constexpr std::uint8_t NoOrientation = 2;
// The view page's photo set: its position in the PhotoSets sub-key list.
extern std::int32_t ViewIndex;
// The one frame browser, made at start and kept until the program ends.
extern TLMTSEditorFrmBrowserWndClass* FrameBrowserWindow;
// The one shade, owned by the main window.
extern TLMTSEditorShadeWndClass* ShadeWindow;
// The owner of the file dialogs: the shade, so that they show above it.
extern HWND DialogOwnerWindow;

// The editor's version, as the update page is asked about it.
inline constexpr const char* EditorVersion = ProductVersion;
// The product's web site (a reserved name until the product has a site of its own).
inline constexpr const char* ProductSiteHost = "www.example.com";
// "https://" + host + path.
std::string ProductSiteAddress(const std::string& pathAndQuery);

// The hover colour of links and tool labels.
inline constexpr ui::Color LinkHoverColor = 0x0084FF;

// Page numbers, the Tags of the navigation buttons.
inline constexpr int PageSinglePhoto = 1;
inline constexpr int PageView = 2;
inline constexpr int PageAbout = 4;

// The left margin of a push button's icon: room beside a caption, little without one.
inline constexpr int ButtonIconMargin(const std::string& caption) { return caption.empty() ? 2 : 14; }

class TLMTSEditorWndClass : public ui::Form {
public:
    explicit TLMTSEditorWndClass(ui::Component* owner = nullptr);

    void FormCreate(ui::Component& sender);

    // ---- Commands ----
    void HandleSysCommand(ui::Message& message);
    void HandleActivate(ui::Message& message);
    void HandleCopyData(ui::Message& message);
    // Sends one command text (letter and argument) to the agent, starting it first when needed.
    void SendAgentCommand(const std::string& text);
    void EnsureAgentRunning();

    // ---- Pages and navigation ----
    void ShowPage(std::int32_t number);
    void NavButtonClick(ui::Component& sender);
    void NotebookChangePage(TNewNotebookPage* page);
    void stClickToCreateFrameClick(ui::Component& sender);
    // Gives a push button its icons: one for every state, or five with the disabled one fourth.
    void ButtonSetIcon(ui::Button* button, const char* icon, const char* disabledIcon, int width, int height);
    void LinkMouseEnter(ui::Component& sender);
    void LinkMouseLeave(ui::Component& sender);
    void ToolBtnMouseEnter(ui::Component& sender);
    void ToolBtnMouseLeave(ui::Component& sender);
    void imgHelpBtnMouseEnter(ui::Component& sender);
    void imgHelpBtnMouseLeave(ui::Component& sender);
    void imgCheckForUpdatesBtnMouseEnter(ui::Component& sender);
    void imgCheckForUpdatesBtnMouseLeave(ui::Component& sender);
    void BuildNavButtonFaces(TEzRgnBtn* button, const char* iconName, const std::string& caption);

    // ---- Help and web links ----
    void stHelpClick(ui::Component& sender);
    void stCheckForUpdatesClick(ui::Component& sender);
    void btnAskOnlineClick(ui::Component& sender);
    void btnVisitWebsiteClick(ui::Component& sender);

    // ---- New-photo page: photo and clip selection (EditorMainNewPhoto.cpp) ----
    void btnOpenPhotoClick(ui::Component& sender);
    // A new photo path arrives (open dialog, drop, "O", "-open"): note cleared, whole
    // selection, loaded and rendered. The callers raise RenderSuppressed around it.
    void OpenPhoto(const std::string& path);
    // The new-photo page's dispatch: the first dropped file is opened, every message then goes on
    // to the page's own dispatch.
    void PhotoPageWindowProc(ui::Message& message);
    // (Re)loads CurrentPhotoPath for CurrentFrame, with its thumbnail, and renders.
    void LoadCurrentPhoto();
    // The selection becomes the whole thumbnail; neither shades nor renders.
    void ResetClipSelector();
    void GetClipRect(TPhotoClipRect& clip) const;
    void shapeClipSelectorMouseDown(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void shapeClipSelectorMouseMove(ui::Control& sender, ui::ShiftState shift, int x, int y);
    void shapeClipSelectorMouseUp(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void btnZoomInClick(ui::Component& sender);
    void btnZoomOutClick(ui::Component& sender);
    // Redraws the thumbnail box from the clean thumbnail, darkened outside the selection.
    void ShadeOutsideClip();
    // The selection with the zoom buttons and the drag, as the clip arithmetic takes it.
    TClipSelector ClipSelectorState() const;
    void SetClipSelectorState(const TClipSelector& state);

    // ---- New-photo page: settings, note, frame and live preview (EditorMainNewPhoto.cpp) ----
    void GetFramedEffects(TFramedEffects& effects) const;
    // The finished picture from the full photo, exactly as stored sets render; the caller owns it.
    ui::GpBitmapPtr RenderFramedPhoto();
    // The same picture for the preview box, from the smallest halved copy that still has the
    // photo area's pixels, and only the part of it the box shows.
    ui::GpBitmapPtr RenderPreviewPhoto();
    void DoRenderFramePreview(ui::Component& sender);
    void TrackPosChanged(ui::Component& sender);
    void pboxZoomBarPaint(ui::PaintBox& sender, HDC dc);
    void pboxRotBarPaint(ui::PaintBox& sender, HDC dc);
    void btnChoosePositionClick(ui::Component& sender);
    void TextPositionChanged(ui::Component& sender);
    void stTextFontChooseClick(ui::Component& sender);
    void memoPhotoNotesKeyPress(ui::Control& sender, char& key);
    // Null sender: the page's own reset, which does not render.
    void btnResetImageEffectsClick(ui::Component* sender);
    void ResetSinglePhotoPage();
    // Makes a frame definition current without reloading the photo.
    void SelectFrame(const std::string& name);
    void btnSingleFrameChooseClick(ui::Component& sender);

    // The drag of the selection.
    bool ClipDragging = false;
    POINT ClipDragAnchor{0, 0};
    // How many previews this window has drawn.
    std::uint64_t PreviewRenders = 0;

    // ---- Photo sets: placing, storing and editing; the view page; the About picture ----
    // Writes the 23 settings of the new-photo page to the photo-set key (under HKEY_CURRENT_USER).
    void SavePhotoSetValues(const std::string& key);
    void btnSingleFrameDoneClick(ui::Component& sender);
    void btnEditClick(ui::Component& sender);
    // Edit's steps: a stored set's note font, its clip on the thumbnail, its sliders and effects.
    void LoadStoredFont(const std::string& key);
    void PlaceStoredClip(const std::string& key);
    void LoadStoredSettings(const std::string& key);
    void btnSingleFrameOKClick(ui::Component& sender);
    void btnSingleFrameCancelClick(ui::Component& sender);
    void RefreshViewPage();
    void btnPrevClick(ui::Component& sender);
    void btnNextClick(ui::Component& sender);
    void btnHideShowClick(ui::Component& sender);
    void btnDeleteClick(ui::Component& sender);
    void RenderAboutPicture();

    // ---- Components ----
    ui::Image* imgBackground = nullptr;
    TOrvaneImage* imgCheckForUpdatesBtn = nullptr;
    TOrvaneImage* imgHelpBtn = nullptr;
    ui::Label* stCheckForUpdates = nullptr;
    ui::Label* stHelp = nullptr;
    TEzRgnBtn* imgBtnNavigation1 = nullptr;
    TEzRgnBtn* imgBtnNavigation2 = nullptr;
    TEzRgnBtn* imgBtnNavigation4 = nullptr;
    TNewNotebook* nPages = nullptr;
    TNewNotebookPage* NotebookPageSinglePhoto = nullptr;
    TNewNotebookPage* NotebookPageView = nullptr;
    TNewNotebookPage* NotebookPageAbout = nullptr;

    // New-photo page
    ui::Image* imgPreview = nullptr;
    TOrvaneTrackbar* trackZoom = nullptr;
    ui::PaintBox* pboxZoomBar = nullptr;
    TOrvaneTrackbar* trackRotation = nullptr;
    ui::PaintBox* pboxRotBar = nullptr;
    ui::GroupBox* gbPhoto = nullptr;
    ui::Image* imgPhoto = nullptr;
    ui::Image* imgPhotoRenderBox = nullptr;
    ui::Shape* shapeClipSelector = nullptr;
    ui::Button* btnOpenPhoto = nullptr;
    ui::Button* btnZoomOut = nullptr;
    ui::Button* btnZoomIn = nullptr;
    ui::GroupBox* gbEffects = nullptr;
    ui::Label* stBrightness = nullptr;
    ui::Label* stContrast = nullptr;
    ui::Label* stSaturation = nullptr;
    TOrvaneTrackbar* trackBrightness = nullptr;
    TOrvaneTrackbar* trackContrast = nullptr;
    TOrvaneTrackbar* trackSaturation = nullptr;
    ui::CheckBox* cbSepia = nullptr;
    ui::CheckBox* cbEmboss = nullptr;
    ui::CheckBox* cbColorNoise = nullptr;
    ui::Button* btnResetImageEffects = nullptr;
    ui::GroupBox* gbPhotoNotes = nullptr;
    ui::Memo* memoPhotoNotes = nullptr;
    ui::Button* btnChooseFont = nullptr;
    ui::Button* btnChoosePosition = nullptr;
    ui::Button* btnSingleFrameChoose = nullptr;
    ui::Button* btnSingleFrameDone = nullptr;
    ui::Button* btnSingleFrameOK = nullptr;
    ui::Button* btnSingleFrameCancel = nullptr;
    ui::OpenDialog* OpenPictureDialog = nullptr;
    ui::FontDialog* FontDialog = nullptr;
    ui::PopupMenu* pmTextPos = nullptr;
    // The text-position items in menu order; the number of an item is its NotesPos.
    std::vector<ui::MenuItem*> TextPositionItems;
    ui::MenuItem* MiddleCenter1 = nullptr;
    ui::MenuItem* PhotoFrame1 = nullptr;

    // View page
    ui::Shape* shapeBk2 = nullptr;
    ui::Image* imgExistingPreview = nullptr;
    ui::Label* stNoFrames = nullptr;
    ui::Label* stClickToCreateFrame = nullptr;
    ui::Button* btnEdit = nullptr;
    ui::Button* btnHideShow = nullptr;
    ui::Button* btnDelete = nullptr;
    ui::Button* btnPrev = nullptr;
    ui::Button* btnNext = nullptr;

    // About page
    ui::Image* imgAbout = nullptr;
    ui::Button* btnAskOnline = nullptr;
    ui::Button* btnVisitWebsite = nullptr;

    // The new-photo page's own dispatch, which PhotoPageWindowProc passes messages on to.
    ui::Window::MessageHandler SavedPageWindowProc;

protected:
    void ApplyWindowStyle(ui::CreateParams& params) override;

private:
    // CurrentFrame's image, decoded once while the frame stays the same.
    FrameImageCache FrameImage;
    // The page's picture from the photo itself, or for the preview from the halved copy and cut to the box.
    ui::GpBitmapPtr ComposePage(bool fromHalvedCopy);
    // The frame's "Photo Frame" position is offered only with a text area; a dropped check
    // goes to fallback.
    void OfferFrameTextPosition(ui::MenuItem* fallback);
    // Binds the new-photo page's handlers.
    void BindNewPhotoPage();

    // The layout, one area each.
    void CreateNavigation();
    void CreateNewPhotoPage();
    void CreatePhotoGroup();
    void CreateEffectsGroup();
    void CreateNotesGroup();
    void CreateTextPositionMenu();
    void CreateViewPage();
    void CreateAboutPage();

    // Start-up steps.
    void CreateFrameBrowserAndShade();
    void ShowApplicationWindowAsTool();
    void PaintBackground();
    void SetButtonIcons();
    void RunCommandLine(const std::vector<std::string>& parameters);
    // "E" and "-edit": a listed photo set is shown on the view page and opened for editing.
    void EditListedPhotoSet(const std::string& id);
    // "R": the view page is refreshed when it shows, directly or behind an edit.
    void RefreshAfterAgentChange();
};

// ---- New-photo page: the rules behind its handlers ----

// The longest note the page takes: the longest text a photo set's value gives back.
inline constexpr int NoteMaxLength = 2047;

// The folder the open dialog starts in for the page's photo: the photo's own folder, or none
// (My Pictures) for no photo, a photo in the frame folder (the placeholder) or a folder too long
// for the dialog's 260-character buffer.
std::optional<std::string> PhotoDialogFolder(const std::string& photoPath, const std::string& framesetDir);

// A language message with one number in it ("%.2f", "%d" and the like, "%%" a percent sign), the
// decimal point being the user's. A message that does not hold exactly one conversion of the
// number's kind gives the number alone.
std::string FormatMessageNumber(const std::string& format, double value);
std::string FormatMessageNumber(const std::string& format, std::int64_t value);

// ---- Photo sets ----------------------------------------------------------------------------

// Shows the desktop, or brings back the windows that showing it hid: the Windows key with D.
void ToggleShowDesktop();

// The id at `index` of the stored photo sets, in the registry's order; empty when there is none.
std::string PhotoSetIdAt(std::int32_t index);

// A stored clip laid on the thumbnail: the selection's bounds, each rounded half to even.
TControlBounds ClipSelectionFromClip(const TPhotoClipRect& clip, const TControlBounds& thumbnail);

// The zoom slider's position for a stored ratio: max + 5 - ratio x 15, rounded half to even
// (1 gives 20, 2 gives 5, one third 30).
int ZoomSliderFromRatio(double ratio, int max);

// An effect slider's position for a stored amount: amount / 10, rounded half to even.
int EffectSliderFromAmount(std::int32_t amount);

// A width x height 24-bit picture in `background` with `image` at its own size in the middle,
// cut at the edges when it is larger.
std::unique_ptr<ui::Bitmap> CentredPicture(Gdiplus::Image& image, int width, int height, COLORREF background);

// The program's parameters (without the program name).
std::vector<std::string> CommandLineParameters();

// What a second editor does about the one that runs.
enum class TSecondStart { ForwardOpen, Nothing, Restore };
TSecondStart SecondStartAction(const std::vector<std::string>& parameters);

// Held by an editor from its start until its main window exists, so that one started at the same
// moment waits for that window and hands over to it.
inline constexpr const char* EditorMutexName = "LMTSE-C511CCAE-004A-4CC4-92E5-20799D436B0E";
// How long a starting editor waits for that at most; after it, it looks for the window anyway.
inline constexpr DWORD EditorStartupPatience = 5000;

// The program: one editor window per desktop; a second start forwards "-open" or brings the
// first one back, and ends. Returns the exit code.
int EditorProgramBlock();

// The unit's end: frees the photo and the frame browser and forgets the page state.
void EditorMainDone();

} // namespace lumetta
