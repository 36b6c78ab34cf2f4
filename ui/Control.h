#pragma once
// Controls: anything with a place on a window. Windowless ones (labels, shapes, images, paint
// boxes) are drawn and fed the mouse by their parent window; windowed ones derive from Window.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ui/Color.h"
#include "ui/Component.h"
#include "ui/Font.h"
#include "ui/Screen.h"

namespace ui {

class Window;
class Form;
class PopupMenu;

// A control's place in its parent's client area, as the layouts give it.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Align { None, Client };
enum class MouseButton { Left, Right, Middle };

enum Shift : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using ShiftState = unsigned;

using MouseEvent = std::function<void(Control& sender, MouseButton button, ShiftState shift, int x, int y)>;
using MouseMoveEvent = std::function<void(Control& sender, ShiftState shift, int x, int y)>;
using KeyEvent = std::function<void(Control& sender, WORD& key, ShiftState shift)>;
using KeyPressEvent = std::function<void(Control& sender, char& key)>;


// What every control's layout entry gives.
struct ControlArgs {
    std::string name;
    Window* parent = nullptr; // null: the owner, which must then be a window
    Rect bounds;
    std::string caption;
    int tag = 0;
    bool visible = true;
    bool enabled = true;
    CursorId cursor = crDefault;
    std::string hint;
    bool showHint = false;
    std::optional<FontArgs> font; // unset: the parent's font
    std::optional<Color> color;   // unset: the parent's colour
    PopupMenu* popupMenu = nullptr;
    Align align = Align::None;
    int tabOrder = -1;           // -1: after the windowed controls made before it
    std::optional<bool> tabStop; // unset: the control's own default
};

class Control : public Component {
public:
    // A top-level control (a form) is owned but placed on no window.
    Control(Component* owner, const ControlArgs& args, bool topLevel = false);
    ~Control() override;

    Window* Parent() const { return parent_; }
    // Moves the control onto another window (null: onto none).
    virtual void SetParent(Window* parent);
    // The form this control lies on (itself for a form), or null.
    Form* ParentForm() const;

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    Rect Bounds() const { return bounds_; }
    void SetLeft(int left) { SetBounds(left, bounds_.top, bounds_.width, bounds_.height); }
    void SetTop(int top) { SetBounds(bounds_.left, top, bounds_.width, bounds_.height); }
    void SetWidth(int width) { SetBounds(bounds_.left, bounds_.top, width, bounds_.height); }
    void SetHeight(int height) { SetBounds(bounds_.left, bounds_.top, bounds_.width, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    // The client rectangle in the control's own coordinates.
    virtual RECT ClientRect() const { return RECT{0, 0, bounds_.width, bounds_.height}; }
    Align GetAlign() const { return align_; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    // Asks the parent to show the control (a page container makes it its active page), then
    // makes it visible.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible itself and on every parent up to a shown window.
    bool Showing() const;
    // A control may keep its own flag (a picture button that stays enabled for the mouse):
    // both halves are overridden together.
    virtual bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& caption);

    Font& GetFont() { return font_; }
    const Font& GetFont() const { return font_; }
    Color GetColor() const { return color_; }
    void SetColor(Color color);

    CursorId Cursor() const { return cursor_; }
    // Shown over the control (unless a screen cursor is set); at once when the mouse is there.
    void SetCursor(CursorId cursor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;

    // Asks for a redraw of the whole control.
    virtual void Invalidate();
    // Redraws now.
    virtual void Update();

    // Runs the click: OnClick when assigned. Overridden by controls that filter clicks.
    virtual void Click();
    // Enter or Esc that no control used: a push button takes the one it is the default or the
    // cancel button for.
    virtual bool AnswersDialogKey(WORD key) const { return false; }

    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseMoveEvent OnMouseMove;
    MouseEvent OnMouseUp;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;

    Font* FontProperty() override { return &font_; }
    bool HasTextProperty(TextProperty property) const override { return property == TextProperty::Caption && HasCaption(); }
    void SetTextProperty(TextProperty property, const std::string& text) override;

    // The mouse as the window base delivers it, in the control's client coordinates. Controls
    // override these for their own behaviour and call the base, which fires the events.
    virtual void MouseDown(MouseButton button, ShiftState shift, int x, int y);
    virtual void MouseMove(ShiftState shift, int x, int y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int x, int y);
    virtual void DblClick();
    // The mouse came onto or left the control (the application's hover tracking); the base
    // fires the events.
    virtual void MouseEnter();
    virtual void MouseLeave();

    // A windowless control's drawing, on its parent's device context with the origin moved to
    // the control's top-left corner and clipped to it.
    virtual void Paint(HDC dc) {}

protected:
    // Controls that publish no Caption (memos, images, track bars...) say so.
    virtual bool HasCaption() const { return true; }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    virtual void CaptionChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    // Clicks from the left button's press and release inside the control.
    bool clickPressed_ = false;

    friend class Window;
    Window* parent_;
    Rect bounds_;

private:
    bool visible_;
    bool enabled_;
    std::string caption_;
    Font font_;
    Color color_;
    CursorId cursor_;
    std::string hint_;
    bool showHint_;
    PopupMenu* popupMenu_;
    Align align_;
};

// A windowless control: drawn by its parent in creation order, above the parent's own drawing.
class GraphicControl : public Control {
public:
    GraphicControl(Component* owner, const ControlArgs& args) : Control(owner, args) {}
    void Invalidate() override;
    void Update() override;
};

} // namespace ui
