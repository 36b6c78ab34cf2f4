#pragma once
// A stage for the agent's tests: the product's registry key saved and restored, an install
// folder with one frame design, and photo sets stored the way the editor stores them.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "shared/GlobalFramedPhoto.h"
#include "ui/LayeredForm.h"

namespace lumetta::test {

// Frame image of the stage's default frame: a square, opaque 20-pixel border around a hole.
inline constexpr int StageFrameSide = 120;

class AgentStage {
public:
    // Saves the product key, empties PhotoSets and points InstallDir at a new install folder whose
    // Frameset holds the default "frame2.ini".
    AgentStage();
    ~AgentStage() = default;
    AgentStage(const AgentStage&) = delete;
    AgentStage& operator=(const AgentStage&) = delete;

    // The install folder, ending in a backslash.
    std::string Dir() const { return install_.Dir(); }
    const TempFolder& Install() const { return install_; }

    // Adds a frame design to the install folder's Frameset.
    void AddFrame(const std::string& name, int width, int height, const THoldRect& imageHold) const;

    // Writes integer values of a photo set (the key is made when missing).
    void Store(const std::string& id, std::initializer_list<std::pair<const char*, std::int32_t>> values) const;
    void StoreText(const std::string& id, const char* name, const std::string& text) const;
    std::int32_t Read(const std::string& id, const char* name) const;
    bool Has(const std::string& id, const char* name) const;
    bool SetExists(const std::string& id) const;

private:
    RegistryKeyGuard product_;
    TempFolder install_;
};

// The part of a layered window that is not transparent, in screen coordinates.
RECT SeenOnScreen(const ui::LayeredForm& form);

// Points this program's import of `function` from `module` at `replacement` while it lives, so
// that a test sees the calls the program makes to the platform.
class ImportPatch {
public:
    ImportPatch(const char* module, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;
    bool Applied() const { return slot_ != nullptr; }
    template <typename F>
    F Original() const
    {
        return reinterpret_cast<F>(original_);
    }

private:
    void Write(void* value) const;
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// What the process writes to the debugger output while this lives.
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;
    std::string Text() const;

private:
    static LONG CALLBACK Handler(EXCEPTION_POINTERS* exception);
    void* handler_;
};

// The threads of this process.
int ThreadCount();

// GDI and USER objects of this process. Wine counts neither (GetGuiResources gives 0): there the
// entries of the process's GDI handle table and its windows stand in.
struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
};
GuiObjects CountGuiObjects();

} // namespace lumetta::test
