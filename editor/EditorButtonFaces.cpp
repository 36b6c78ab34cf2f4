#include "EditorButtonFaces.h"

#include "controls/EzRgnBtn.h"
#include "shared/GlobalGraphics.h"

namespace lumetta {

namespace {

void DrawEdgeLine(ui::Bitmap& face, float x1, float y1, float x2, float y2)
{
    {
        Gdiplus::Graphics graphics(face.DC());
        Gdiplus::Pen pen(Gdiplus::Color(ui::ArgbFromColor(FaceEdgeColor, 255)), 1.0f);
        graphics.DrawLine(&pen, x1, y1, x2, y2);
    }
    face.Changed();
}

void FillGradient(ui::Bitmap& face, const RECT& rect, COLORREF from, COLORREF to)
{
    FillGradientRect(face.DC(), rect, from, to, true, 255);
    face.Changed();
}

void FillSolid(ui::Bitmap& face, const RECT& rect, COLORREF colour)
{
    face.Canvas().Brush.Color = colour;
    face.Canvas().FillRect(rect);
}

void DrawIcon(ui::Bitmap& face, Gdiplus::Image& icon, POINT at)
{
    {
        Gdiplus::Graphics graphics(face.DC());
        // At its own pixel size, whatever resolution the file claims.
        graphics.DrawImage(&icon, static_cast<INT>(at.x), static_cast<INT>(at.y), static_cast<INT>(icon.GetWidth()),
                           static_cast<INT>(icon.GetHeight()));
    }
    face.Changed();
}

} // namespace

TFaceLayout NavFaceLayout(int width, int height)
{
    return TFaceLayout{width, height, true, POINT{56, 12},
                       Gdiplus::RectF(10.0f, 70.0f, static_cast<float>(width - 20), 50.0f)};
}

TFaceLayout CategoryFaceLayout(int width, int height)
{
    return TFaceLayout{width, height, false, POINT{},
                       Gdiplus::RectF(4.0f, 4.0f, static_cast<float>(width - 10), 54.0f)};
}

TButtonFaces PaintButtonFaces(const TFaceLayout& layout, Gdiplus::Image* icon, const std::string& caption)
{
    const int w = layout.Width;
    const int h = layout.Height;
    TButtonFaces faces;
    faces.Selected = std::make_unique<ui::Bitmap>(w, h, ui::PixelFormat::Bits24);
    DrawEdgeLine(*faces.Selected, 0.0f, static_cast<float>(h - 1), static_cast<float>(w), static_cast<float>(h - 1));

    // Idle and hover start from the selected face as it is now: the bottom row only.
    faces.Idle = std::make_unique<ui::Bitmap>();
    faces.Idle->Assign(*faces.Selected);
    faces.Hover = std::make_unique<ui::Bitmap>();
    faces.Hover->Assign(*faces.Selected);
    for (ui::Bitmap* face : {faces.Idle.get(), faces.Hover.get()})
        DrawEdgeLine(*face, static_cast<float>(w - 1), 0.0f, static_cast<float>(w - 1), static_cast<float>(h - 1));

    FillGradient(*faces.Selected, RECT{0, 0, FaceStripWidth, h - 1}, FaceSelectedStripColor, FaceLightGrey);
    FillGradient(*faces.Selected, RECT{FaceStripWidth, 0, w, h - 1}, FaceLightGrey, GetSysColor(COLOR_WINDOW));
    for (ui::Bitmap* face : {faces.Idle.get(), faces.Hover.get()}) {
        FillGradient(*face, RECT{0, 0, FaceStripWidth, h - 1}, FaceMidGrey, FaceLightGrey);
        FillSolid(*face, RECT{FaceStripWidth, 0, w - 1, h - 1}, FaceLightGrey);
    }

    if (layout.HasIcon && icon)
        for (ui::Bitmap* face : {faces.Selected.get(), faces.Idle.get(), faces.Hover.get()})
            DrawIcon(*face, *icon, layout.IconPos);

    DrawButtonCaption(*faces.Selected, caption, layout.CaptionRect, CaptionSelectedColor);
    DrawButtonCaption(*faces.Idle, caption, layout.CaptionRect, CaptionIdleColor);
    DrawButtonCaption(*faces.Hover, caption, layout.CaptionRect, CaptionHoverColor);
    return faces;
}

void ApplyButtonFaces(TEzRgnBtn& button, const TButtonFaces& faces)
{
    button.SetPicIdle(faces.Idle.get());
    button.SetPicDown(faces.Hover.get());
    button.SetPicUp(faces.Hover.get());
    button.SetPicDsbld(faces.Selected.get());
}

void DrawButtonCaption(ui::Bitmap& bitmap, const std::string& text, const Gdiplus::RectF& rect, COLORREF colour)
{
    // The text goes onto a transparent layer first, which every renderer smooths (not all do so
    // on a device context), and the layer over the face.
    Gdiplus::Bitmap layer(bitmap.Width(), bitmap.Height(), PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&layer);
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
        const auto family = ui::FontFamilyOrSansSerif("Tahoma");
        Gdiplus::Font font(family.get(), 16.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        Gdiplus::SolidBrush brush(Gdiplus::Color(ui::ArgbFromColor(colour, 255)));
        Gdiplus::StringFormat format(0, 0);
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        ui::DrawTextLines(graphics, text, font, rect, format, brush);
    }
    {
        Gdiplus::Graphics graphics(bitmap.DC());
        graphics.DrawImage(&layer, 0, 0, bitmap.Width(), bitmap.Height());
    }
    bitmap.Changed();
}

void BuildCategoryButtonFaces(TEzRgnBtn& button, const TEzRgnBtn& reference, const std::string& caption)
{
    const TButtonFaces faces = PaintButtonFaces(CategoryFaceLayout(reference.Width(), reference.Height()), nullptr, caption);
    ApplyButtonFaces(button, faces);
}

} // namespace lumetta
