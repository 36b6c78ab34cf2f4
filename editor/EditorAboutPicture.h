#pragma once
// The About page's picture: the sample photo framed by the program's own renderer, drawn twice,
// tilted -4 and +4 degrees, with a translucent wash of the window colour between the two so that
// the first drawing shows faded under the second.
#include <windows.h>

#include <memory>
#include <string>

#include "shared/GlobalFramedPhoto.h"
#include "ui/Bitmap.h"

namespace lumetta {

// The About image's size.
inline constexpr int AboutPictureSide = 473;

// The wash laid between the two drawings: the window colour at this alpha.
inline constexpr std::uint8_t AboutWashAlpha = 111;

// The fixed settings of the sample: white bold italic 14 Arial, centred in the photo area, zoom
// 1.4, brightness -30, and a note of the product name, message41 and two lines about the maker.
TFramedEffects AboutPictureEffects(const std::string& photoFile, const std::string& message41);

// A new 24-bit width x height picture in windowColor with the framed sample ("example.jpg"
// with "frame2.ini" of the frame folder, message 41 of the language) drawn on it as above.
// A missing sample shows the renderer's cannot-show picture instead, drawn the same way.
std::unique_ptr<ui::Bitmap> MakeAboutPicture(COLORREF windowColor, int width = AboutPictureSide,
                                             int height = AboutPictureSide);

} // namespace lumetta
