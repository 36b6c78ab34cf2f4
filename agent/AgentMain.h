#pragma once
// The desktop agent's hidden main window: it opens one frame window per shown photo set, keeps
// them in FrameWindows and carries out the editor's commands.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Form.h"
#include "ui/GdiPlus.h"
#include "ui/StringList.h"

namespace lumetta {

// The agent's single-instance guard, held for the life of the process.
inline constexpr const char* AgentMutexName = "LMTSA-1B568E46-0755-4335-BF63-771143CDAB64";
// Environment variable that lowers the number of workers rendering the stored sets at start
// (a benchmark's one-worker run); unset, the machine decides.
inline constexpr const char* StartWorkersVariable = "LMTAGENT_START_WORKERS";

// The open frame windows: text = photo-set id, object = its TLMTWndClass. Whoever deletes an entry
// frees or releases its window. Made by the main window's FormCreate, freed by its FormDestroy.
extern std::unique_ptr<ui::StringList> FrameWindows;

class TLMTAgentWndClass : public ui::Form {
public:
    explicit TLMTAgentWndClass(ui::Component* owner = nullptr);

    void FormCreate(ui::Component& sender);
    void FormDestroy(ui::Component& sender);
    // The editor's commands: "U" reopens, "H" closes, "S" opens the window of a photo set.
    void HandleCopyData(ui::Message& message);

    // Opens the window of a photo set unless it is listed already or hidden. A set that cannot be
    // rendered raises, and gets no window.
    void OpenFrameWindow(const std::string& id);
    // Frees the window of a photo set and removes its entry; a window busy in its own menu or
    // dialog goes from the desktop and the list at once and is freed when that has returned.
    void CloseFrameWindow(const std::string& id);
    // Shows a photo set anew from what is stored: a listed window stays until the new one shows
    // over it. A set hidden, removed or failing to render loses its window; the failure raises.
    void ReopenFrameWindow(const std::string& id);

protected:
    void ApplyWindowStyle(ui::CreateParams& params) override;

private:
    // The start: every stored set's picture made on worker threads, the windows opened here in
    // the order of `ids`, exactly as OpenFrameWindow would open them one by one.
    void OpenStoredFrameWindows(const ui::StringList& ids);
    // A stored set, not listed yet and not hidden.
    bool WantsFrameWindow(const std::string& id) const;
    // The window of a set from its finished picture, which stays the caller's.
    void OpenRenderedFrameWindow(const std::string& id, Gdiplus::Bitmap& image);
};

// The program: one agent per desktop; a second one ends at once. Returns the exit code.
int AgentProgramBlock();

} // namespace lumetta
