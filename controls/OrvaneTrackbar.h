#pragma once
// The editor's slider: the platform's track bar without a selection range, so its channel never
// shows a highlighted stretch or selection markers, whatever selection it holds.
#include "ui/TrackBar.h"

namespace lumetta {

class TOrvaneTrackbar : public ui::TrackBar {
public:
    using ui::TrackBar::TrackBar;

protected:
    void ApplyWindowStyle(ui::CreateParams& params) override;
};

} // namespace lumetta
