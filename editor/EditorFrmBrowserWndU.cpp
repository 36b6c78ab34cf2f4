#include "editor/EditorFrmBrowserWndU.h"

#include <cmath>

#include "editor/EditorButtonFaces.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalFramedPhoto.h"
#include "shared/GlobalFunc.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Bind.h"

namespace lumetta {

// ---- Categories and thumbnails ------------------------------------------------------------------

std::string CategoryKeywordText(int category)
{
    switch (category) {
    case 1: return ".";
    case 2: return "metal";
    case 3: return "wood";
    case 4: return "romantic";
    case 5: return "flowers";
    case 6: return "christmas\r\nholiday";
    case 7: return "kids";
    default: return {};
    }
}

std::vector<std::string> KeywordLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

bool NameHasKeyword(const std::string& fileName, const std::vector<std::string>& keywords)
{
    if (fileName.empty())
        return false;
    for (const std::string& keyword : keywords)
        if (fileName.find(keyword) != std::string::npos)
            return true;
    return false;
}

DrawRect FrameThumbRect(std::uint32_t width, std::uint32_t height)
{
    if (width == 0 || height == 0)
        return {FrameThumbSize / 2, FrameThumbSize / 2, 0, 0};
    // The factor first, in extended precision; nearbyint rounds halves to even.
    int tw = FrameThumbSize, th = FrameThumbSize;
    if (width > height) {
        const long double factor = static_cast<long double>(FrameThumbSize) / width;
        th = static_cast<int>(std::nearbyintl(height * factor));
    } else {
        const long double factor = static_cast<long double>(FrameThumbSize) / height;
        tw = static_cast<int>(std::nearbyintl(width * factor));
    }
    return {(FrameThumbSize - tw) / 2, (FrameThumbSize - th) / 2, tw, th};
}

int FindFrameItem(const ui::ListBox& list, const std::string& name)
{
    for (int i = 0; i < list.Count(); ++i)
        if (ui::SameText(list.Items(i), name))
            return i;
    return -1;
}

// ---- The window --------------------------------------------------------------------------------

namespace {

constexpr int BannerMessage = 49;
constexpr int FirstCategoryMessage = 42;
constexpr int BannerTop = 210;
constexpr std::uint8_t SelectionLightenPercent = 40;

} // namespace

TLMTSEditorFrmBrowserWndClass::TLMTSEditorFrmBrowserWndClass(ui::Component* owner, HWND parentWindow)
    : ui::Form(owner, ui::FormArgs{.className = "TLMTSEditorFrmBrowserWndClass",
                                   .caption = "Browse for Frames",
                                   .tag = 2000,
                                   .clientWidth = 598,
                                   .clientHeight = 491,
                                   .borderStyle = ui::BorderStyle::Dialog,
                                   .borderIcons = ui::biSystemMenu,
                                   .position = ui::FormPosition::MainFormCenter,
                                   .color = ui::clBtnFace,
                                   .font = ui::FontArgs{"MS Sans Serif", -11}})
{
    SetOwnerWindow(parentWindow);

    imgBackground = Add<ui::Image>({.name = "imgBackground", .bounds = {0, 0, 598, 491}, .align = ui::Align::Client});
    shapeBkgnd = Add<ui::Shape>({.name = "shapeBkgnd", .bounds = {176, 20, 425, 426}},
                                {.brushColor = ui::clWindow, .penColor = ui::clWindow});
    stBanner = Add<ui::Label>({.name = "stBanner",
                               .bounds = {192, 8, 393, 33},
                               .caption = "%s",
                               .font = ui::FontArgs{"MS Sans Serif", -16, ui::fsBold, RGB(115, 115, 115)}},
                              {.alignment = ui::TextAlign::Center, .transparent = true});
    lbFrames = Add<ui::ListBox>({.name = "lbFrames", .bounds = {188, 24, 402, 418}, .tabOrder = 7},
                                {.style = ui::ListBoxStyle::OwnerDrawFixed, .border = false});
    for (int n = 1; n <= FrameCategoryCount; ++n)
        categoryButtons_[n - 1] = Add<TEzRgnBtn>({.name = "imgBtnFrmCat" + std::to_string(n),
                                                   .bounds = {16, 20 + 61 * (n - 1), 160, 61},
                                                   .tag = n,
                                                   .cursor = crHand},
                                                  {.paintMode = pmNormal});
    imgBtnFrmCat1 = categoryButtons_[0];
    imgBtnFrmCat2 = categoryButtons_[1];
    imgBtnFrmCat3 = categoryButtons_[2];
    imgBtnFrmCat4 = categoryButtons_[3];
    imgBtnFrmCat5 = categoryButtons_[4];
    imgBtnFrmCat6 = categoryButtons_[5];
    imgBtnFrmCat7 = categoryButtons_[6];
    btnOK = Add<ui::Button>({.name = "btnOK", .bounds = {432, 456, 75, 23}, .caption = "OK", .tag = 99900, .tabOrder = 8},
                            {.isDefault = true, .modalResult = ui::mrOk});
    btnCancel = Add<ui::Button>(
        {.name = "btnCancel", .bounds = {512, 456, 75, 23}, .caption = "Cancel", .tag = 99901, .tabOrder = 9},
        {.cancel = true, .modalResult = ui::mrCancel});

    OnCreate = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::FormCreate);
    OnActivate = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::FormActivate);
    for (TEzRgnBtn* button : categoryButtons_)
        button->OnClick = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::CatButtonClick);
    lbFrames->OnDrawItem = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::lbFramesDrawItem);
    lbFrames->OnDblClick = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::lbFramesDblClick);
    btnOK->OnClick = ui::Bind(this, &TLMTSEditorFrmBrowserWndClass::btnOKClick);
}

