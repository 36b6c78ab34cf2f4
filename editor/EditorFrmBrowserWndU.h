#pragma once
// The frame browser: the editor's modal frame chooser. Seven category buttons on the left, a
// multi-column list of frame thumbnails on the right, OK and Cancel. One instance lives for the
// editor's whole run and keeps its category, list and selection between showings.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/EzRgnBtn.h"
#include "shared/GlobalGraphics.h"
#include "ui/Buttons.h"
#include "ui/Form.h"
#include "ui/GdiPlus.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Shape.h"
#include "ui/StringList.h"

namespace lumetta {

// ---- Categories and thumbnails, free of any window -------------------------------------------

inline constexpr int FrameCategoryCount = 7;
inline constexpr int FrameThumbSize = 92;
inline constexpr int FrameCellSize = 100;

// The keywords of category 1 to 7, one a line; empty for any other number.
std::string CategoryKeywordText(int category);
// The lines of a keyword text (CR LF or LF).
std::vector<std::string> KeywordLines(const std::string& text);
// True when one keyword occurs in fileName, byte for byte; an empty fileName matches nothing.
bool NameHasKeyword(const std::string& fileName, const std::vector<std::string>& keywords);

// Where a frame image of width x height is drawn on its 92 x 92 thumbnail: the longer side fills
// it, the other keeps the proportion (92 / side in extended precision, rounded half to even).
DrawRect FrameThumbRect(std::uint32_t width, std::uint32_t height);

// The first of items equal to name without regard to ASCII case, or -1.
int FindFrameItem(const ui::ListBox& list, const std::string& name);

// ---- The window --------------------------------------------------------------------------------

class TLMTSEditorFrmBrowserWndClass : public ui::Form {
public:
    // parentWindow owns the window (the shade, so that the browser shows above it).
    TLMTSEditorFrmBrowserWndClass(ui::Component* owner, HWND parentWindow);
    ~TLMTSEditorFrmBrowserWndClass() override;

    ui::Image* imgBackground;
    ui::Shape* shapeBkgnd;
    ui::Label* stBanner;
    ui::ListBox* lbFrames;
    TEzRgnBtn* imgBtnFrmCat1;
    TEzRgnBtn* imgBtnFrmCat2;
    TEzRgnBtn* imgBtnFrmCat3;
    TEzRgnBtn* imgBtnFrmCat4;
    TEzRgnBtn* imgBtnFrmCat5;
    TEzRgnBtn* imgBtnFrmCat6;
    TEzRgnBtn* imgBtnFrmCat7;
    ui::Button* btnOK;
    ui::Button* btnCancel;

    // Element i is the 92 x 92 ARGB thumbnail of list item i.
    std::vector<ui::GpBitmapPtr> FrameThumbs;
    // The definition to select at the next activation; empty when none.
    std::string PendingFrame;

    // Marks the category's button, fills the list with its frames and selects the first.
    void SelectCategory(int category);
    // Fills FrameThumbs and names with the category's frames; their number, or -1 for a
    // category outside 1 to 7 (then nothing changes).
    int LoadCategoryFrames(int category, ui::StringList& names);
    bool FileNameHasKeyword(const std::string& fileName) const;
    // A text shows the banner with it; an empty one hides the banner.
    void ShowBanner(const std::string& text);
    // The frame (a definition file name) to select when the window is next activated.
    void PreselectFrame(const std::string& name);
    // The category button n (1 to 7).
    TEzRgnBtn& CategoryButton(int n) const;

    void FormCreate(ui::Component& sender);
    void FormActivate(ui::Component& sender);
    void CatButtonClick(ui::Component& sender);
    void lbFramesDrawItem(ui::ListBox& control, int index, const RECT& rect, UINT state, HDC dc);
    void lbFramesDblClick(ui::Component& sender);
    void btnOKClick(ui::Component& sender);

private:
    void PaintBackground();
    // The thumbnail of one frame image, or null when the image cannot be loaded.
    ui::GpBitmapPtr MakeFrameThumb(const TPhotoFrame& frame) const;

    std::array<TEzRgnBtn*, FrameCategoryCount> categoryButtons_{};
    std::vector<std::string> keywords_;
};

} // namespace lumetta
