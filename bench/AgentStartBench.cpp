// The agent's start with many large photos, driven from outside as a user's login would start it
// (bench/agent-start-bench runs it).
//   AgentStartBench photos FOLDER COUNT
//       makes photo-01.jpg ... in FOLDER: 6000 x 4000 (24 megapixel), each with its own pattern
//   AgentStartBench start AGENT FOLDER COUNT WORKERS
//       stores one set per photo, starts AGENT (WORKERS > 0 caps the agent's render workers),
//       waits until all windows show, and prints "ms MILLISECONDS" and "peak BYTES" (its peak
//       working set); then ends the agent. The product's registry key is the caller's to keep.
//   AgentStartBench decode PHOTO
//       the yardstick: the platform's bare decode of PHOTO (every pixel read once through
//       LockBits) in this fresh process; prints "ms MILLISECONDS" and "peak BYTES"
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "agent/AgentMain.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/GdiPlus.h"

using namespace lumetta;

namespace {

std::string PhotoPath(const std::string& folder, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "photo-%02d.jpg", index);
    return folder + name;
}

// The photos not made yet, a few at a time; a photo that cannot be written ends the program.
void MakePhotos(const std::string& folder, int count)
{
    std::atomic<int> next{1};
    std::vector<std::jthread> makers;
    for (unsigned t = 0; t < std::max(1u, std::thread::hardware_concurrency() / 2); ++t) {
        makers.emplace_back([&] {
            for (int i = next++; i <= count; i = next++) {
                const std::string path = PhotoPath(folder, i);
                if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
                    bench::MakePhoto(path, static_cast<unsigned>(i));
            }
        });
    }
}

void StoreSets(const std::string& installDir, const std::string& folder, int count)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, PhotoSetsKey);
    WriteRegString(HKEY_CURRENT_USER, AppRegistryKey, "InstallDir", installDir, REG_SZ, true);
    for (int i = 1; i <= count; ++i) {
        char id[48];
        std::snprintf(id, sizeof id, "{B0000000-0000-4000-8000-0000000000%02d}", i);
        const std::string key = PhotoSetKey(id);
        WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::PhotoFile, PhotoPath(folder, i), REG_SZ, true);
        WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::Frame, DefaultFrameName, REG_SZ, true);
        WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipX, 0.1);
        WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipY, 0.1);
        WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipW, 0.8);
        WriteRegNumber(HKEY_CURRENT_USER, key, PhotoSetValue::ClipH, 0.8);
        WriteRegString(HKEY_CURRENT_USER, key, PhotoSetValue::PhotoNotes, "Summer by the lake", REG_SZ, true);
        WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::X, ((i - 1) % 6) * 150);
        WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::Y, ((i - 1) / 6) * 150);
        WriteRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::Transparency, 100);
    }
}

struct Windows {
    DWORD process;
    int frames = 0;
    HWND main = nullptr;
};

Windows WindowsOf(DWORD process)
{
    Windows found{process};
    EnumWindows([](HWND window, LPARAM data) -> BOOL {
        auto* w = reinterpret_cast<Windows*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != w->process)
            return TRUE;
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "TLMTWndClass") == 0 && IsWindowVisible(window))
            ++w->frames;
        else if (lstrcmpA(name, AgentWindowClass) == 0)
            w->main = window;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

int TimeStart(const std::string& agent, const std::string& folder, int count, int workers)
{
    const std::string installDir = agent.substr(0, agent.find_last_of('\\') + 1);
    StoreSets(installDir, folder, count);
    SetEnvironmentVariableA(StartWorkersVariable, workers > 0 ? std::to_string(workers).c_str() : nullptr);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + agent + "\"";
    const double start = bench::NowMs();
    if (!CreateProcessA(agent.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", agent.c_str());
        return 1;
    }
    double elapsed = -1;
    for (;;) {
        if (WindowsOf(process.dwProcessId).frames >= count) {
            elapsed = bench::NowMs() - start;
            break;
        }
        // Looking costs the agent's Wine server calls too: not more often than this.
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0 || bench::NowMs() - start > 600000)
            break;
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);

    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) {
        if (HWND main = WindowsOf(process.dwProcessId).main)
            PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (elapsed < 0) {
        std::fprintf(stderr, "the agent did not show %d windows (another agent running?)\n", count);
        return 1;
    }
    std::printf("ms %.0f\npeak %llu\n", elapsed, static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    return 0;
}

// What no program can go below without a decoder of its own.
int TimeBareDecode(const std::string& photo)
{
    const std::wstring wide = ui::WideFromAnsi(photo);
    const double start = bench::NowMs();
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromFile(wide.c_str(), &bitmap) != Gdiplus::Ok) {
        std::fprintf(stderr, "cannot decode %s\n", photo.c_str());
        return 1;
    }
    UINT width = 0, height = 0;
    Gdiplus::DllExports::GdipGetImageWidth(bitmap, &width);
    Gdiplus::DllExports::GdipGetImageHeight(bitmap, &height);
    Gdiplus::PixelFormat format = 0;
    Gdiplus::DllExports::GdipGetImagePixelFormat(bitmap, &format);
    const Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data{};
    unsigned sum = 0;
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, format, &data) == Gdiplus::Ok) {
        const std::size_t rowBytes = static_cast<std::size_t>(width) * Gdiplus::GetPixelFormatSize(format) / 8;
        for (UINT y = 0; y < height; ++y) {
            const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
            for (std::size_t i = 0; i < rowBytes; ++i)
                sum += row[i];
        }
        Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &data);
    }
    const double elapsed = bench::NowMs() - start;
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("ms %.0f\npeak %llu\nsum %u\n", elapsed, static_cast<unsigned long long>(memory.PeakWorkingSetSize), sum);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const auto folderArg = [](std::string folder) { return folder.back() == '\\' ? folder : folder + '\\'; };
    if (mode == "photos" && argc == 4) {
        MakePhotos(folderArg(argv[2]), std::atoi(argv[3]));
        return 0;
    }
    if (mode == "start" && argc == 6)
        return TimeStart(argv[2], folderArg(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (mode == "decode" && argc == 3)
        return TimeBareDecode(argv[2]);
    std::fprintf(stderr, "usage: AgentStartBench photos FOLDER COUNT | start AGENT FOLDER COUNT WORKERS | decode PHOTO\n");
    return 2;
}
