#pragma once
// Start-up and the small services both programs share: busy cursor, photo-set ids, the
// process-wide random numbers, the scrambling routine and the message dialog.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetta {

// Fills the globals of GlobalConsts and screen cursor 1, seeds the random numbers. Called once
// per program, first thing when its main window is created.
void InitSharedGlobals();

// The folder of a loaded module's file (of the running program's for ProgramFolder), with its
// trailing backslash, whatever the length of its path; empty when it cannot be found.
std::string ModuleFolder(HMODULE module);
std::string ProgramFolder();

// The hourglass over the whole program, and back to normal; no nesting count.
void BeginBusyCursor();
void EndBusyCursor();

// The hourglass for the life of a block, also when it is left by an error.
class BusyCursorScope {
public:
    BusyCursorScope() { BeginBusyCursor(); }
    ~BusyCursorScope() { EndBusyCursor(); }
    BusyCursorScope(const BusyCursorScope&) = delete;
    BusyCursorScope& operator=(const BusyCursorScope&) = delete;
};

// A braced upper-case GUID (38 characters), or 8 upper-case hex digits of a random number
// when no GUID can be made.
std::string NewPhotoSetId();

// Each byte of `text` XOR `key`; applying it twice gives the text back.
std::string XorText(std::string_view text, std::uint8_t key);

// A question or message: a message box before Windows 6, the task dialog from 6 on.
// Any text may be null. `flags` are MessageBox flags. Returns the pressed button's id, or 0
// when no dialog could be shown (every caller takes that as a refusal).
int ShowTaskDialog(HWND owner, const char* instruction, const char* caption, const char* content, UINT flags);

// The default note text of a newly chosen photo.
std::string GetPhotoTitle(const std::string& fileName);

// A uniform number from 0 to range - 1 (0 when range is 0), from the calling thread's own
// generator: the GUI thread's is the one InitSharedGlobals seeds; a worker's (colour noise of a
// set rendered at start) is seeded from the clock and its thread id when it first draws.
std::uint32_t Random(std::uint32_t range);

// How ShowTaskDialog maps MessageBox flags onto the task dialog.
inline constexpr std::size_t TaskDialogTextLimit = 512;
TASKDIALOG_COMMON_BUTTON_FLAGS TaskDialogButtons(UINT flags);
PCWSTR TaskDialogIcon(UINT flags);

// The system calls behind start-up, ids and the dialog, so that tests can stand in for the
// Windows version, the libraries looked up at run time and the GUID source.
struct SystemCalls {
    DWORD (*windowsMajorVersion)();
    HMODULE (*loadLibrary)(const char* name);
    FARPROC (*getProcAddress)(HMODULE module, const char* name);
    void (*freeLibrary)(HMODULE module);
    HRESULT (*createGuid)(GUID* guid);
};
// The calls in use; tests replace entries and put them back.
SystemCalls& System();

} // namespace lumetta
