#pragma once
// The program's one hidden message-only window: what the layer receives outside any control's
// window (timer ticks, calls handed over from worker threads) arrives here, each message number
// at its own handler.
#include <windows.h>

#include <functional>

namespace ui {

using HelperHandler = std::function<void(WPARAM wParam, LPARAM lParam)>;

// The window, made on first use by the thread that asks first: the GUI thread.
HWND HelperWindow();
// Sends one message number to a handler from now on; binding again replaces it. GUI thread only.
void BindHelperMessage(UINT message, HelperHandler handler);

} // namespace ui
