#include "controls/EzRgnBtn.h"

#include "ui/Canvas.h"

namespace lumetta {

namespace {

constexpr int DefaultSize = 15;
constexpr unsigned RepeatInterval = 300;

ui::ControlArgs ButtonControlArgs(ui::ControlArgs args)
{
    // The window is never disabled: the button's own flag stands in for it.
    args.enabled = true;
    if (args.bounds.width == 0)
        args.bounds.width = DefaultSize;
    if (args.bounds.height == 0)
        args.bounds.height = DefaultSize;
    return args;
}

} // namespace

class TEzRgnBtn::PaintLock {
public:
    explicit PaintLock(const ui::KernelHandle& event) : event_(event.Get()) { WaitForSingleObject(event_, INFINITE); }
    ~PaintLock() { SetEvent(event_); }
    PaintLock(const PaintLock&) = delete;
    PaintLock& operator=(const PaintLock&) = delete;

private:
    HANDLE event_;
};

void CreateRegionFromBitmap(HWND window, const ui::Picture& picture)
{
    ui::Bitmap* bitmap = picture.Graphic();
    if (!bitmap) {
        SetWindowRgn(window, nullptr, TRUE);
        return;
    }
    const ui::Canvas& pixels = bitmap->Canvas();
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    ui::RegionHandle region(CreateRectRgn(0, 0, width, height));
    const COLORREF key = pixels.Pixel(0, 0);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (pixels.Pixel(x, y) == key) {
                ui::RegionHandle dot(CreateRectRgn(x, y, x + 1, y + 1));
                CombineRgn(region.Get(), region.Get(), dot.Get(), RGN_DIFF);
            }
    if (SetWindowRgn(window, region.Get(), TRUE))
        region.Detach();
}

void ResetWindowRegion(HWND window, const ui::Picture& picture)
{
    if (!picture.HasGraphic()) {
        SetWindowRgn(window, nullptr, TRUE);
        return;
    }
    ui::RegionHandle region(CreateRectRgn(0, 0, picture.Width(), picture.Height()));
    if (SetWindowRgn(window, region.Get(), TRUE))
        region.Detach();
}

TEzRgnBtn::TEzRgnBtn(ui::Component* owner, const ui::ControlArgs& common, const Args& own)
    : ui::CustomControl(owner, ButtonControlArgs(common)), autoRepeat_(own.autoRepeat),
      layoutPaintMode_(own.paintMode), enabled_(common.enabled)
{
    paintLock_.Reset(CreateEventA(nullptr, FALSE, TRUE, nullptr));
    for (ui::Picture* picture : {&picIdle_, &picUp_, &picDown_, &picDsbld_})
        picture->OnChange = [this] { RepaintNow(); };
    repeatTimer_ = Add<ui::Timer>({.name = {}, .interval = RepeatInterval, .enabled = false});
    repeatTimer_->OnTimer = [this](ui::Component&) { RepeatTimerTick(); };
}

void TEzRgnBtn::Loaded()
{
    ui::CustomControl::Loaded();
    // The layout's mode takes effect like a property set after creation.
    SetPaintMode(layoutPaintMode_);
}

void TEzRgnBtn::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    RepaintNow();
}

void TEzRgnBtn::SetPicIdle(const ui::Bitmap* value)
{
    picIdle_.Assign(value);
    if (regionApplied_) {
        RemoveCropRegion();
        ApplyCropRegion();
    }
}

void TEzRgnBtn::SetImageList(ui::ImageList* list)
{
    if (list == imageList_)
        return;
    imageList_ = list;
    if (!list)
        return;
    ui::Picture* const targets[] = {&picIdle_, &picUp_, &picDown_, &picDsbld_};
    for (int index = 0; index < 4 && index < list->Count(); ++index) {
        ui::Bitmap image;
        list->GetBitmap(index, image);
        targets[index]->Assign(&image);
    }
}

void TEzRgnBtn::SetPaintMode(TPaintMode value)
{
    if (value == paintMode_)
        return;
    if (paintMode_ == pmCrop)
        RemoveCropRegion();
    paintMode_ = value;
    if (value == pmCrop)
        ApplyCropRegion();
    RepaintNow();
}

void TEzRgnBtn::ApplyCropRegion()
{
    if (paintMode_ != pmCrop || regionApplied_)
        return;
    {
        PaintLock lock(paintLock_);
        HandleNeeded();
        CreateRegionFromBitmap(Handle(), picIdle_);
    }
    regionApplied_ = true;
}

