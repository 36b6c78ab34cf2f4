#include "ui/Control.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Window.h"

namespace ui {

namespace {

Window* ParentOf(Component* owner, const ControlArgs& args, bool topLevel)
{
    if (topLevel)
        return nullptr;
    if (args.parent)
        return args.parent;
    return dynamic_cast<Window*>(owner);
}

Font InitialFont(const Window* parent, const ControlArgs& args)
{
    if (args.font)
        return Font(*args.font);
    return parent ? parent->GetFont() : Font();
}

} // namespace

Control::Control(Component* owner, const ControlArgs& args, bool topLevel)
    : Component(owner, args.name, args.tag), parent_(nullptr), bounds_(args.bounds), visible_(args.visible),
      enabled_(args.enabled), caption_(args.caption), font_(InitialFont(ParentOf(owner, args, topLevel), args)),
      color_(args.color ? *args.color
                        : (ParentOf(owner, args, topLevel) ? ParentOf(owner, args, topLevel)->GetColor() : clBtnFace)),
      cursor_(args.cursor), hint_(args.hint), showHint_(args.showHint), popupMenu_(args.popupMenu), align_(args.align)
{
    font_.OnChange = [this] { FontChanged(); };
    if (Window* parent = ParentOf(owner, args, topLevel))
        parent->InsertControl(this);
}

Control::~Control()
{
    if (parent_)
        parent_->RemoveControl(this);
    App().ControlDestroyed(this);
}

Form* Control::ParentForm() const
{
    const Control* control = this;
    while (control) {
        if (auto* form = dynamic_cast<const Form*>(control))
            return const_cast<Form*>(form);
        control = control->parent_;
    }
    return nullptr;
}

void Control::SetBounds(int left, int top, int width, int height)
{
    const Rect old = bounds_;
    if (old.left == left && old.top == top && old.width == width && old.height == height)
        return;
    if (parent_ && dynamic_cast<GraphicControl*>(this))
        Invalidate();
    bounds_ = Rect{left, top, width, height};
    BoundsChanged();
    if (dynamic_cast<GraphicControl*>(this))
        Invalidate();
}

void Control::SetParent(Window* parent)
{
    if (parent == parent_)
        return;
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
    if (dynamic_cast<GraphicControl*>(this))
        Invalidate();
}

void Control::Show()
{
    if (parent_)
        parent_->ShowControl(*this);
    SetVisible(true);
}

void Control::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    if (!visible)
        Invalidate();
    visible_ = visible;
    VisibleChanged();
    if (!visible)
        App().ControlHidden(this);
}

void Control::VisibleChanged() { Invalidate(); }

bool Control::Showing() const
{
    for (const Control* control = this; control; control = control->parent_)
        if (!control->visible_)
            return false;
    return true;
}

void Control::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        EnabledChanged();
    }
}

void Control::SetCaption(const std::string& caption)
{
    if (caption != caption_) {
        caption_ = caption;
        CaptionChanged();
    }
}

void Control::SetCursor(CursorId cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (App().MouseControl() == this && !Screen::Instance().ShowCursorFor(cursor_))
        ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

void Control::SetColor(Color color)
{
    if (color != color_) {
        color_ = color;
        ColorChanged();
    }
}

void Control::SetTextProperty(TextProperty property, const std::string& text)
{
    if (property == TextProperty::Caption)
        SetCaption(text);
}

POINT Control::ClientToScreen(POINT point) const
{
    if (auto* window = dynamic_cast<const Window*>(this); window && window->Handle()) {
        ::ClientToScreen(window->Handle(), &point);
        return point;
    }
    if (!parent_)
        return point;
    return parent_->ClientToScreen(POINT{point.x + bounds_.left, point.y + bounds_.top});
}

POINT Control::ScreenToClient(POINT point) const
{
    if (auto* window = dynamic_cast<const Window*>(this); window && window->Handle()) {
        ::ScreenToClient(window->Handle(), &point);
        return point;
    }
    if (!parent_)
        return point;
    const POINT inParent = parent_->ScreenToClient(point);
    return POINT{inParent.x - bounds_.left, inParent.y - bounds_.top};
}

void Control::Invalidate() {}
void Control::Update() {}

void Control::Click()
{
    if (OnClick)
        OnClick(*this);
}

void Control::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left && !(shift & ssDouble))
        clickPressed_ = true;
    if (OnMouseDown)
        OnMouseDown(*this, button, shift, x, y);
}

void Control::MouseMove(ShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(*this, shift, x, y);
}

void Control::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (button == MouseButton::Left && clickPressed_) {
        clickPressed_ = false;
        const RECT client = ClientRect();
        if (x >= client.left && x < client.right && y >= client.top && y < client.bottom)
            Click();
    }
    if (OnMouseUp)
        OnMouseUp(*this, button, shift, x, y);
}

void Control::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(*this);
}

void Control::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(*this);
}

void Control::DblClick()
{
    if (OnDblClick)
        OnDblClick(*this);
}

void GraphicControl::Invalidate()
{
    if (parent_)
        parent_->InvalidateArea(RECT{bounds_.left, bounds_.top, bounds_.left + bounds_.width, bounds_.top + bounds_.height});
}

void GraphicControl::Update()
{
    if (parent_)
        parent_->Update();
}

} // namespace ui
