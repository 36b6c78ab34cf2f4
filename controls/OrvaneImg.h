#pragma once
// The editor's tool image: a windowless picture that reports the mouse entering and leaving it,
// through OnMouseEnter and OnMouseLeave with the image as Sender. The layer's hover tracking
// reaches windowless controls and every control carries these two events, so the image needs
// no code of its own.
#include "ui/Image.h"

namespace lumetta {

class TOrvaneImage : public ui::Image {
public:
    using ui::Image::Image;
};

} // namespace lumetta
