#include "editor/EditorClipGeometry.h"

#include <cmath>

#include "shared/GlobalGraphics.h"

namespace lumetta {

namespace {

constexpr int ThumbnailTop = 56;
constexpr int LandscapeThumbnailLeft = 16;
constexpr int PortraitThumbnailLeft = 44;
constexpr int ZoomStep = 10;
constexpr int SmallestDrivingSide = 40;

int& DrivingSide(TControlBounds& bounds, bool portrait) { return portrait ? bounds.Height : bounds.Width; }
int& CrossSide(TControlBounds& bounds, bool portrait) { return portrait ? bounds.Width : bounds.Height; }

// C++ integer division truncates toward zero, as the re-centring wants.
void Recentre(TControlBounds& selection, int oldWidth, int oldHeight)
{
    selection.Left += (oldWidth - selection.Width) / 2;
    selection.Top += (oldHeight - selection.Height) / 2;
}

} // namespace

TControlBounds ThumbnailBounds(bool portrait)
{
    const SIZE size = ThumbnailSize(portrait);
    return {portrait ? PortraitThumbnailLeft : LandscapeThumbnailLeft, ThumbnailTop, static_cast<int>(size.cx),
            static_cast<int>(size.cy)};
}

void ResetClipSelector(TClipSelector& selector, const TControlBounds& thumbnail)
{
    selector.DragAnchor = {0, 0};
    selector.Dragging = false;
    selector.Selection = thumbnail;
    selector.ZoomInEnabled = true;
    selector.ZoomOutEnabled = false;
}

int ZoomedCrossSide(int drivingSide)
{
    // The divisor is the extended value nearest 4/3 and the quotient stays in extended
    // precision; a quotient of exactly one half goes to the even side.
    constexpr long double fourThirds = 1.3333333333333333334L;
    const long double quotient = static_cast<long double>(drivingSide) / fourThirds;
    return static_cast<int>(std::nearbyint(quotient));
}

void ZoomClipIn(TClipSelector& selector, bool portrait)
{
    TControlBounds& s = selector.Selection;
    const int oldWidth = s.Width, oldHeight = s.Height;
    DrivingSide(s, portrait) -= ZoomStep;
    CrossSide(s, portrait) = ZoomedCrossSide(DrivingSide(s, portrait));
    if (DrivingSide(s, portrait) <= SmallestDrivingSide)
        selector.ZoomInEnabled = false;
    Recentre(s, oldWidth, oldHeight);
    selector.ZoomOutEnabled = true;
}

void ZoomClipOut(TClipSelector& selector, const TControlBounds& thumbnail, bool portrait)
{
    TControlBounds& s = selector.Selection;
    const int oldWidth = s.Width, oldHeight = s.Height;
    DrivingSide(s, portrait) += ZoomStep;
    CrossSide(s, portrait) = ZoomedCrossSide(DrivingSide(s, portrait));
    if (DrivingSide(s, portrait) >= (portrait ? thumbnail.Height : thumbnail.Width)) {
        ResetClipSelector(selector, thumbnail);
        selector.ZoomOutEnabled = false;
    }
    Recentre(s, oldWidth, oldHeight);

    if (s.Left < thumbnail.Left)
        s.Left = thumbnail.Left;
    if (s.Top < thumbnail.Top)
        s.Top = thumbnail.Top;
    if (s.Top + s.Height > thumbnail.Top + thumbnail.Height)
        s.Top = thumbnail.Top + thumbnail.Height - s.Height;
    if (s.Left + s.Width > thumbnail.Left + thumbnail.Width)
        s.Left = thumbnail.Left + thumbnail.Width - s.Width;
    selector.ZoomInEnabled = true;
}

void BeginClipDrag(TClipSelector& selector, bool leftButton, int x, int y)
{
    if (!leftButton)
        return;
    selector.DragAnchor = {x, y};
    selector.Dragging = true;
}

bool DragClip(TClipSelector& selector, const TControlBounds& thumbnail, int x, int y)
{
    if (!selector.Dragging)
        return false;
    TControlBounds& s = selector.Selection;
    const int newLeft = s.Left + x - selector.DragAnchor.x;
    const int newTop = s.Top + y - selector.DragAnchor.y;

    // The anchor stays on an accepted axis, since the selection moves with the mouse; on a
    // refused one the grip slides, so the selection follows at once when the mouse turns back.
    const bool horizontal = newLeft >= thumbnail.Left && newLeft + s.Width - thumbnail.Left <= thumbnail.Width;
    if (horizontal)
        s.Left = newLeft;
    else
        selector.DragAnchor.x = x;
    const bool vertical = newTop >= thumbnail.Top && newTop + s.Height - thumbnail.Top <= thumbnail.Height;
    if (vertical)
        s.Top = newTop;
    else
        selector.DragAnchor.y = y;
    return horizontal || vertical;
}

void EndClipDrag(TClipSelector& selector) { selector.Dragging = false; }

TPhotoClipRect GetClipRect(const TControlBounds& selection, const TControlBounds& thumbnail)
{
    const double width = thumbnail.Width, height = thumbnail.Height;
    return {(selection.Left - thumbnail.Left) / width, (selection.Top - thumbnail.Top) / height,
            selection.Width / width, selection.Height / height};
}

TClipShade ShadeOutsideClip(const TControlBounds& selection, const TControlBounds& box)
{
    const int left = selection.Left - box.Left, top = selection.Top - box.Top;
    return {{0, 0, box.Width, box.Height},
            {left + 1, top + 1, left + selection.Width - 1, top + selection.Height - 1}};
}

} // namespace lumetta
