// The editor: makes framed photos and places them on the desktop.
#include <windows.h>

#include "editor/EditorMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return lumetta::EditorProgramBlock();
}
