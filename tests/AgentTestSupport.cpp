#include "AgentTestSupport.h"

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

} // namespace lumetta::test
