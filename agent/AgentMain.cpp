#include "AgentMain.h"

#include <cstdlib>
#include <exception>
#include <vector>

#include "agent/AgentPhotoFrameU.h"
#include "agent/AgentRenderPool.h"
#include "shared/CopyDataCommand.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalGraphics.h"
#include "shared/GlobalPhotoSet.h"
#include "shared/GlobalRegistryAccess.h"
#include "shared/LangUnit.h"
#include "ui/Application.h"
#include "ui/Handles.h"
#include "ui/Screen.h"

namespace lumetta {

std::unique_ptr<ui::StringList> FrameWindows;

namespace {

TLMTWndClass* WindowOf(int entry)
{
    return static_cast<TLMTWndClass*>(FrameWindows->Object(entry));
}

// Registry key names hold at most 255 characters.
constexpr std::size_t MaxKeyNameLength = 255;

// Whether `id` names one stored photo set: an existing sub-key of PhotoSets, never a path. A window
// opened for anything else would create a key of that name with its first setting.
bool PhotoSetStored(const std::string& id)
{
    if (id.empty() || id.size() > MaxKeyNameLength || id.find('\\') != std::string::npos)
        return false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PhotoSetKey(id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// A stored set that is not hidden.
bool PhotoSetShown(const std::string& id)
{
    if (!PhotoSetStored(id))
        return false;
    std::int32_t hidden = 0;
    ReadRegInteger(HKEY_CURRENT_USER, PhotoSetKey(id), PhotoSetValue::Hidden, hidden);
    return hidden != 1;
}

// A frame window taken out of FrameWindows: it stays on the desktop until it goes out of scope,
// and is freed once none of its handlers runs any more.
struct FrameRelease {
    void operator()(TLMTWndClass* window) const { window->Release(); }
};
using UnlistedFrame = std::unique_ptr<TLMTWndClass, FrameRelease>;

UnlistedFrame Unlist(const std::string& id)
{
    const int entry = FrameWindows->IndexOf(id);
    if (entry < 0)
        return nullptr;
    UnlistedFrame window(WindowOf(entry));
    FrameWindows->Delete(entry);
    return window;
}

// A set skipped at start shows no box; this line in the debugger output says which and why.
void ReportSkippedSet(const std::string& id, const char* reason)
{
    OutputDebugStringA(("lmtagent: photo set " + id + " not opened: " + reason + "\n").c_str());
}

// Benchmarks compare the start with fewer workers; nothing else sets this.
unsigned StartWorkerCap()
{
    char text[16] = {};
    const DWORD length = GetEnvironmentVariableA(StartWorkersVariable, text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return 0;
    return static_cast<unsigned>(std::strtoul(text, nullptr, 10));
}

} // namespace

TLMTAgentWndClass::TLMTAgentWndClass(ui::Component* owner)
    : ui::Form(owner, ui::FormArgs{.className = AgentWindowClass,
                                   .caption = AgentWindowTitle,
                                   .clientWidth = 132,
                                   .clientHeight = 63,
                                   .borderStyle = ui::BorderStyle::Single,
                                   .borderIcons = 0,
                                   .font = ui::FontArgs{"MS Sans Serif", -11}})
{
    OnCreate = [this](ui::Component& sender) { FormCreate(sender); };
    OnDestroy = [this](ui::Component& sender) { FormDestroy(sender); };
    BindMessage(WM_COPYDATA, [this](ui::Message& message) { HandleCopyData(message); });
}

void TLMTAgentWndClass::ApplyWindowStyle(ui::CreateParams& params)
{
    ui::Form::ApplyWindowStyle(params);
    params.exStyle &= ~static_cast<DWORD>(WS_EX_TOOLWINDOW | WS_EX_APPWINDOW);
}

void TLMTAgentWndClass::FormCreate(ui::Component&)
{
    InitSharedGlobals();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ui::Screen::Instance().SetCursors(2, LoadCursorA(instance, "CUR_DRAG"));
    ui::Screen::Instance().SetCursors(3, LoadCursorA(instance, "CUR_ENDDRAG"));
    ui::App().SetShowMainForm(false);
    HWND application = ui::App().Handle();
    SetWindowLongA(application, GWL_EXSTYLE, GetWindowLongA(application, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    ShowWindow(application, SW_HIDE);
    LoadMessages();

    ui::StringList ids;
    ListRegSubKeys(HKEY_CURRENT_USER, PhotoSetsKey, &ids);
    FrameWindows = std::make_unique<ui::StringList>();
    OpenStoredFrameWindows(ids);
}

void TLMTAgentWndClass::OpenStoredFrameWindows(const ui::StringList& ids)
{
    // The settings are read here, in the registry's order, and only the pictures are made on the
    // workers; each window opens here once its picture and those of the sets before it are done.
    TPhotoSetRenderPool pool(MachineRenderWorkerCount(StartWorkerCap()), MachineRenderMemoryBudget());
    std::vector<std::string> rendering;
    for (int i = 0; i < ids.Count(); ++i) {
        if (!WantsFrameWindow(ids[i]))
            continue;
        TPhotoSetSettings set = ReadPhotoSetSettings(ids[i]);
        const std::uint64_t peak = PhotoSetRenderPeak(set);
        pool.Add([set = std::move(set)] { return RenderPhotoSet(set); }, peak);
        rendering.push_back(ids[i]);
    }
    for (const std::string& id : rendering) {
        // A set that cannot be rendered is left out; the sets after it still open.
        try {
            TRenderedPhotoSet rendered = pool.Take();
            LastPhotoStatus = rendered.PhotoStatus; // as if this thread had loaded the photo itself
            if (rendered.Failure)
                std::rethrow_exception(rendered.Failure);
            if (FrameWindows->IndexOf(id) == -1)
                OpenRenderedFrameWindow(id, *rendered.Image);
        } catch (const std::exception& error) {
            ReportSkippedSet(id, error.what());
        } catch (...) {
            ReportSkippedSet(id, "unknown failure");
        }
    }
}

void TLMTAgentWndClass::FormDestroy(ui::Component&)
{
    if (!FrameWindows)
        return;
    while (!FrameWindows->Empty()) {
        TLMTWndClass* window = WindowOf(0);
        FrameWindows->Delete(0);
        window->Release();
    }
    FrameWindows.reset();
}

bool TLMTAgentWndClass::WantsFrameWindow(const std::string& id) const
{
    return FrameWindows->IndexOf(id) == -1 && PhotoSetShown(id);
}

void TLMTAgentWndClass::OpenFrameWindow(const std::string& id)
{
    if (!WantsFrameWindow(id))
        return;
    const ui::GpBitmapPtr image = RenderPhotoSet(id);
    OpenRenderedFrameWindow(id, *image);
}

void TLMTAgentWndClass::OpenRenderedFrameWindow(const std::string& id, Gdiplus::Bitmap& image)
{
    const std::string key = PhotoSetKey(id);
    // Freed here if it cannot be made; the list owns it once it is listed.
    ui::Owned<TLMTWndClass> made(new TLMTWndClass());
    made->Loaded();
    FrameWindows->Add(id, made.get());
    TLMTWndClass* window = made.release();
    // A window that fails to be set up stays listed, so that a later "U" or "H" frees it.
    try {
        window->PhotoSetId = id;
        const INT width = static_cast<INT>(image.GetWidth());
        const INT height = static_cast<INT>(image.GetHeight());
        window->FrameImage.reset(image.Clone(0, 0, width, height, PixelFormat32bppARGB));
        if (!window->FrameImage || window->FrameImage->GetLastStatus() != Gdiplus::Ok ||
            !window->SetLayerImage(*window->FrameImage)) {
            window->FrameImage.reset();
            return;
        }
        std::int32_t x = 0, y = 0, transparency = 0;
        ReadRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::X, x);
        ReadRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::Y, y);
        window->PlaceAt(POINT{x, y});
        ReadRegInteger(HKEY_CURRENT_USER, key, PhotoSetValue::Transparency, transparency);
        window->SetLayerAlpha(OpacityAlpha(transparency));
        window->Show();
    } catch (...) {
    }
}

void TLMTAgentWndClass::CloseFrameWindow(const std::string& id)
{
    Unlist(id).reset();
}

void TLMTAgentWndClass::ReopenFrameWindow(const std::string& id)
{
    if (!PhotoSetShown(id)) {
        CloseFrameWindow(id);
        return;
    }
    // A large photo takes a while to render: meanwhile the set keeps its old window.
    ui::GpBitmapPtr image;
    try {
        image = RenderPhotoSet(id);
    } catch (...) {
        // What is stored cannot be shown: the old picture goes too, as a start would show none.
        CloseFrameWindow(id);
        throw;
    }
    // Out of the list, the old window stays on the desktop until the new one shows over it.
    const UnlistedFrame old = Unlist(id);
    OpenRenderedFrameWindow(id, *image);
}

void TLMTAgentWndClass::HandleCopyData(ui::Message& message)
{
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(message.lParam);
    RunCopyDataCommand(data, {
        {'U', [this](const std::string& id) { ReopenFrameWindow(id); }},
        {'H', [this](const std::string& id) { CloseFrameWindow(id); }},
        {'S', [this](const std::string& id) { OpenFrameWindow(id); }},
    });
    message.result = 0;
}

int AgentProgramBlock()
{
    ui::KernelHandle mutex(CreateMutexA(nullptr, FALSE, AgentMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    ui::Owned<TLMTAgentWndClass> mainWindow(new TLMTAgentWndClass());
    ui::App().SetMainForm(mainWindow.get());
    mainWindow->Loaded();
    ui::App().Run();
    return 0;
}

} // namespace lumetta
