#pragma once
// The platform's track bar. OnChange runs when the position changes, by the user or by code.
#include "ui/SystemControl.h"

namespace ui {

enum class Orientation { Horizontal, Vertical };
enum class TickStyle { None, Auto, Manual };
enum class TickMark { BottomRight, TopLeft, Both };

struct TrackBarArgs {
    int min = 0;
    int max = 10;
    int position = 0;
    Orientation orientation = Orientation::Horizontal;
    int frequency = 1;
    TickStyle tickStyle = TickStyle::Auto;
    TickMark tickMarks = TickMark::BottomRight;
    int thumbLength = 20;
    int selStart = 0;
    int selEnd = 0;
};

class TrackBar : public SystemControl {
public:
    using Args = TrackBarArgs;

    TrackBar(Component* owner, const ControlArgs& common, const Args& own = {});

    int Min() const { return args_.min; }
    int Max() const { return args_.max; }
    int Position() const { return args_.position; }
    // Kept within Min..Max.
    void SetPosition(int position);
    void SetRange(int min, int max);
    Orientation GetOrientation() const { return args_.orientation; }
    int Frequency() const { return args_.frequency; }
    void SetFrequency(int frequency);
    TickStyle GetTickStyle() const { return args_.tickStyle; }
    int ThumbLength() const { return args_.thumbLength; }
    void SetSelection(int start, int end);

    NotifyEvent OnChange;

    Font* FontProperty() override { return nullptr; }
    bool HandleNotification(Message& message) override;

protected:
    bool HasCaption() const override { return false; }
    // Always a fixed-length thumb and room for a selection, as the controls built on it expect.
    void ApplyWindowStyle(CreateParams& params) override;
    void HandleCreated() override;

private:
    void Changed();
    Args args_;
};

} // namespace ui
