// Asks a running editor to end, as closing its window does: WM_CLOSE to its main window.
// Exit code 0 when an editor was found, 1 when none runs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND editor = FindWindowA("TLMTSEditorWndClass", nullptr);
    if (!editor)
        return 1;
    PostMessageA(editor, WM_CLOSE, 0, 0);
    return 0;
}
