#include "shared/GlobalFunc.h"

#include <objbase.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/Application.h"
#include "ui/Screen.h"

namespace lumetta {

namespace {

// The manifest declares every Windows version it knows, so the version reported is the real one.
DWORD RealWindowsMajorVersion()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) ? info.dwMajorVersion : 0;
}

HMODULE RealLoadLibrary(const char* name) { return ::LoadLibraryA(name); }
FARPROC RealGetProcAddress(HMODULE module, const char* name) { return ::GetProcAddress(module, name); }
void RealFreeLibrary(HMODULE module) { ::FreeLibrary(module); }
HRESULT RealCreateGuid(GUID* guid) { return ::CoCreateGuid(guid); }

// A library looked up at run time, freed through the same calls that loaded it.
class RuntimeLibrary {
public:
    explicit RuntimeLibrary(const char* name) : module_(System().loadLibrary(name)) {}
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;
    ~RuntimeLibrary()
    {
        if (module_)
            System().freeLibrary(module_);
    }
    explicit operator bool() const { return module_ != nullptr; }
    template <typename Function>
    Function Find(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(System().getProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

using DwmIsCompositionEnabledFunction = HRESULT(WINAPI*)(BOOL* enabled);
using TaskDialogFunction = HRESULT(WINAPI*)(HWND owner, HINSTANCE instance, PCWSTR windowTitle,
                                            PCWSTR mainInstruction, PCWSTR content,
                                            TASKDIALOG_COMMON_BUTTON_FLAGS buttons, PCWSTR icon, int* button);

std::uint32_t ClockSeed()
{
    return static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

constexpr const char* DwmRegistryKey = "Software\\Microsoft\\Windows\\DWM";

// Seeded from the clock at first use as well, for code that runs before start-up; the thread id
// keeps two workers that start in the same clock tick apart.
std::mt19937& Generator()
{
    thread_local std::mt19937 generator(ClockSeed() ^ static_cast<std::uint32_t>(GetCurrentThreadId() * 2654435761u));
    return generator;
}

// The colorization colour while desktop composition is on, else AccentColorUnset.
COLORREF DesktopAccentColor()
{
    if (System().windowsMajorVersion() < 6)
        return AccentColorUnset;
    const RuntimeLibrary dwm("dwmapi.dll");
    if (!dwm)
        return AccentColorUnset;
    const auto isCompositionEnabled = dwm.Find<DwmIsCompositionEnabledFunction>("DwmIsCompositionEnabled");
    if (!isCompositionEnabled)
        return AccentColorUnset;
    BOOL enabled = FALSE;
    isCompositionEnabled(&enabled);
    if (!enabled)
        return AccentColorUnset;
    std::int32_t argb = 0;
    if (ReadRegInteger(HKEY_CURRENT_USER, DwmRegistryKey, "ColorizationColor", argb) != ERROR_SUCCESS)
        return AccentColorUnset;
    const auto value = static_cast<std::uint32_t>(argb);
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

// One text for the task dialog: cut to the limit in its ANSI form, then made UTF-16.
std::array<wchar_t, TaskDialogTextLimit + 1> TaskDialogText(const char* text)
{
    std::array<char, TaskDialogTextLimit + 1> ansi{};
    if (text)
        std::strncpy(ansi.data(), text, TaskDialogTextLimit);
    std::array<wchar_t, TaskDialogTextLimit + 1> wide{};
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), -1, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

} // namespace

std::string ModuleFolder(HMODULE module)
{
    const std::string path = ui::ModuleFileName(module);
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ProgramFolder() { return ModuleFolder(nullptr); }

SystemCalls& System()
{
    static SystemCalls calls{RealWindowsMajorVersion, RealLoadLibrary, RealGetProcAddress, RealFreeLibrary,
                             RealCreateGuid};
    return calls;
}

void InitSharedGlobals()
{
    ui::Screen::Instance().SetCursors(crHand, LoadCursor(nullptr, IDC_HAND));

    ReadRegString(HKEY_CURRENT_USER, AppRegistryKey, "InstallDir", InstallDir);
    if (InstallDir.empty())
        InstallDir = ProgramFolder();
    FramesetDir = InstallDir + FramesetFolderName;

    Generator().seed(ClockSeed());

    AccentColor = AccentLightColor = AccentColorUnset;
    if (const COLORREF desktop = DesktopAccentColor(); desktop != AccentColorUnset) {
        AccentColor = desktop;
        AccentLightColor = LightenColor(AccentColor, AccentLightenPercent);
    }
    if (AccentColor == AccentColorUnset && AccentLightColor == AccentColorUnset) {
        AccentColor = GetSysColor(COLOR_ACTIVECAPTION);
        AccentLightColor = LightenColor(AccentColor, AccentLightenPercent);
    }
}

void BeginBusyCursor() { ui::Screen::Instance().SetCursor(ui::crHourGlass); }

void EndBusyCursor() { ui::Screen::Instance().SetCursor(ui::crDefault); }

std::string NewPhotoSetId()
{
    GUID guid{};
    if (SUCCEEDED(System().createGuid(&guid))) {
        wchar_t text[39] = {};
        if (StringFromGUID2(guid, text, 39) == 39)
            return std::string(text, text + 38); // braces, hex digits and hyphens: all ASCII
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(Random(2147483647)));
    return digits;
}

std::string XorText(std::string_view text, std::uint8_t key)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ key);
    return result;
}

TASKDIALOG_COMMON_BUTTON_FLAGS TaskDialogButtons(UINT flags)
{
    switch (flags & 0x0F) {
    case MB_OK: return TDCBF_OK_BUTTON;
    case MB_OKCANCEL: return TDCBF_OK_BUTTON | TDCBF_CANCEL_BUTTON;
    case MB_YESNOCANCEL: return TDCBF_YES_BUTTON | TDCBF_NO_BUTTON | TDCBF_CANCEL_BUTTON;
    case MB_YESNO: return TDCBF_YES_BUTTON | TDCBF_NO_BUTTON;
    case MB_RETRYCANCEL: return TDCBF_RETRY_BUTTON | TDCBF_CANCEL_BUTTON;
    default: return 0; // abort/retry/ignore and the rest have no common buttons
    }
}

PCWSTR TaskDialogIcon(UINT flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return TD_ERROR_ICON;
    case MB_ICONWARNING: return TD_WARNING_ICON;
    case MB_ICONINFORMATION: return TD_INFORMATION_ICON;
    default: return nullptr; // the question mark has no task-dialog icon
    }
}

int ShowTaskDialog(HWND owner, const char* instruction, const char* caption, const char* content, UINT flags)
{
    if (System().windowsMajorVersion() < 6) {
        const std::string text = std::string(instruction ? instruction : "") + "\r\n\r\n" + (content ? content : "");
        return MessageBoxA(owner, text.c_str(), caption, flags);
    }
    const RuntimeLibrary comctl("comctl32.dll");
    if (!comctl)
        return 0;
    const auto taskDialog = comctl.Find<TaskDialogFunction>("TaskDialog");
    if (!taskDialog)
        return 0;
    const auto wideCaption = TaskDialogText(caption);
    const auto wideInstruction = TaskDialogText(instruction);
    const auto wideContent = TaskDialogText(content);
    int pressed = 0;
    if (FAILED(taskDialog(owner, nullptr, wideCaption.data(), wideInstruction.data(), wideContent.data(),
                          TaskDialogButtons(flags), TaskDialogIcon(flags), &pressed)))
        return 0;
    return pressed;
}

std::string GetPhotoTitle(const std::string& /*fileName*/) { return {}; }

std::uint32_t Random(std::uint32_t range)
{
    if (range == 0)
        return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, range - 1)(Generator());
}

} // namespace lumetta
