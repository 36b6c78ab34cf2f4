// Stands in for the editor in the agent's tests: it writes the arguments it was started with
// (everything after the program name) into "editor-args.txt" beside itself, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    std::ofstream(folder + "editor-args.txt", std::ios::binary) << arguments;
    return 0;
}
