#pragma once
// Windowless drawing controls: a rectangle with a pen and a brush, and a box its owner paints.
#include <functional>

#include "ui/Control.h"

namespace ui {

struct ShapeArgs {
    Color brushColor = clWhite;
    bool brushClear = false; // the inside is not filled
    Color penColor = clBlack;
    int penWidth = 1;
};

class Shape : public GraphicControl {
public:
    using Args = ShapeArgs;

    Shape(Component* owner, const ControlArgs& common, const Args& own = {});

    const Args& Style() const { return args_; }
    void SetStyle(const Args& style);
    // The rectangle the outline is drawn on: the pen lies inside the bounds.
    RECT OutlineRect() const;

    Font* FontProperty() override { return nullptr; }
    void Paint(HDC dc) override;

protected:
    bool HasCaption() const override { return false; }

private:
    Args args_;
};

class PaintBox : public GraphicControl {
public:
    PaintBox(Component* owner, const ControlArgs& common) : GraphicControl(owner, common) {}

    // Draws the box on the device context, the origin at its top-left corner.
    std::function<void(PaintBox& sender, HDC dc)> OnPaint;

    void Paint(HDC dc) override
    {
        if (OnPaint)
            OnPaint(*this, dc);
    }

protected:
    bool HasCaption() const override { return false; }
};

} // namespace ui