TLMTSEditorFrmBrowserWndClass::~TLMTSEditorFrmBrowserWndClass() = default;

TEzRgnBtn& TLMTSEditorFrmBrowserWndClass::CategoryButton(int n) const
{
    return *categoryButtons_.at(static_cast<std::size_t>(n - 1));
}

void TLMTSEditorFrmBrowserWndClass::FormCreate(ui::Component&)
{
    TranslateForm(*this, "FrameBrowser");
    SetDoubleBuffered(true);
    PendingFrame.clear();
    PaintBackground();
    for (int n = 1; n <= FrameCategoryCount; ++n)
        BuildCategoryButtonFaces(CategoryButton(n), *imgBtnFrmCat1, Messages[FirstCategoryMessage - 1 + n]);
    lbFrames->SetItemHeight(FrameCellSize);
    lbFrames->SetColumns(lbFrames->Width() / FrameCellSize);
    SendMessageA(lbFrames->Handle(), LB_SETCOLUMNWIDTH, FrameCellSize, 0);
    stBanner->SetTop(BannerTop);
}

void TLMTSEditorFrmBrowserWndClass::PaintBackground()
{
    const int width = imgBackground->Width(), height = imgBackground->Height();
    auto background = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    FillGradientRect(background->DC(), RECT{0, 0, width, height}, AccentLightColor, AccentColor, true, 255);
    {
        Gdiplus::Graphics graphics(background->DC());
        const int left = imgBtnFrmCat1->Left();
        const int panelTop = shapeBkgnd->Top(), panelBottom = shapeBkgnd->Top() + shapeBkgnd->Height();
        DrawPngResource(graphics, "SHADOW_B", left, panelBottom, width, 0);
        DrawPngResource(graphics, "SHADOW_T", left - 1, panelTop - 3, width, 0);
        DrawPngResource(graphics, "SHADOW_L", left - 3, panelTop - 1, 0, shapeBkgnd->Height() + 4);
    }
    background->Changed();
    imgBackground->Picture().SetBitmap(std::move(background));
}

void TLMTSEditorFrmBrowserWndClass::CatButtonClick(ui::Component& sender)
{
    SelectCategory(sender.Tag());
}

void TLMTSEditorFrmBrowserWndClass::SelectCategory(int category)
{
    if (category < 1 || category > FrameCategoryCount)
        return;
    TEzRgnBtn* current = imgBtnFrmCat1;
    for (TEzRgnBtn* button : categoryButtons_) {
        if (!button->Enabled()) {
            current = button;
            break;
        }
    }
    current->SetEnabled(true);
    current->SetCursor(crHand);
    TEzRgnBtn& chosen = CategoryButton(category);
    chosen.SetEnabled(false);
    chosen.SetCursor(ui::crDefault);

    lbFrames->Hide();
    lbFrames->Clear();
    ShowBanner(Messages[BannerMessage]);
    const BusyCursorScope busy;
    // The banner and the buttons are painted before the load keeps the thread busy.
    ui::App().ProcessMessages();

    ui::StringList names;
    const int count = LoadCategoryFrames(category, names);
    for (int i = 0; i < count; ++i)
        lbFrames->Add(names[i]);

    lbFrames->Show();
    ShowBanner({});
    if (lbFrames->Count() > 0) {
        lbFrames->SetItemIndex(0);
        lbFrames->SetFocus();
    }
}

