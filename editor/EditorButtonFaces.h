#pragma once
// The faces of the editor's picture buttons (the main window's navigation column, the frame
// browser's categories): three 24-bit pictures painted at run time, a selected, an idle and a
// hover face, each with the button's caption drawn in. A window marks its current choice by
// disabling that button, which then shows the selected face.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Bitmap.h"
#include "ui/GdiPlus.h"

namespace lumetta {

class TEzRgnBtn;

inline constexpr COLORREF FaceSelectedStripColor = RGB(255, 132, 0);
inline constexpr COLORREF FaceLightGrey = RGB(234, 234, 234);
inline constexpr COLORREF FaceMidGrey = RGB(186, 186, 186);
inline constexpr COLORREF FaceEdgeColor = RGB(0, 0, 0);
inline constexpr COLORREF CaptionSelectedColor = RGB(0, 0, 0);
inline constexpr COLORREF CaptionIdleColor = RGB(68, 68, 68);
inline constexpr COLORREF CaptionHoverColor = RGB(255, 168, 74);
inline constexpr int FaceStripWidth = 16;

// Where things go on a face of the reference size.
struct TFaceLayout {
    int Width = 0;
    int Height = 0;
    bool HasIcon = false;
    POINT IconPos{};
    Gdiplus::RectF CaptionRect;
};

// A navigation face: the icon's top-left corner at (56, 12), the caption below it.
TFaceLayout NavFaceLayout(int width, int height);
// A category face: no icon, the caption over nearly all of it.
TFaceLayout CategoryFaceLayout(int width, int height);

struct TButtonFaces {
    std::unique_ptr<ui::Bitmap> Selected;
    std::unique_ptr<ui::Bitmap> Idle;
    std::unique_ptr<ui::Bitmap> Hover;
};

// Paints the three faces. The icon (drawn at its own pixel size) is used only when the layout
// has one and it is given.
TButtonFaces PaintButtonFaces(const TFaceLayout& layout, Gdiplus::Image* icon, const std::string& caption);

// Hands the faces to the button: idle, pressed and hover, selected (disabled). The button keeps
// copies.
void ApplyButtonFaces(TEzRgnBtn& button, const TButtonFaces& faces);

// Draws text in "Tahoma" 16 px bold, centred both ways in rect, in colour (0x00BBGGRR); a text
// too wide for the rectangle wraps at its words.
void DrawButtonCaption(ui::Bitmap& bitmap, const std::string& text, const Gdiplus::RectF& rect, COLORREF colour);

// Dresses a frame-category button: the reference size is `reference`'s (the first category
// button), every category button takes it.
void BuildCategoryButtonFaces(TEzRgnBtn& button, const TEzRgnBtn& reference, const std::string& caption);

} // namespace lumetta
