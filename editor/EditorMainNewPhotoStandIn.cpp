// Stand-ins for the new-photo page's pieces until that page lands.
#include "editor/EditorMain.h"

#include "editor/EditorEffectsMapping.h"
#include "shared/GlobalGraphics.h"

namespace lumetta {

namespace {
TControlBounds BoundsOf(const ui::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
} // namespace

TPhotoClipRect TLMTSEditorWndClass::GetClipRect()
{
    return lumetta::GetClipRect(BoundsOf(*shapeClipSelector), BoundsOf(*imgPhoto));
}

TFramedEffects TLMTSEditorWndClass::GetFramedEffects()
{
    TSinglePhotoControls c;
    c.PhotoPath = CurrentPhotoPath;
    c.RotationPosition = trackRotation->Position();
    c.ZoomPosition = trackZoom->Position();
    c.ZoomMax = trackZoom->Max();
    c.Notes = memoPhotoNotes->Text();
    for (std::size_t i = 0; i < TextPositionItems.size(); ++i)
        c.TextPositionChecked[i] = TextPositionItems[i]->Checked();
    c.FontName = FontDialog->GetFont().Name();
    c.FontStyle = FontDialog->GetFont().Style();
    c.FontSize = FontDialog->GetFont().Size();
    c.FontColor = FontDialog->GetFont().GetColor();
    c.BrightnessPosition = trackBrightness->Position();
    c.ContrastPosition = trackContrast->Position();
    c.SaturationPosition = trackSaturation->Position();
    c.Sepia = cbSepia->Checked();
    c.Emboss = cbEmboss->Checked();
    c.ColorNoise = cbColorNoise->Checked();
    return FramedEffectsFromControls(c);
}

ui::GpBitmapPtr TLMTSEditorWndClass::RenderFramedPhoto()
{
    return ComposeFramedPhoto(*CurrentPhoto, GetClipRect(), CurrentFrame, GetFramedEffects());
}

void TLMTSEditorWndClass::ShadeOutsideClip() {}
void TLMTSEditorWndClass::DoRenderFramePreview() {}

} // namespace lumetta
