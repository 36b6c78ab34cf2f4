#pragma once
// The clip selection of the new-photo page: a 4:3 (landscape) or 3:4 (portrait) rectangle over
// the photo's thumbnail that the user drags and zooms. Every step is plain integer arithmetic on
// rectangles in the photo group's client coordinates, kept here so that it runs without a window;
// the page moves its controls to what these functions compute.
#include <windows.h>

#include "shared/GlobalFramedPhoto.h"

namespace lumetta {

// Left, top, width and height of a control, as the page places it.
struct TControlBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TControlBounds&) const = default;
};

// Where the thumbnail lies in the photo group: 200 x 150 at (16, 56) for a landscape frame,
// 150 x 200 at (44, 56) for a portrait one. Every clip computation measures against it.
TControlBounds ThumbnailBounds(bool portrait);

// The selection with the state that goes with it: the zoom buttons and the drag.
struct TClipSelector {
    TControlBounds Selection;
    bool ZoomInEnabled = true;
    bool ZoomOutEnabled = false;
    bool Dragging = false;
    POINT DragAnchor{0, 0}; // the grip, in the selection's own client coordinates
};

// The whole thumbnail, zoom in enabled, zoom out disabled, no drag.
void ResetClipSelector(TClipSelector& selector, const TControlBounds& thumbnail);

// The side across the driving one: driving / 4/3 in extended precision, ties to even
// (190 gives 142, 170 gives 128).
int ZoomedCrossSide(int drivingSide);

// The driving side (width of a landscape selection, height of a portrait one) 10 pixels shorter,
// the other side following, re-centred on the old centre. Zoom in is disabled at 40 or less.
void ZoomClipIn(TClipSelector& selector, bool portrait);

// The driving side 10 pixels longer; reaching the thumbnail's side resets to the whole thumbnail.
// Re-centred, then pushed back inside the thumbnail (left, top, bottom, right in that order).
void ZoomClipOut(TClipSelector& selector, const TControlBounds& thumbnail, bool portrait);

// Mouse down on the selection: only the left button starts a drag.
void BeginClipDrag(TClipSelector& selector, bool leftButton, int x, int y);

// Mouse move to (x, y) in the selection's client coordinates. Each axis moves alone, and only
// while the selection stays inside the thumbnail; a refused axis lets the grip slide instead.
// True when the selection moved on either axis (the shading is then redrawn).
bool DragClip(TClipSelector& selector, const TControlBounds& thumbnail, int x, int y);

// Any mouse button released.
void EndClipDrag(TClipSelector& selector);

// The selection as fractions of the thumbnail: the clip the renderer cuts out of the padded photo.
TPhotoClipRect GetClipRect(const TControlBounds& selection, const TControlBounds& thumbnail);

// The shading of the thumbnail box: all of the box except the selection inset by one pixel,
// both in the box's client coordinates (the shaded area is Box XOR Clear).
struct TClipShade {
    RECT Box;
    RECT Clear;
};
TClipShade ShadeOutsideClip(const TControlBounds& selection, const TControlBounds& box);

// Black at alpha 140 darkens what lies outside the selection.
inline constexpr Gdiplus::ARGB ClipShadeColor = 0x8C000000;

} // namespace lumetta
