#pragma once
// The framed-photo renderer: the clipped photo with its effects under the frame image, the
// note over both, the whole turned about its centre, as one 32-bit ARGB picture. The agent's
// windows, the editor's preview and placement window and the About picture all show it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ui/GdiPlus.h"

namespace lumetta {

// The render settings of one photo set. The defaults are the photo-set reader's.
struct TFramedEffects {
    std::string PhotoFile;          // used here only in the cannot-load message
    std::int32_t RotationAngle = 0; // degrees, positive clockwise on screen
    double ZoomRatio = 1.0;         // frame pixels x ZoomRatio = output pixels
    std::string PhotoNotes;         // lines separated by CR LF
    std::uint8_t NotesPos = 0;      // 0..8 cell of a 3 x 3 grid, 9 the frame's text area
    std::string FontFace = "Arial";
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::int32_t FontSize = 14;     // em size in pixels at zoom 1
    std::uint32_t FontColor = 0;    // 0x00BBGGRR; the high byte is ignored
    std::int32_t Brightness = 0;
    std::int32_t Contrast = 0;
    std::int32_t Saturation = 0;
    bool ColorNoise = false;
    bool Emboss = false;
    bool Sepia = false;
};

// The clip as fractions of the padded photo's width (X, W) and height (Y, H).
struct TPhotoClipRect {
    double X = 0.0;
    double Y = 0.0;
    double W = 1.0;
    double H = 1.0;
};

// A rectangle of a frame image in its pixels, as a frame definition gives it.
struct THoldRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct TPhotoFrame;  // a frame definition (GlobalGraphics)
class TPaddedPhoto; // a photo on its padded canvas (GlobalPaddedPhoto)

// Every size and position of one render, computed before anything is drawn.
struct TFramedGeometry {
    int Extra = 0;           // e: pixels the photo area reaches past ImageHold right and down
    double PhotoX = 0.0;     // the unrounded photo area on the canvas
    double PhotoY = 0.0;
    double PhotoW = 0.0;
    double PhotoH = 0.0;
    std::int64_t PartWidth = 0;  // the clip is scaled to Round(PhotoW) x Round(PhotoH)
    std::int64_t PartHeight = 0;
    std::int64_t CanvasWidth = 0; // the frame image scaled by the zoom
    std::int64_t CanvasHeight = 0;
    double HalfDiagonal = 0.0;
    std::int64_t Side = 0;       // the result is Side x Side
    std::int64_t CanvasLeft = 0; // where the canvas lies in the result before it turns
    std::int64_t CanvasTop = 0;

    // False when the frame image gave no canvas or the sizes are past what a bitmap can hold.
    bool HasCanvas() const;
    bool HasPhotoPart() const;
};

// Largest side of any bitmap the renderer makes (the result square included).
inline constexpr std::int64_t MaxRenderSide = 8192;

// Round(zoom x zoom + 0.5), ties to even: 2 at zoom 1, 4 at zoom 2, 1 at zoom 1/3.
int PhotoAreaExtra(double zoom);

TFramedGeometry FramedGeometry(std::uint32_t frameWidth, std::uint32_t frameHeight, const THoldRect& imageHold,
                               double zoom);

// Where and how the note is laid out for a note position.
struct TNoteLayout {
    Gdiplus::RectF Rect;
    bool Aligned = false; // false: the string format keeps its defaults (near, near)
    Gdiplus::StringAlignment Alignment = Gdiplus::StringAlignmentNear;     // horizontal
    Gdiplus::StringAlignment LineAlignment = Gdiplus::StringAlignmentNear; // vertical
};

TNoteLayout NoteLayout(std::uint8_t notesPos, const TFramedGeometry& geometry, const THoldRect& textHold,
                       double zoom);

// FontStyleBold 1 + Italic 2 + Underline 4 + Strikeout 8.
int NoteFontStyle(const TFramedEffects& effects);

// The opaque GDI+ colour of a 0x00BBGGRR value; its high byte is ignored.
Gdiplus::ARGB NoteColor(std::uint32_t fontColor);

// The finished picture of one photo set: a new square 32-bit ARGB bitmap, transparent wherever
// nothing is drawn. Never null: where no picture can be made (the frame image does not load, or
// the zoom gives sizes no bitmap can have) the result is one transparent pixel. The only error it
// lets through is an effect's (emboss of a photo area of one row), after releasing what it made.
ui::GpBitmapPtr ComposeFramedPhoto(const TPaddedPhoto& photo, const TPhotoClipRect& clip, const TPhotoFrame& frame,
                                   const TFramedEffects& effects);

// How much of the result a caller shows: a box of Width x Height with the result centred in it,
// as the editor's preview shows it. 0 for the whole side.
struct TResultView {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
};

// The columns (or rows) of a result side pixels wide that a centred box view pixels wide shows:
// from Origin, Size of them; the whole side when view is 0 or not smaller.
struct TViewSpan {
    std::int64_t Origin = 0;
    std::int64_t Size = 0;
};
TViewSpan CentredViewSpan(std::int64_t side, std::int64_t view);

// What a caller that renders again and again (the editor's preview) hands over ready-made.
struct TRenderShortcuts {
    // The frame's image as LoadFrameImage gives it; null when it did not load.
    Gdiplus::Bitmap* FrameImage = nullptr;
    // Only the part of the result this view shows is made: the same pixels as there in the whole
    // result, up to rounding. Spares a preview what a large zoom pushes out of its box.
    TResultView View;
    // Work and answer in premultiplied 32-bit pixels, which draw faster and round a little
    // differently.
    bool Premultiplied = false;
    // The clip scaled from the photo's halved copies (TPaddedPhoto::MakeHalvedCopies), which
    // reads a small part of a large photo's pixels.
    bool FromHalvedCopies = false;
    // The photo, the frame image and the note are each drawn turned straight into the result,
    // not onto an upright canvas that is then turned: one resampling fewer, so a little sharper.
    bool TurnLayers = false;
};

ui::GpBitmapPtr ComposeFramedPhoto(const TPaddedPhoto& photo, const TPhotoClipRect& clip, const TPhotoFrame& frame,
                                   const TFramedEffects& effects, const TRenderShortcuts& shortcuts);

// A frame's image at its own size, or null when it does not load. Its header is judged before
// the decoder sees it, as a photo's is, and the image holds no file open.
ui::GpBitmapPtr LoadFrameImage(const TPhotoFrame& frame);

// One frame image kept decoded while its file stays the same, so that repeated renders of one
// frame neither read its header nor decode it again.
class FrameImageCache {
public:
    // The image of frame's file: decoded on first use and after Drop or a change of file; null
    // when it does not load (and asked again next time).
    Gdiplus::Bitmap* Get(const TPhotoFrame& frame);
    void Drop();

private:
    std::string path_;
    ui::GpBitmapPtr image_;
};

// The stand-in result: one fully transparent pixel.
ui::GpBitmapPtr EmptyFramedPhoto();

} // namespace lumetta
