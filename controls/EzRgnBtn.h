#pragma once
// The picture button: a windowed push button drawn from up to four bitmaps (idle, hover,
// pressed, disabled). It keeps an enabled flag of its own, so a disabled button still gets the
// mouse; it can cut its window to the shape of its idle picture by a colour key, draw with a
// colour key left out, and repeat its click while held.
#include <windows.h>

#include <functional>

#include "ui/CustomControl.h"
#include "ui/Handles.h"
#include "ui/ImageList.h"
#include "ui/Picture.h"
#include "ui/Timer.h"

namespace lumetta {

enum TPaintMode { pmNormal = 0, pmCrop = 1, pmTransparent = 2 };

// The button's own mouse events get the message that caused them (for enter and leave, the
// hover tracking's notification).
using TOnMouseEvent = std::function<void(ui::Message& Msg)>;

// Cuts the window to every pixel of the picture that differs from its top-left pixel. The window
// owns the region afterwards. A picture without a bitmap leaves the window uncut.
void CreateRegionFromBitmap(HWND window, const ui::Picture& picture);
// Gives the window the plain rectangle of the picture (no region at all without a bitmap).
void ResetWindowRegion(HWND window, const ui::Picture& picture);

struct TEzRgnBtnArgs {
    bool autoRepeat = false;
    TPaintMode paintMode = pmNormal;
};

class TEzRgnBtn : public ui::CustomControl {
public:
    using Args = TEzRgnBtnArgs;

    // The layout's enabled flag becomes the button's own; a size the layout leaves 0 is 15.
    TEzRgnBtn(ui::Component* owner, const ui::ControlArgs& common, const Args& own = {});

    void Loaded() override;

    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool value) { autoRepeat_ = value; }

    // The button's own flag; the window itself stays enabled and keeps the mouse. A button
    // that is not Enabled shows its disabled picture and passes no click on.
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool value) override;
    bool Disabled() const { return !enabled_; }

    // The state pictures, owned by the button. Changes to them, also to their bitmaps in
    // place, redraw the button.
    ui::Picture& PicIdle() { return picIdle_; }
    ui::Picture& PicDown() { return picDown_; }
    ui::Picture& PicUp() { return picUp_; }
    ui::Picture& PicDsbld() { return picDsbld_; }
    // Copies; a new idle picture re-cuts the window region when one is applied.
    void SetPicIdle(const ui::Picture& value) { SetPicIdle(value.Graphic()); }
    void SetPicIdle(const ui::Bitmap* value);
    void SetPicDown(const ui::Picture& value) { picDown_.Assign(value); }
    void SetPicDown(const ui::Bitmap* value) { picDown_.Assign(value); }
    void SetPicUp(const ui::Picture& value) { picUp_.Assign(value); }
    void SetPicUp(const ui::Bitmap* value) { picUp_.Assign(value); }
    void SetPicDsbld(const ui::Picture& value) { picDsbld_.Assign(value); }
    void SetPicDsbld(const ui::Bitmap* value) { picDsbld_.Assign(value); }

    // The last list given; not owned. A new list's images 0 to 3, as far as it has them, are
    // copied once into PicIdle, PicUp, PicDown and PicDsbld; null keeps the pictures.
    ui::ImageList* ImageList() const { return imageList_; }
    void SetImageList(ui::ImageList* list);

    TPaintMode PaintMode() const { return paintMode_; }
    void SetPaintMode(TPaintMode value);
    // A colour-key window region is in force.
    bool RegionApplied() const { return regionApplied_; }

    // Draws at once on the window, outside the paint cycle.
    void RepaintNow();
    // The picture the button shows in its present state.
    const ui::Picture& CurrentPicture() const;

    // The repeat timer: runs while AutoRepeat, hover and pressed all hold.
    const ui::Timer& RepeatTimer() const { return *repeatTimer_; }
    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }

    // The button's own mouse events, with the message that caused them; the control's
    // OnMouseDown... fire as well.
    TOnMouseEvent OnMouseDownMsg;
    TOnMouseEvent OnMouseEnterMsg;
    TOnMouseEvent OnMouseLeaveMsg;
    TOnMouseEvent OnMouseUpMsg;

    // The click dispatch: OnClick only while the own Enabled is set.
    void Click() override { ClickIfEnabled(); }

protected:
    void WndProc(ui::Message& message) override;
    void PaintWindow(HDC dc) override { PaintCurrentPicture(dc); }

    void PaintCurrentPicture(HDC dc);
    virtual void RepeatTimerTick();
    void ClickIfEnabled();

private:
    void HandleMouseEnter(ui::Message& message);
    void HandleMouseLeave(ui::Message& message);
    void HandleLButtonDown(ui::Message& message);
    void HandleLButtonUp(ui::Message& message);
    void HandleLButtonDblClk(ui::Message& message);
    void UpdateRepeatTimer();

    const ui::Picture& GetDownPicture() const;
    const ui::Picture& GetUpPicture() const;
    const ui::Picture& GetIdlePicture() const;
    const ui::Picture& GetDisabledPicture() const;

    void ApplyCropRegion();
    void RemoveCropRegion();

    // Held around drawing and every change of the window region; not re-entrant.
    class PaintLock;

    ui::KernelHandle paintLock_;
    bool regionApplied_ = false;
    ui::Timer* repeatTimer_ = nullptr;
    bool autoRepeat_;
    TPaintMode paintMode_ = pmNormal;
    TPaintMode layoutPaintMode_;
    bool pressed_ = false;
    bool hover_ = false;
    bool enabled_;
    ui::Picture picIdle_;
    ui::Picture picDown_;
    ui::Picture picDsbld_;
    ui::Picture picUp_;
    ui::ImageList* imageList_ = nullptr;
};

} // namespace lumetta
