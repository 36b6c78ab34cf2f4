#include "ui/HelperWindow.h"

#include <map>
#include <stdexcept>

#include "ui/Application.h"

namespace ui {

namespace {

constexpr const char* HelperClass = "UiHelperWindow";

std::map<UINT, HelperHandler>& Handlers()
{
    static std::map<UINT, HelperHandler> handlers;
    return handlers;
}

LRESULT CALLBACK HelperProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto found = Handlers().find(msg);
    if (found == Handlers().end())
        return DefWindowProcA(window, msg, wParam, lParam);
    try {
        found->second(wParam, lParam);
    } catch (...) {
        App().HandleException();
    }
    return 0;
}

} // namespace

HWND HelperWindow()
{
    static const HWND window = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = HelperProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = HelperClass;
        RegisterClassExA(&windowClass);
        HWND made = CreateWindowExA(0, HelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                                    nullptr);
        if (!made)
            throw std::runtime_error("Cannot create the helper window");
        return made;
    }();
    return window;
}

void BindHelperMessage(UINT message, HelperHandler handler) { Handlers()[message] = std::move(handler); }

} // namespace ui