void TEzRgnBtn::RemoveCropRegion()
{
    {
        PaintLock lock(paintLock_);
        if (HandleAllocated())
            ResetWindowRegion(Handle(), picIdle_);
    }
    regionApplied_ = false;
}

void TEzRgnBtn::RepaintNow()
{
    if (!HandleAllocated())
        return;
    // Drawing with a colour key left out needs the background behind it, or the pixels of the
    // picture drawn before would show through.
    if (paintMode_ == pmTransparent && CurrentPicture().HasGraphic()) {
        ui::WindowDC dc(Handle());
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()));
    }
    PaintNow();
}

const ui::Picture& TEzRgnBtn::GetDownPicture() const { return picDown_.HasGraphic() ? picDown_ : GetIdlePicture(); }
const ui::Picture& TEzRgnBtn::GetUpPicture() const { return picUp_.HasGraphic() ? picUp_ : GetIdlePicture(); }
const ui::Picture& TEzRgnBtn::GetIdlePicture() const { return enabled_ ? picIdle_ : GetDisabledPicture(); }
const ui::Picture& TEzRgnBtn::GetDisabledPicture() const { return picDsbld_.HasGraphic() ? picDsbld_ : picIdle_; }

const ui::Picture& TEzRgnBtn::CurrentPicture() const
{
    if (pressed_ && hover_ && enabled_)
        return GetDownPicture();
    if (hover_ && !pressed_ && enabled_)
        return GetUpPicture();
    return GetIdlePicture();
}

void TEzRgnBtn::PaintCurrentPicture(HDC dc)
{
    const ui::Picture& picture = CurrentPicture();
    ui::Bitmap* bitmap = picture.Graphic();
    if (!bitmap)
        return;
    PaintLock lock(paintLock_);
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    if (Width() != width || Height() != height)
        SetBounds(Left(), Top(), width, height);
    const RECT area{0, 0, width, height};
    ui::Canvas canvas(dc);
    if (paintMode_ == pmTransparent) {
        canvas.Brush.Style = ui::BrushStyle::Clear;
        canvas.BrushCopy(area, *bitmap, area, bitmap->Canvas().Pixel(0, 0));
    } else {
        canvas.CopyRect(area, bitmap->Canvas(), area);
    }
}

void TEzRgnBtn::WndProc(ui::Message& message)
{
    switch (message.msg) {
    case ui::CM_MOUSEENTER:
        HandleMouseEnter(message);
        return;
    case ui::CM_MOUSELEAVE:
        HandleMouseLeave(message);
        return;
    case WM_LBUTTONDOWN:
        HandleLButtonDown(message);
        return;
    case WM_LBUTTONUP:
        HandleLButtonUp(message);
        return;
    case WM_LBUTTONDBLCLK:
        HandleLButtonDblClk(message);
        return;
    default:
        ui::CustomControl::WndProc(message);
    }
}

void TEzRgnBtn::HandleMouseEnter(ui::Message& message)
{
    ui::CustomControl::WndProc(message);
    if (hover_)
        return;
    hover_ = true;
    RepaintNow();
    if (OnMouseEnterMsg)
        OnMouseEnterMsg(message);
    UpdateRepeatTimer();
}

void TEzRgnBtn::HandleMouseLeave(ui::Message& message)
{
    ui::CustomControl::WndProc(message);
    hover_ = false;
    RepaintNow();
    if (OnMouseLeaveMsg)
        OnMouseLeaveMsg(message);
    UpdateRepeatTimer();
}

void TEzRgnBtn::HandleLButtonDown(ui::Message& message)
{
    // Captures the mouse and marks the start of a click.
    ui::CustomControl::WndProc(message);
    pressed_ = true;
    RepaintNow();
    if (OnMouseDownMsg)
        OnMouseDownMsg(message);
    UpdateRepeatTimer();
}

void TEzRgnBtn::HandleLButtonUp(ui::Message& message)
{
    // Releases the capture and clicks when the press started here and the release lies inside.
    ui::CustomControl::WndProc(message);
    pressed_ = false;
    RepaintNow();
    if (OnMouseUpMsg)
        OnMouseUpMsg(message);
    UpdateRepeatTimer();
}

void TEzRgnBtn::HandleLButtonDblClk(ui::Message&)
{
    // The second press of a double click is no press at all: no capture, no look, no click.
}

void TEzRgnBtn::ClickIfEnabled()
{
    if (enabled_)
        ui::CustomControl::Click();
}

void TEzRgnBtn::UpdateRepeatTimer() { repeatTimer_->SetEnabled(autoRepeat_ && hover_ && pressed_); }

void TEzRgnBtn::RepeatTimerTick() { ClickIfEnabled(); }

} // namespace lumetta
