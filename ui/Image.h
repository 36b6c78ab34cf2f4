#pragma once
// A windowless picture: drawn at its natural size from the top-left corner, or stretched over
// the bounds; transparent leaves out the colour of the picture's bottom-left pixel.
#include "ui/Control.h"
#include "ui/Picture.h"

namespace ui {

struct ImageArgs {
    bool stretch = false;
    bool transparent = false;
};

class Image : public GraphicControl {
public:
    using Args = ImageArgs;

    Image(Component* owner, const ControlArgs& common, const Args& own = {});

    // Drawing on the picture's bitmap, or giving it a new one, redraws the image.
    ui::Picture& Picture() { return picture_; }
    bool Stretch() const { return args_.stretch; }
    bool Transparent() const { return args_.transparent; }

    Font* FontProperty() override { return nullptr; }
    void Paint(HDC dc) override;

protected:
    bool HasCaption() const override { return false; }

private:
    Args args_;
    ui::Picture picture_;
};

} // namespace ui
