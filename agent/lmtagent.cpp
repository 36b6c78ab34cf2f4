// The desktop agent: shows the stored photo sets as framed pictures on the desktop.
#include <windows.h>

#include "agent/AgentMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return lumetta::AgentProgramBlock();
}
