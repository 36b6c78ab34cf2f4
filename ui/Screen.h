#pragma once
// The application-wide cursor state: numbered cursor slots and the screen cursor that, while
// set, shows over every window of the program in place of the windows' own cursors.
// Used on the GUI thread only.
#include <windows.h>

#include <map>

namespace ui {

// A cursor number: positive numbers are slots the program fills, zero and the negative numbers
// are the standard cursors.
using CursorId = int;

inline constexpr CursorId crDefault = 0; // the window's own cursor (the arrow when asked for a handle)
inline constexpr CursorId crNone = -1;   // no cursor at all
inline constexpr CursorId crArrow = -2;
inline constexpr CursorId crCross = -3;
inline constexpr CursorId crIBeam = -4;
inline constexpr CursorId crSizeNESW = -6;
inline constexpr CursorId crSizeNS = -7;
inline constexpr CursorId crSizeNWSE = -8;
inline constexpr CursorId crSizeWE = -9;
inline constexpr CursorId crUpArrow = -10;
inline constexpr CursorId crHourGlass = -11;
inline constexpr CursorId crNo = -18;
inline constexpr CursorId crAppStart = -19;
inline constexpr CursorId crHelp = -20;
inline constexpr CursorId crHandPoint = -21;
inline constexpr CursorId crSizeAll = -22;

class Screen {
public:
    // The one screen of the program.
    static Screen& Instance();

    // The cursor a number stands for: the handle in a slot, or the system cursor of a standard
    // number. An empty slot and an unknown number give the arrow; crNone gives no cursor.
    HCURSOR Cursors(CursorId id) const;
    // Fills slot `id` (positive numbers only). The slot does not own the handle: the cursors put
    // here come from LoadCursor and live as long as their module.
    void SetCursors(CursorId id, HCURSOR cursor);

    CursorId Cursor() const { return cursor_; }
    // Shows the cursor at once. Back at crDefault, the window under the mouse (when it is ours)
    // is asked to show its own cursor again.
    void SetCursor(CursorId id);

    // For a window's WM_SETCURSOR over its client area: shows the screen cursor while one is
    // set, else the window's own when that is not crDefault. False: nothing was set and the
    // window should let the system choose (its class cursor).
    bool ShowCursorFor(CursorId own) const;

private:
    std::map<CursorId, HCURSOR> slots_;
    CursorId cursor_ = crDefault;
};

} // namespace ui
