#include "AgentTestSupport.h"

#include <tlhelp32.h>
#include <winternl.h>

#include <filesystem>

#include "FramedPhotoTestSupport.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"

namespace lumetta::test {

AgentStage::AgentStage() : product_(HKEY_CURRENT_USER, AppRegistryKey)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, PhotoSetsKey);
    WriteRegString(HKEY_CURRENT_USER, AppRegistryKey, "InstallDir", install_.Dir(), REG_SZ, true);
    std::filesystem::create_directory(install_.Path() / "Frameset");
    const int border = 20;
    AddFrame(DefaultFrameName, StageFrameSide, StageFrameSide,
             THoldRect{border, border, StageFrameSide - border, StageFrameSide - border});
}

void AgentStage::AddFrame(const std::string& name, int width, int height, const THoldRect& imageHold) const
{
    const int border = 20;
    const ui::GpBitmapPtr image = MakePicture(width, height, 0xFF6B4226,
                                              {Patch{border, border, width - 2 * border, height - 2 * border, 0}});
    const std::string folder = Dir() + "Frameset\\";
    SavePng(*image, folder + name + ".png");
    const auto hold = [](const char* section, const THoldRect& r) {
        std::string text;
        text.append("[").append(section).append("]\r\n");
        text.append("Left=").append(std::to_string(r.Left)).append("\r\n");
        text.append("Top=").append(std::to_string(r.Top)).append("\r\n");
        text.append("Right=").append(std::to_string(r.Right)).append("\r\n");
        text.append("Bottom=").append(std::to_string(r.Bottom)).append("\r\n");
        return text;
    };
    install_.Write("Frameset\\" + name, "[FrameInfo]\r\nFilename=" + name + ".png\r\nOrientation=landscape\r\n" +
                                            hold("ImageHold", imageHold) + hold("TextHold", imageHold));
}

void AgentStage::Store(const std::string& id, std::initializer_list<std::pair<const char*, std::int32_t>> values) const
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, PhotoSetKey(id).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
    for (const auto& [name, value] : values)
        WriteRegInteger(HKEY_CURRENT_USER, PhotoSetKey(id), name, value);
}

void AgentStage::StoreText(const std::string& id, const char* name, const std::string& text) const
{
    WriteRegString(HKEY_CURRENT_USER, PhotoSetKey(id), name, text, REG_SZ, true);
}

std::int32_t AgentStage::Read(const std::string& id, const char* name) const
{
    std::int32_t value = 0;
    ReadRegInteger(HKEY_CURRENT_USER, PhotoSetKey(id), name, value);
    return value;
}

bool AgentStage::Has(const std::string& id, const char* name) const
{
    std::int32_t value = 0;
    return ReadRegInteger(HKEY_CURRENT_USER, PhotoSetKey(id), name, value) == ERROR_SUCCESS;
}

bool AgentStage::SetExists(const std::string& id) const
{
    return KeyExists(HKEY_CURRENT_USER, PhotoSetKey(id));
}

RECT SeenOnScreen(const ui::LayeredForm& form)
{
    RECT seen = form.LayerSeenArea();
    OffsetRect(&seen, form.Left(), form.Top());
    return seen;
}

} // namespace lumetta::test

namespace lumetta::test {

ImportPatch::ImportPatch(const char* module, const char* function, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0 && !slot_; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), module) != 0)
            continue;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
            base + (entry->OriginalFirstThunk ? entry->OriginalFirstThunk : entry->FirstThunk));
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* named = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(named->Name), function) == 0) {
                slot_ = reinterpret_cast<void**>(&slots->u1.Function);
                break;
            }
        }
    }
    if (!slot_)
        return;
    original_ = *slot_;
    Write(replacement);
}

ImportPatch::~ImportPatch()
{
    if (slot_)
        Write(original_);
}

void ImportPatch::Write(void* value) const
{
    DWORD protection = 0;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
    *slot_ = value;
    VirtualProtect(slot_, sizeof *slot_, protection, &protection);
}

namespace {
std::mutex debugOutputLock;
std::string debugOutput;
} // namespace

DebugOutputCapture::DebugOutputCapture() : handler_(AddVectoredExceptionHandler(1, Handler))
{
    const std::lock_guard lock(debugOutputLock);
    debugOutput.clear();
}

DebugOutputCapture::~DebugOutputCapture()
{
    RemoveVectoredExceptionHandler(handler_);
}

std::string DebugOutputCapture::Text() const
{
    const std::lock_guard lock(debugOutputLock);
    return debugOutput;
}

LONG CALLBACK DebugOutputCapture::Handler(EXCEPTION_POINTERS* exception)
{
    // OutputDebugStringA raises this with the text's length (with its zero) and address.
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2 &&
        record.ExceptionInformation[0] > 0) {
        const std::lock_guard lock(debugOutputLock);
        debugOutput.append(reinterpret_cast<const char*>(record.ExceptionInformation[1]),
                           record.ExceptionInformation[0] - 1);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

int ThreadCount()
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    int count = 0;
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = Thread32First(snapshot, &thread); more; more = Thread32Next(snapshot, &thread))
        count += thread.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

namespace {

// An entry of the GDI handle table that the process environment block points to (64-bit layout).
struct GdiHandleEntry {
    ULONG64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONG64 user;
};
constexpr std::size_t GdiHandleTableOffset = 0xF8; // in the 64-bit process environment block
constexpr int GdiHandleCount = 0x10000;

DWORD GdiTableEntries()
{
    using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return 0;
    const auto* environment = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(environment + GdiHandleTableOffset);
    DWORD count = 0;
    for (int i = 0; table && i < GdiHandleCount; ++i)
        count += table[i].type != 0;
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

DWORD WindowsOfProcess()
{
    DWORD count = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr))
        CountWindow(window, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

GuiObjects CountGuiObjects()
{
    GuiObjects objects{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                       GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    if (objects.gdi == 0)
        objects.gdi = GdiTableEntries();
    if (objects.user == 0)
        objects.user = WindowsOfProcess();
    return objects;
}

} // namespace lumetta::test
