// Asks a running desktop agent to end, as its Exit command does: WM_CLOSE to its main window.
// With "--query" it only tells whether one runs. Exit code 0 when an agent was found, 1 when
// none runs.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    HWND agent = FindWindowA("TLMTAgentWndClass", "LMTAgentWndClass");
    if (!agent)
        return 1;
    if (std::strcmp(arguments, "--query") != 0)
        PostMessageA(agent, WM_CLOSE, 0, 0);
    return 0;
}
