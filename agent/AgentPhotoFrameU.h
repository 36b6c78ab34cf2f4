#pragma once
// The frame window of the desktop agent: one borderless per-pixel-alpha window per shown photo
// set, with its menu of window settings and requests to the editor.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "agent/ThdTimer.h"
#include "ui/Dialogs.h"
#include "ui/GdiPlus.h"
#include "ui/LayeredForm.h"
#include "ui/Menu.h"

namespace lumetta {

// ---- Arithmetic of the frame window, free of any window ----------------------------------------

// Window alpha of a stored opacity percentage (`Transparency`): 255 when it is 0 (absent), otherwise
// the low 8 bits of floor(T * 255 / 100), exact in integers (a product with 2.55 falls short).
BYTE OpacityAlpha(std::int32_t transparency);

// The Opacity submenu: item 0 is "100%", item 9 is "10%".
inline constexpr int OpacityItemCount = 10;
std::int32_t OpacityOfItem(int index);
// The item checked for a stored value: 1 to 100 round down to their ten, anything else is "100%".
int OpacityItemIndex(std::int32_t transparency);

// Alphas of the two fades of a window resting at `transparency`: five steps and the end value.
using FadeAlphas = std::array<BYTE, 6>;
FadeAlphas FadeInAlphas(std::int32_t transparency);
FadeAlphas FadeOutAlphas(std::int32_t transparency);

// Where a dragged window goes: the point grabbed at `origin` (window coordinates) follows the
// mouse, now at `mouse` in the same window's coordinates.
POINT DraggedPosition(POINT window, POINT mouse, POINT origin);

// Side of the square of a frame that must lie on one monitor for the user to see and grab it.
inline constexpr int ReachableSide = 40;

// Where a frame window stored at `stored` shows, judged by `seen`, the part of the window that is
// not transparent (window coordinates): at `stored` when at least 40 x 40 pixels of that part (all
// of a smaller one) lie on one of `monitors`, else moved so that the part comes the shortest way
// into `nearestWork`, the work area of the monitor nearest to it (over all of it when larger).
POINT ReachablePlace(POINT stored, const RECT& seen, const std::vector<RECT>& monitors, const RECT& nearestWork);
// The same on this desktop's monitors as they are now.
POINT ReachablePlaceOnDesktop(POINT stored, const RECT& seen);

// ---- Save as JPEG ------------------------------------------------------------------------------

inline constexpr ULONG SavedJpegQuality = 94;

// Em size in pixels of the saved picture's caption: 16 at zoom 1.
float SavedCaptionEmSize(double zoom);
// The caption: two lines stored scrambled, an empty line between them and four line breaks after.
std::string SavedCaptionText();

// The picture Save as writes: the frame over a white-to-light-grey vertical gradient with the
// translucent caption centred on it; 24-bit, the frame's size. Null when no picture can be made.
ui::GpBitmapPtr ComposeSavedPicture(Gdiplus::Bitmap& frameImage, double zoom);

// Encodes `picture` as JPEG at quality 94 into `fileName` (ANSI, as the save dialog gives it).
Gdiplus::Status SaveJpeg(Gdiplus::Image& picture, const std::string& fileName);

// Everything after the dialog: reads the set's ZoomRatio, composes and saves, and shows the error
// dialog with the file name when the picture cannot be written. Returns whether it was written.
bool SaveFrameAsJpeg(Gdiplus::Bitmap& frameImage, const std::string& photoSetId, const std::string& fileName);

// ---- The window ------------------------------------------------------------------------------

class TLMTWndClass : public ui::LayeredForm {
public:
    explicit TLMTWndClass(ui::Component* owner = nullptr);
    ~TLMTWndClass() override;

    ui::PopupMenu* pmMain;
    ui::MenuItem* miCloseAll;
    ui::MenuItem* miEdit;
    ui::MenuItem* N1;
    ui::MenuItem* N2;
    ui::MenuItem* miLock;
    ui::MenuItem* N3;
    ui::MenuItem* miTransparency;
    ui::MenuItem* miFade;
    ui::MenuItem* N4;
    ui::MenuItem* N1001;
    ui::MenuItem* N901;
    ui::MenuItem* N801;
    ui::MenuItem* N701;
    ui::MenuItem* N601;
    ui::MenuItem* N501;
    ui::MenuItem* N401;
    ui::MenuItem* N301;
    ui::MenuItem* N201;
    ui::MenuItem* N101;
    TThreadedTimer* FadeOutTimer;
    ui::MenuItem* miHide;
    ui::MenuItem* miNew;
    ui::MenuItem* N5;
    ui::MenuItem* miRemove;
    ui::MenuItem* N6;
    ui::MenuItem* miOnTop;
    ui::MenuItem* miSave;
    ui::MenuItem* N7;
    ui::SaveDialog* SaveDialog;

    ui::GpBitmapPtr FrameImage; // the composed frame, 32-bit ARGB, as the window shows it
    POINT StoredPlace{};        // X, Y as stored
    bool Displaced = false;     // shown away from StoredPlace, which no monitor shows, until dragged
    std::string PhotoSetId;
    std::string PhotoSetKey;
    std::int32_t DragOriginX = 0;
    std::int32_t DragOriginY = 0;
    bool Dragging = false;
    bool LockedFlag = false;
    bool Hovering = false;

    void AnimateFadeIn();
    void AnimateFadeOut();
    // Shows the window at its stored place, or where a monitor shows it when none shows it there;
    // the stored place itself stays until a drag.
    void PlaceAt(POINT stored);

    void FormCreate(ui::Component& sender);
    void FormShow(ui::Component& sender);
    void FormDestroy(ui::Component& sender);
    void FormMouseDown(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void FormMouseMove(ui::Control& sender, ui::ShiftState shift, int x, int y);
    void FormMouseUp(ui::Control& sender, ui::MouseButton button, ui::ShiftState shift, int x, int y);
    void FadeOutTimerTimer(ui::Component& sender);
    void miNewClick(ui::Component& sender);
    void miEditClick(ui::Component& sender);
    void miSaveClick(ui::Component& sender);
    void miLockClick(ui::Component& sender);
    void miOnTopClick(ui::Component& sender);
    void miTransparencyChanged(ui::Component& sender);
    void miFadeClick(ui::Component& sender);
    void miRemoveClick(ui::Component& sender);
    void miHideClick(ui::Component& sender);
    void miCloseAllClick(ui::Component& sender);

private:
    // The popup menu in menu order, and the handlers bound to the form and its components.
    void CreateMenu();
    void BindHandlers();
    std::int32_t ReadValue(const char* name) const;
    void WriteValue(const char* name, std::int32_t value) const;
    void AnimateFade(const FadeAlphas& alphas);
    // Position of this window's own entry in FrameWindows, or -1 once it has been closed.
    int OwnEntry() const;
    // Sends "E" or "N" with the id of this window's entry to a running editor, or starts one.
    void RequestEditor(char letter);
    void CloseOwnEntry(int entry);
};

} // namespace lumetta