bool TLMTSEditorFrmBrowserWndClass::FileNameHasKeyword(const std::string& fileName) const
{
    return NameHasKeyword(fileName, keywords_);
}

int TLMTSEditorFrmBrowserWndClass::LoadCategoryFrames(int category, ui::StringList& names)
{
    const std::string keywordText = CategoryKeywordText(category);
    if (keywordText.empty())
        return -1;
    keywords_ = KeywordLines(keywordText);
    FrameThumbs.clear();

    // One record for every definition, as the frame loader fills it field by field.
    TPhotoFrame frame;
    for (int i = 0; i < FrameList.Count(); ++i) {
        LoadPhotoFrame(FrameList[i], frame);
        if (!FileNameHasKeyword(frame.Filename))
            continue;
        // A frame whose image cannot be loaded is left out: the list offers only frames that can be drawn.
        ui::GpBitmapPtr thumb = MakeFrameThumb(frame);
        if (!thumb)
            continue;
        FrameThumbs.push_back(std::move(thumb));
        names.Add(FrameList[i]);
    }
    keywords_.clear();
    return static_cast<int>(FrameThumbs.size());
}

ui::GpBitmapPtr TLMTSEditorFrmBrowserWndClass::MakeFrameThumb(const TPhotoFrame& frame) const
{
    const ui::GpBitmapPtr image = LoadFrameImage(frame);
    if (!image)
        return nullptr;
    ui::GpBitmapPtr thumb(new Gdiplus::Bitmap(FrameThumbSize, FrameThumbSize, PixelFormat32bppARGB));
    if (!thumb || thumb->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    const DrawRect place = FrameThumbRect(image->GetWidth(), image->GetHeight());
    Gdiplus::Graphics graphics(thumb.get());
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(image.get(), Gdiplus::Rect(place.X, place.Y, place.Width, place.Height));
    return thumb;
}

void TLMTSEditorFrmBrowserWndClass::ShowBanner(const std::string& text)
{
    if (text.empty()) {
        stBanner->Hide();
        return;
    }
    stBanner->SetCaption(text);
    stBanner->Show();
}

void TLMTSEditorFrmBrowserWndClass::lbFramesDrawItem(ui::ListBox&, int index, const RECT& rect, UINT state, HDC dc)
{
    if (state & ODS_SELECTED) {
        const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
        FillGradientRect(dc, rect, LightenColor(highlight, SelectionLightenPercent), highlight, false, 255);
    } else {
        FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    }
    if (index < 0 || index >= static_cast<int>(FrameThumbs.size()))
        return;
    Gdiplus::Graphics graphics(dc);
    graphics.DrawImage(FrameThumbs[static_cast<std::size_t>(index)].get(), rect.left + 4, rect.top + 4, FrameThumbSize,
                       FrameThumbSize);
}

void TLMTSEditorFrmBrowserWndClass::lbFramesDblClick(ui::Component&)
{
    if (lbFrames->ItemIndex() != -1)
        SetModalResult(ui::mrOk);
}

void TLMTSEditorFrmBrowserWndClass::btnOKClick(ui::Component&)
{
    // The button has set mrOK already; without a selection the showing ends as cancelled.
    if (lbFrames->ItemIndex() == -1)
        SetModalResult(ui::mrCancel);
}

void TLMTSEditorFrmBrowserWndClass::PreselectFrame(const std::string& name)
{
    PendingFrame = name;
}

void TLMTSEditorFrmBrowserWndClass::FormActivate(ui::Component&)
{
    if (!PendingFrame.empty()) {
        try {
            lbFrames->Clear();
            SelectCategory(1);
            const int found = FindFrameItem(*lbFrames, PendingFrame);
            if (found != -1)
                lbFrames->SetItemIndex(found);
            PendingFrame.clear();
        } catch (...) {
            SelectCategory(1);
        }
    }
    if (FrameThumbs.empty())
        SelectCategory(1);
}

} // namespace lumetta
