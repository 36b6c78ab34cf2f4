// Asks a running desktop agent to end, as its Exit command does: WM_CLOSE to its main window.
// Exit code 0 when an agent was found, 1 when none runs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND agent = FindWindowA("TLMTAgentWndClass", "LMTAgentWndClass");
    if (!agent)
        return 1;
    PostMessageA(agent, WM_CLOSE, 0, 0);
    return 0;
}
