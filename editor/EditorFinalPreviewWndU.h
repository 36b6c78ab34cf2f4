#pragma once
// The placement window: the finished framed photo with its per-pixel alpha, centred under the
// mouse pointer while the user chooses where it goes on the desktop. A click or Enter places it
// (mrOK, the window's Left and Top being the place), Esc cancels (mrCancel). For its first ten
// seconds it shows how to do so as its hint. A placed picture stays where it was placed until
// the window is freed, so that it can wait there for the desktop agent's frame.
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/LayeredForm.h"
#include "ui/Timer.h"

namespace lumetta {

// ---- Arithmetic of the placement, free of any window -------------------------------------------

inline constexpr unsigned PlacementSnapInterval = 70;
inline constexpr DWORD PlacementHintPeriod = 10000;
inline constexpr std::size_t PlacementHintColumns = 45;
inline constexpr int PlacementHintFirstMessage = 18;
inline constexpr int PlacementHintSecondMessage = 19;

// The top-left corner that puts the centre of a width x height window (halves truncated) on point.
POINT PlacementCentredOn(POINT point, int width, int height);
// The window's new top-left corner after the pointer moved to (x, y) of its client area.
POINT PlacementFollowed(POINT topLeft, int x, int y, int halfWidth, int halfHeight);
// Whether the hint still shows `now`, the tick counts being unsigned, so a wrap does no harm.
bool PlacementHintActive(DWORD now, DWORD creationTick);

// Breaks each line longer than columns after its last space, hyphen or tab that keeps it within
// them (that character included), inserting CR LF; a line with no such place breaks at its
// first one. Line breaks already in the text stay.
std::string WrapText(const std::string& text, std::size_t columns);
// The two messages, each wrapped at 45 columns, with an empty line between them.
std::string PlacementHintText(const std::string& first, const std::string& second);

// ---- The window --------------------------------------------------------------------------------

class TLMTSEditorPreviewWndClass;

// While following, mouse moves over the window re-centre it on the pointer.
extern bool PlacementFollowing;
// Half the window's size, taken when it is shown.
extern std::int32_t PlacementHalfWidth;
extern std::int32_t PlacementHalfHeight;
// The instance while a placement runs; its creator sets and frees it.
extern TLMTSEditorPreviewWndClass* PlacementWindow;

class TLMTSEditorPreviewWndClass : public ui::LayeredForm {
public:
    explicit TLMTSEditorPreviewWndClass(ui::Component* owner);

    ui::Timer* SnapTimer;
    // GetTickCount when the window was made: the hint's ten seconds count from here.
    DWORD CreationTick = 0;

    void FormCreate(ui::Component& sender);
    void FormShow(ui::Component& sender);
    void FormMouseMove(ui::Control& sender, ui::ShiftState shift, int x, int y);
    void SnapTimerTimer(ui::Component& sender);
    void FormClick(ui::Component& sender);
    void FormKeyDown(ui::Control& sender, WORD& key, ui::ShiftState shift);
    // Shows the hint at the window's centre during the first ten seconds, and clears it after.
    void UpdatePlacementHint();

protected:
    bool HidesAfterModal(int result) const override { return result != ui::mrOk; }
};

} // namespace lumetta
