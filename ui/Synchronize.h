#pragma once
// The blocking hand-over of a call from a worker thread to the GUI thread. The worker waits
// until the GUI thread has run the call; the GUI thread runs it from whatever message loop it
// is in (the application's, or the modal loop of a menu or dialog), or while it waits in
// WaitWithSynchronize.
#include <windows.h>

#include <functional>

namespace ui {

// Makes the calling thread the GUI thread, the one that runs handed-over calls, and readies
// its message loops for them. The first caller wins; the application does it at start, and so
// does anything that starts a worker that hands calls over. Until then the GUI thread is the
// program's first thread, and handed-over calls run only in CheckSynchronize and
// WaitWithSynchronize.
void InitSynchronize();
bool IsGuiThread();

// Runs `call` on the GUI thread and returns once it has run there, passing on what it threw.
// On the GUI thread itself the call runs at once.
void Synchronize(const std::function<void()>& call);

// Runs the calls handed over so far (GUI thread only); true when there were any.
bool CheckSynchronize();

// Waits for `object` like WaitForSingleObject; on the GUI thread the calls handed over
// meanwhile still run, so a worker handing one over cannot block the wait.
DWORD WaitWithSynchronize(HANDLE object, DWORD timeout);

} // namespace ui
