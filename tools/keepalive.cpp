// A hidden process that keeps the Wine prefix's services and desktop warm for a whole test run,
// so each test process starts in a fraction of a second. Its first window brings up the
// desktop process; once that window exists it creates the file named on its command line, so
// the harness starts the tests only then (a test that found no desktop would start one as its
// own child, and ctest would wait for that child until the test times out). It ends on
// WM_CLOSE or when the harness stops the prefix.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "LumettaTestKeepAlive";
    RegisterClassA(&wc);
    CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1,
                    nullptr, nullptr, instance, nullptr);
    if (commandLine && *commandLine) {
        HANDLE ready = CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (ready != INVALID_HANDLE_VALUE)
            CloseHandle(ready);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_CLOSE)
            break;
        DispatchMessageA(&msg);
    }
    return 0;
}
