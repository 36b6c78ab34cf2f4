// The main window's layout: one function per area, every component at its place. Handlers are
// bound in EditorMain.cpp.
#include "EditorMain.h"

#include "shared/GlobalConsts.h"

namespace lumetta {

namespace {

const ui::FontArgs BoldFont{"MS Sans Serif", -11, ui::fsBold, ui::clWindowText};

const char* const PhotoFilter =
    "All pictures (*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.bmp;*.dib;*.tif;*.tiff;*.ico;*.emf;*.wmf)|"
    "*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.gif;*.bmp;*.dib;*.tif;*.tiff;*.ico;*.emf;*.wmf|"
    "JPEG pictures (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|PNG pictures (*.png)|*.png|"
    "GIF pictures (*.gif)|*.gif|Bitmaps (*.bmp;*.dib)|*.bmp;*.dib|TIFF pictures (*.tif;*.tiff)|*.tif;*.tiff|"
    "Icons (*.ico)|*.ico|Enhanced metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|All files (*.*)|*.*";

} // namespace

void TLMTSEditorWndClass::CreateNavigation()
{
    imgBackground = Add<ui::Image>({.name = "imgBackground", .bounds = {0, 0, 894, 637}, .align = ui::Align::Client});
    const ui::ImageArgs toolImage{.stretch = true, .transparent = true};
    imgCheckForUpdatesBtn =
        Add<TOrvaneImage>({.name = "imgCheckForUpdatesBtn", .bounds = {776, 7, 32, 32}, .cursor = crHand}, toolImage);
    imgHelpBtn = Add<TOrvaneImage>({.name = "imgHelpBtn", .bounds = {840, 7, 32, 32}, .cursor = crHand}, toolImage);

    const ui::FontArgs toolFont{"MS Sans Serif", -11, ui::fsBold, ui::clCaptionText};
    const ui::LabelArgs toolLabel{ui::TextAlign::Center, ui::TextLayout::Center, true, true};
    stCheckForUpdates = Add<ui::Label>({.name = "stCheckForUpdates", .bounds = {760, 30, 65, 30}, .caption = "Update",
                                        .tag = 1141, .cursor = crHand, .font = toolFont},
                                       toolLabel);
    stHelp = Add<ui::Label>(
        {.name = "stHelp", .bounds = {824, 30, 65, 30}, .caption = "Help", .tag = 1140, .cursor = crHand, .font = toolFont},
        toolLabel);

    const TEzRgnBtn::Args navArgs{.paintMode = pmNormal};
    imgBtnNavigation1 = Add<TEzRgnBtn>({.name = "imgBtnNavigation1", .bounds = {16, 60, 160, 140}, .tag = PageSinglePhoto,
                                        .cursor = crHand},
                                       navArgs);
    imgBtnNavigation2 = Add<TEzRgnBtn>(
        {.name = "imgBtnNavigation2", .bounds = {16, 200, 160, 140}, .tag = PageView, .cursor = crHand}, navArgs);
    imgBtnNavigation4 = Add<TEzRgnBtn>(
        {.name = "imgBtnNavigation4", .bounds = {16, 480, 160, 140}, .tag = PageAbout, .cursor = crHand}, navArgs);

    nPages = Add<TNewNotebook>({.name = "nPages", .bounds = {176, 60, 718, 559}});
    NotebookPageSinglePhoto = Add<TNewNotebookPage>({.name = "NotebookPageSinglePhoto", .parent = nPages});
    NotebookPageView = Add<TNewNotebookPage>({.name = "NotebookPageView", .parent = nPages});
    NotebookPageAbout = Add<TNewNotebookPage>({.name = "NotebookPageAbout", .parent = nPages});
}

void TLMTSEditorWndClass::CreateNewPhotoPage()
{
    ui::Window* page = NotebookPageSinglePhoto;
    imgPreview = Add<ui::Image>({.name = "imgPreview", .parent = page, .bounds = {27, 24, 448, 448}});
    trackZoom = Add<TOrvaneTrackbar>({.name = "trackZoom", .parent = page, .bounds = {8, 64, 20, 345}},
                                     {.min = 5, .max = 30, .position = 20, .orientation = ui::Orientation::Vertical,
                                      .tickStyle = ui::TickStyle::None, .thumbLength = 16});
    pboxZoomBar = Add<ui::PaintBox>({.name = "pboxZoomBar", .parent = page, .bounds = {28, 64, 21, 346}});
    trackRotation = Add<TOrvaneTrackbar>({.name = "trackRotation", .parent = page, .bounds = {88, 472, 345, 20}},
                                         {.min = -90, .max = 90, .position = 4, .frequency = 2,
                                          .tickStyle = ui::TickStyle::None, .tickMarks = ui::TickMark::TopLeft,
                                          .thumbLength = 16});
    pboxRotBar = Add<ui::PaintBox>({.name = "pboxRotBar", .parent = page, .bounds = {87, 454, 346, 18}});

    CreatePhotoGroup();
    CreateEffectsGroup();
    CreateNotesGroup();

    btnSingleFrameChoose = Add<ui::Button>({.name = "btnSingleFrameChoose", .parent = page, .bounds = {160, 16, 201, 33},
                                            .caption = "Choose photo frame...", .tag = 1030});
    btnSingleFrameDone = Add<ui::Button>({.name = "btnSingleFrameDone", .parent = page, .bounds = {136, 504, 250, 33},
                                          .caption = "Done! Place it onto the desktop", .tag = 1024, .font = BoldFont});
    btnSingleFrameOK = Add<ui::Button>({.name = "btnSingleFrameOK", .parent = page, .bounds = {112, 504, 145, 33},
                                        .caption = "Apply Changes", .tag = 1025, .visible = false, .font = BoldFont});
    btnSingleFrameCancel = Add<ui::Button>({.name = "btnSingleFrameCancel", .parent = page, .bounds = {264, 504, 145, 33},
                                            .caption = "Discard Changes", .tag = 1026, .visible = false, .font = BoldFont});
    FontDialog = Add<ui::FontDialog>({.name = "FontDialog", .font = {"Arial", -19, ui::fsItalic, ui::clWindowText}});
    CreateTextPositionMenu();
}

void TLMTSEditorWndClass::CreatePhotoGroup()
{
    gbPhoto = Add<ui::GroupBox>(
        {.name = "gbPhoto", .parent = NotebookPageSinglePhoto, .bounds = {480, 8, 233, 273}, .caption = "Photo", .tag = 1000});
    imgPhoto = Add<ui::Image>({.name = "imgPhoto", .parent = gbPhoto, .bounds = {16, 56, 105, 105}});
    imgPhotoRenderBox = Add<ui::Image>({.name = "imgPhotoRenderBox", .parent = gbPhoto, .bounds = {32, 72, 105, 105}});
    shapeClipSelector = Add<ui::Shape>(
        {.name = "shapeClipSelector", .parent = gbPhoto, .bounds = {8, 56, 65, 65}, .cursor = ui::crSizeAll},
        {.brushClear = true, .penColor = 0xD9D9D9});
    btnOpenPhoto = Add<ui::Button>(
        {.name = "btnOpenPhoto", .parent = gbPhoto, .bounds = {16, 24, 98, 23}, .caption = "Open...", .tag = 1001});
    btnZoomOut = Add<ui::Button>({.name = "btnZoomOut", .parent = gbPhoto, .bounds = {160, 24, 27, 23}});
    btnZoomIn = Add<ui::Button>({.name = "btnZoomIn", .parent = gbPhoto, .bounds = {190, 24, 27, 23}});
    OpenPictureDialog = Add<ui::OpenDialog>({.name = "OpenPictureDialog", .tag = 1002, .filter = PhotoFilter});
}

void TLMTSEditorWndClass::CreateEffectsGroup()
{
    gbEffects = Add<ui::GroupBox>({.name = "gbEffects", .parent = NotebookPageSinglePhoto, .bounds = {480, 288, 233, 145},
                                   .caption = "Image Effects", .tag = 1003});
    const ui::LabelArgs centred{.alignment = ui::TextAlign::Center};
    stBrightness = Add<ui::Label>(
        {.name = "stBrightness", .parent = gbEffects, .bounds = {8, 20, 74, 17}, .caption = "Brightness", .tag = 1004}, centred);
    stContrast = Add<ui::Label>(
        {.name = "stContrast", .parent = gbEffects, .bounds = {80, 20, 74, 17}, .caption = "Contrast", .tag = 1005}, centred);
    stSaturation = Add<ui::Label>(
        {.name = "stSaturation", .parent = gbEffects, .bounds = {152, 20, 74, 17}, .caption = "Saturation", .tag = 1006},
        centred);
    const ui::TrackBarArgs effect{.min = -25, .max = 25, .position = 0, .tickStyle = ui::TickStyle::Manual,
                                  .tickMarks = ui::TickMark::TopLeft, .thumbLength = 16};
    trackBrightness = Add<TOrvaneTrackbar>({.name = "trackBrightness", .parent = gbEffects, .bounds = {8, 40, 74, 28}}, effect);
    trackContrast = Add<TOrvaneTrackbar>({.name = "trackContrast", .parent = gbEffects, .bounds = {80, 40, 74, 28}}, effect);
    trackSaturation =
        Add<TOrvaneTrackbar>({.name = "trackSaturation", .parent = gbEffects, .bounds = {152, 40, 74, 28}}, effect);
    cbSepia = Add<ui::CheckBox>(
        {.name = "cbSepia", .parent = gbEffects, .bounds = {8, 84, 64, 17}, .caption = "Sepia", .tag = 1007});
    cbEmboss = Add<ui::CheckBox>(
        {.name = "cbEmboss", .parent = gbEffects, .bounds = {72, 84, 70, 17}, .caption = "Emboss", .tag = 1008});
    cbColorNoise = Add<ui::CheckBox>(
        {.name = "cbColorNoise", .parent = gbEffects, .bounds = {144, 84, 85, 17}, .caption = "Color Noise", .tag = 1009});
    btnResetImageEffects = Add<ui::Button>({.name = "btnResetImageEffects", .parent = gbEffects, .bounds = {8, 112, 209, 23},
                                            .caption = "Reset Image Effects", .tag = 1010});
}

void TLMTSEditorWndClass::CreateNotesGroup()
{
    gbPhotoNotes = Add<ui::GroupBox>({.name = "gbPhotoNotes", .parent = NotebookPageSinglePhoto,
                                      .bounds = {480, 440, 233, 113}, .caption = "Photo Notes", .tag = 1011});
    memoPhotoNotes = Add<ui::Memo>({.name = "memoPhotoNotes", .parent = gbPhotoNotes, .bounds = {16, 24, 201, 41}},
                                   {.scrollBars = ui::ScrollBars::Vertical, .maxLength = NoteMaxLength});
    btnChooseFont = Add<ui::Button>(
        {.name = "btnChooseFont", .parent = gbPhotoNotes, .bounds = {16, 74, 98, 23}, .caption = "Font...", .tag = 1012});
    btnChoosePosition = Add<ui::Button>({.name = "btnChoosePosition", .parent = gbPhotoNotes, .bounds = {118, 74, 98, 23},
                                         .caption = "Position", .tag = 1013});
}

void TLMTSEditorWndClass::CreateTextPositionMenu()
{
    pmTextPos = Add<ui::PopupMenu>({.name = "pmTextPos"});
    struct Entry {
        const char* name;
        int tag;
        const char* caption;
    };
    // Separators between the rows; the positions are the radio items.
    const Entry entries[] = {{"opLeft1", 1014, "Top Left"},         {"opCenter1", 1015, "Top Center"},
                             {"opRight1", 1016, "Top Right"},       {"N1", 0, "-"},
                             {"MiddleLeft1", 1017, "Middle Left"},  {"MiddleCenter1", 1018, "Middle Center"},
                             {"MiddleRight1", 1019, "Middle Right"}, {"N2", 0, "-"},
                             {"BottomLeft1", 1020, "Bottom Left"},  {"BottomCenter1", 1021, "Bottom Center"},
                             {"BottomRight1", 1022, "Bottom Right"}, {"N3", 0, "-"},
                             {"PhotoFrame1", 1023, "Photo Frame"}};
    for (const Entry& entry : entries) {
        const bool line = entry.tag == 0;
        auto* item = Add<ui::MenuItem>({.name = entry.name, .parent = pmTextPos->Items(), .caption = entry.caption,
                                        .tag = entry.tag, .checked = entry.tag == 1023, .radioItem = !line});
        if (!line)
            TextPositionItems.push_back(item);
    }
    MiddleCenter1 = TextPositionItems[4];
    PhotoFrame1 = TextPositionItems[9];
}

void TLMTSEditorWndClass::CreateViewPage()
{
    ui::Window* page = NotebookPageView;
    shapeBk2 = Add<ui::Shape>({.name = "shapeBk2", .parent = page, .bounds = {0, 0, 718, 559}, .align = ui::Align::Client},
                              {.brushColor = ui::clWindow, .penColor = ui::clWindow});
    imgExistingPreview = Add<ui::Image>({.name = "imgExistingPreview", .parent = page, .bounds = {112, 0, 490, 490}});
    const ui::LabelArgs centred{.alignment = ui::TextAlign::Center, .transparent = true};
    stNoFrames = Add<ui::Label>({.name = "stNoFrames", .parent = page, .bounds = {64, 104, 587, 33}, .tag = 1028,
                                 .font = ui::FontArgs{"MS Sans Serif", -16, ui::fsBold, 0x737373}},
                                centred);
    stClickToCreateFrame =
        Add<ui::Label>({.name = "stClickToCreateFrame", .parent = page, .bounds = {64, 152, 587, 25}, .tag = 1029,
                        .font = ui::FontArgs{"MS Sans Serif", -11, ui::fsUnderline, ui::clWindowText}},
                       centred);
    btnEdit = Add<ui::Button>({.name = "btnEdit", .parent = page, .bounds = {88, 504, 169, 33}, .tabOrder = 0});
    btnHideShow = Add<ui::Button>({.name = "btnHideShow", .parent = page, .bounds = {264, 504, 169, 33}, .tabOrder = 1});
    btnDelete = Add<ui::Button>({.name = "btnDelete", .parent = page, .bounds = {440, 504, 169, 33},
                                 .caption = "Remove Photo", .tag = 1027, .tabOrder = 2});
    btnPrev = Add<ui::Button>({.name = "btnPrev", .parent = page, .bounds = {64, 200, 41, 42}, .tabOrder = 3});
    btnNext = Add<ui::Button>({.name = "btnNext", .parent = page, .bounds = {608, 200, 41, 42}, .tabOrder = 4});
}

void TLMTSEditorWndClass::CreateAboutPage()
{
    ui::Window* page = NotebookPageAbout;
    imgAbout = Add<ui::Image>({.name = "imgAbout", .parent = page, .bounds = {112, 0, 473, 473}});
    btnAskOnline = Add<ui::Button>({.name = "btnAskOnline", .parent = page, .bounds = {192, 488, 169, 33},
                                    .caption = "Ask a question", .tag = 1130});
    btnVisitWebsite = Add<ui::Button>({.name = "btnVisitWebsite", .parent = page, .bounds = {368, 488, 169, 33},
                                       .caption = "Visit website", .tag = 1131});
}

} // namespace lumetta
