#include "AgentPhotoFrameU.h"

namespace lumetta {

BYTE OpacityAlpha(std::int32_t transparency)
{
    if (transparency == 0)
        return 255;
    // Floor division in 64 bits: the product cannot overflow and negative values round down.
    const std::int64_t product = static_cast<std::int64_t>(transparency) * 255;
    std::int64_t alpha = product / 100;
    if (product % 100 != 0 && product < 0)
        --alpha;
    return static_cast<BYTE>(alpha & 0xFF);
}

std::int32_t OpacityOfItem(int index)
{
    return 100 - 10 * index;
}

int OpacityItemIndex(std::int32_t transparency)
{
    if (transparency < 1 || transparency > 100)
        return 0;
    return (100 - transparency) / 10;
}

namespace {
BYTE FadeStep(BYTE resting)
{
    return static_cast<BYTE>((255 - resting) / 6);
}
} // namespace

FadeAlphas FadeInAlphas(std::int32_t transparency)
{
    const BYTE resting = OpacityAlpha(transparency);
    const BYTE step = FadeStep(resting);
    FadeAlphas alphas{};
    for (int i = 1; i <= 5; ++i)
        alphas[i - 1] = static_cast<BYTE>(resting + step * i);
    alphas[5] = 255;
    return alphas;
}

FadeAlphas FadeOutAlphas(std::int32_t transparency)
{
    const BYTE resting = OpacityAlpha(transparency);
    const BYTE step = FadeStep(resting);
    FadeAlphas alphas{};
    for (int i = 1; i <= 5; ++i)
        alphas[i - 1] = static_cast<BYTE>(255 - step * i);
    alphas[5] = resting;
    return alphas;
}

POINT DraggedPosition(POINT window, POINT mouse, POINT origin)
{
    return POINT{window.x + mouse.x - origin.x, window.y + mouse.y - origin.y};
}

} // namespace lumetta
