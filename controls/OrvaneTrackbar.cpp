#include "controls/OrvaneTrackbar.h"

#include <commctrl.h>

namespace lumetta {

void TOrvaneTrackbar::ApplyWindowStyle(ui::CreateParams& params)
{
    ui::TrackBar::ApplyWindowStyle(params);
    params.style &= ~static_cast<DWORD>(TBS_ENABLESELRANGE);
}

} // namespace lumetta
