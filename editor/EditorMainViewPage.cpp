// The view page: the stored photo sets one at a time, stepped through in the registry's order,
// with edit, hide or show, and remove; and the About page's picture.
#include "editor/EditorMain.h"

#include "editor/EditorAboutPicture.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "shared/LangUnit.h"

namespace lumetta {

namespace {

constexpr int MsgEditSet = 6;
constexpr int MsgEditOtherKind = 7;
constexpr int MsgHideSet = 9;
constexpr int MsgShowSet = 10;
constexpr int MsgRemoveCaption = 11;
constexpr int MsgRemoveQuestion = 12;

const std::string& HideShowCaption(std::int32_t hidden) { return Messages[hidden == 1 ? MsgShowSet : MsgHideSet]; }

} // namespace

std::unique_ptr<ui::Bitmap> CentredPicture(Gdiplus::Image& image, int width, int height, COLORREF background)
{
    auto bitmap = std::make_unique<ui::Bitmap>(width, height, ui::PixelFormat::Bits24);
    bitmap->Canvas().Brush.Color = background;
    bitmap->Canvas().Brush.Style = ui::BrushStyle::Solid;
    bitmap->Canvas().FillRect({0, 0, width, height});
    {
        Gdiplus::Graphics graphics(bitmap->DC());
        const INT imageWidth = static_cast<INT>(image.GetWidth());
        const INT imageHeight = static_cast<INT>(image.GetHeight());
        graphics.DrawImage(&image, width / 2 - imageWidth / 2, height / 2 - imageHeight / 2, imageWidth, imageHeight);
    }
    bitmap->Changed();
    return bitmap;
}

void TLMTSEditorWndClass::RefreshViewPage()
{
    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    const int count = ids.Count();
    stNoFrames->SetVisible(count == 0);
    stClickToCreateFrame->SetVisible(count == 0);
    for (ui::Control* control : std::initializer_list<ui::Control*>{btnPrev, btnNext, btnEdit, btnHideShow, btnDelete,
                                                                     imgExistingPreview})
        control->SetVisible(count > 0);
    if (ViewIndex >= count) {
        // With no set at all the hidden picture and captions keep what they showed.
        if (count == 0)
            return;
        ViewIndex = 0;
    }
    btnPrev->SetEnabled(ViewIndex != 0);
    btnNext->SetEnabled(ViewIndex < count - 1);

    BusyCursorScope busy;
    const std::string& id = ids[ViewIndex];
    {
        const ui::GpBitmapPtr picture = RenderPhotoSet(id);
        imgExistingPreview->Picture().Clear();
        imgExistingPreview->Picture().SetBitmap(CentredPicture(*picture, imgExistingPreview->Width(),
                                                               imgExistingPreview->Height(), GetSysColor(COLOR_WINDOW)));
    }
    const std::string key = PhotoSetKey(id);
    btnEdit->SetCaption(Messages[ReadPhotoSetInteger(key, PhotoSetValue::FrameType) == 1 ? MsgEditOtherKind : MsgEditSet]);
    btnHideShow->SetCaption(HideShowCaption(ReadPhotoSetInteger(key, PhotoSetValue::Hidden)));
}

void TLMTSEditorWndClass::btnPrevClick(ui::Component&)
{
    --ViewIndex;
    RefreshViewPage();
}

void TLMTSEditorWndClass::btnNextClick(ui::Component&)
{
    ++ViewIndex;
    RefreshViewPage();
}

void TLMTSEditorWndClass::btnHideShowClick(ui::Component&)
{
    const std::string id = PhotoSetIdAt(ViewIndex);
    if (id.empty())
        return;
    const std::string key = PhotoSetKey(id);
    const std::int32_t old = ReadPhotoSetInteger(key, PhotoSetValue::Hidden);
    const std::string command = (old == 1 ? "S" : "H") + id;
    const std::int32_t hidden = (old & 0x7F) ^ 1;
    // Written first: the agent's open path skips a set whose Hidden is 1.
    WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::Hidden, hidden);
    struct CaptionAfterwards {
        ui::Button* button;
        std::int32_t hidden;
        ~CaptionAfterwards() { button->SetCaption(HideShowCaption(hidden)); }
    } caption{btnHideShow, hidden};
    BusyCursorScope busy;
    SendAgentCommand(command);
}

void TLMTSEditorWndClass::btnDeleteClick(ui::Component&)
{
    if (ShowTaskDialog(Handle(), Messages[MsgRemoveQuestion].c_str(), Messages[MsgRemoveCaption].c_str(), nullptr,
                       MB_YESNOCANCEL | MB_ICONWARNING) != IDYES)
        return;
    const std::string id = PhotoSetIdAt(ViewIndex);
    if (id.empty())
        return;
    SendAgentCommand("H" + id);
    RegDeleteKeyA(HKEY_CURRENT_USER, PhotoSetKey(id).c_str());
    // The set that followed takes the removed one's place; after the last, the first shows.
    NotebookChangePage(nPages->ActivePage());
}

void TLMTSEditorWndClass::RenderAboutPicture()
{
    BusyCursorScope busy;
    imgAbout->Picture().SetBitmap(MakeAboutPicture(GetSysColor(COLOR_WINDOW), imgAbout->Width(), imgAbout->Height()));
}

} // namespace lumetta
