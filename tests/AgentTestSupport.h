#pragma once
// A stage for the agent's tests: the product's registry key saved and restored, an install
// folder with one frame design, and photo sets stored the way the editor stores them.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "shared/GlobalFramedPhoto.h"

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

} // namespace lumetta::test
