#pragma once
// Frame definitions, photo loading, the colour effects and the small GDI+ drawing helpers
// shared by both programs. The exact arithmetic sits in small pure functions beside each routine.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "shared/GlobalFramedPhoto.h"
#include "shared/GlobalImageHeader.h"
#include "shared/GlobalPaddedPhoto.h"
#include "ui/Bitmap.h"
#include "ui/GdiPlus.h"
#include "ui/StringList.h"

namespace lumetta {

// ---- Frame definitions ----------------------------------------------------------------------

// One frame design, read from its definition file.
struct TPhotoFrame {
    std::string Name;        // the definition's file name as given to LoadPhotoFrame
    std::string Filename;    // the frame image, relative to the frame folder
    bool Orientation = true; // true = portrait, false = landscape
    THoldRect ImageHold;     // where the photo goes
    THoldRect TextHold;      // where a note in the frame's text area goes; Left = Top = -1: none
};

// The names of the installed frame definitions (the editor fills it at start; the agent never does).
extern ui::StringList FrameList;

// Refills List with the bare names of the "*.ini" files of the frame folder, in the file system's order.
void ListFrameFiles(ui::StringList& list);
void ListFrameFilesIn(const std::string& folder, ui::StringList& list);

// False only for "landscape" in any case.
bool IsPortraitOrientation(std::string_view text);

// Fills frame from the definition Name in the frame folder; a missing file gives the defaults.
void LoadPhotoFrame(const std::string& name, TPhotoFrame& frame);
void LoadPhotoFrameFrom(const std::string& folder, const std::string& name, TPhotoFrame& frame);

// ---- Photo loading --------------------------------------------------------------------------

// Status of the most recent LoadPaddedPhoto (Ok = 0: the photo loaded). Each thread has its own,
// so that a set rendered on a worker is judged by its own load; on the GUI thread it is the
// status of the GUI thread's loads and of those it takes over from workers.
extern thread_local Gdiplus::Status LastPhotoStatus;

// Size of the fallback that stands in for a photo that cannot be loaded.
inline constexpr int FallbackPhotoWidth = 200;
inline constexpr int FallbackPhotoHeight = 150;

// Whether a photo may go to the decoder, judged by the size its header declares: Ok, or the
// status its load fails with (UnknownImageFormat: no readable header; InvalidParameter: a side
// of 0; OutOfMemory: more than MaxDecodedPhotoPixels to decode). A canvas too large for the
// photo's natural size is no reason: the photo is reduced for it.
Gdiplus::Status DeclaredPhotoStatus(const std::optional<DeclaredSize>& size);

// The photo on its white 4:3 (landscape) or 3:4 (portrait) canvas, at its natural size or reduced
// just enough for the canvas. Never null: a photo that cannot be loaded gives the padded 200 x 150
// fallback and a non-zero LastPhotoStatus. The file's header is judged first; only a photo it
// passes is decoded. A photo whose header gives an EXIF orientation shows upright.
std::unique_ptr<TPaddedPhoto> LoadPaddedPhoto(const std::string& fileName, bool portrait);

// Integer rectangle of a drawing.
struct DrawRect {
    int X;
    int Y;
    int Width;
    int Height;
    bool operator==(const DrawRect&) const = default;
};

// 200 x 150 for a landscape thumbnail, 150 x 200 for a portrait one.
SIZE ThumbnailSize(bool portrait);
// Where a photo of width x height is drawn on its thumbnail.
DrawRect ThumbnailPhotoRect(std::uint32_t width, std::uint32_t height, bool portrait);

// The canvas scaled into a white thumbnail bitmap of the screen's format, from the photo's halved
// copies where it has them.
std::unique_ptr<ui::Bitmap> MakeThumbnail(const TPaddedPhoto& photo, bool portrait);

// The part of a photo photoWidth x photoHeight that the clip (fractions x, y, w, h) cuts out:
// left and top unrounded, width and height rounded.
Gdiplus::RectF CropSourceRect(std::uint32_t photoWidth, std::uint32_t photoHeight, double x, double y, double w,
                              double h);

// The clip of the canvas scaled to width x height in a new 24-bit bitmap; from the photo's halved
// copies when asked and it has them.
std::unique_ptr<ui::Bitmap> CropScalePhoto(const TPaddedPhoto& photo, int width, int height, double x, double y,
                                           double w, double h, bool fromHalvedCopies = false);

// Nearest integer, ties to even.
double RoundHalfEven(double value);

// ---- Colour effects on 24-bit bitmaps, in place -------------------------------------------------

std::uint8_t ClampByte(std::int64_t value);

// One pixel of a 24-bit row, in its byte order.
struct Bgr {
    std::uint8_t B;
    std::uint8_t G;
    std::uint8_t R;
    bool operator==(const Bgr&) const = default;
};

std::uint8_t BrightnessChannel(std::uint8_t channel, std::int32_t amount);
std::uint8_t ContrastChannel(std::uint8_t channel, std::int32_t amount);
Bgr SaturationPixel(Bgr pixel, std::int32_t amount);
// The channel moved by draw - amount div 2, draw being uniform in 0 to amount - 1.
std::uint8_t NoiseChannel(std::uint8_t channel, std::int32_t draw, std::int32_t amount);
// A channel averaged with the inverse of its neighbour's.
std::uint8_t EmbossChannel(std::uint8_t channel, std::uint8_t neighbour);
// The tint that sepia gives a pixel whose channels all hold the grey value.
Bgr SepiaTint(std::uint8_t grey, std::int32_t amount);

void ApplyBrightness(ui::Bitmap& bitmap, std::int32_t amount);
void ApplyContrast(ui::Bitmap& bitmap, std::int32_t amount);
void ApplySaturation(ui::Bitmap& bitmap, std::int32_t amount);
void ApplyColorNoise(ui::Bitmap& bitmap, std::int32_t amount);
// The neighbour is three columns to the right, or straight across where that lies outside the row
// (the last three columns, and every column of a bitmap narrower than four). Needs two rows: with
// fewer it raises ui::GraphicsError before any pixel changes.
void ApplyEmboss(ui::Bitmap& bitmap);
void ApplySepia(ui::Bitmap& bitmap, std::int32_t amount);

// ---- Colours -----------------------------------------------------------------------------------

// Moves each of red, green and blue of color towards 255 by percent of the distance, rounding half
// to even; the input's high byte is ignored (a system colour is not looked up) and the result's is 0.
COLORREF LightenColor(COLORREF color, std::uint8_t percent);

// ---- Drawing helpers ----------------------------------------------------------------------------

// Fills rect of dc with a two-colour linear gradient, color1 on the left (horizontal) or top edge.
void FillGradientRect(HDC dc, const RECT& rect, COLORREF color1, COLORREF color2, bool horizontal,
                      std::uint8_t alpha);

// A PNG resource of the program's own module as a GDI+ bitmap that keeps its own copy of the bytes.
// Raises ui::ResourceNotFound or ui::OleError.
ui::GpBitmapPtr LoadPngResource(const std::string& name);

// An image decoded from a copy of bytes in memory, which the bitmap keeps: it holds no file open.
// colorManaged: with the colour profile embedded in the bytes applied. Raises ui::OleError.
ui::GpBitmapPtr DecodeImageBytes(std::string_view bytes, bool colorManaged = false);
// The same from a copy of a file's bytes, so that the file can be moved or deleted while the image
// lives; null when the file cannot be read.
ui::GpBitmapPtr DecodeImageFile(const std::string& path, bool colorManaged = false);

// A channel of an image pixel of that alpha laid over a background channel, source-over:
// (value x alpha + background x (255 - alpha) + 127) div 255.
constexpr std::uint8_t BlendOver(std::uint8_t value, unsigned alpha, std::uint8_t background)
{
    return static_cast<std::uint8_t>((value * alpha + background * (255 - alpha) + 127) / 255);
}

// image centred on a 24-bit box filled with background (x = box width div 2 - image width div 2,
// likewise y), cut where it is larger, blended source-over (BlendOver). Done on the rows themselves,
// which is much faster than drawing through the box's device context.
void DrawCentredOver(ui::Bitmap& box, Gdiplus::Bitmap& image, COLORREF background);

// A PNG resource of the program drawn with its top-left corner at (x, y), stretched to width x
// height; 0 keeps the picture's own size on that side.
void DrawPngResource(Gdiplus::Graphics& graphics, const std::string& name, int x, int y, int width = 0, int height = 0);

} // namespace lumetta
