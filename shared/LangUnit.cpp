#include "shared/LangUnit.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "shared/GlobalConsts.h"
#include "shared/GlobalFunc.h"
#include "shared/GlobalRegistryAccess.h"
#include "ui/IniFile.h"
#include "ui/ListView.h"

namespace lumetta {

std::array<std::string, MessageCount> Messages;

namespace {

std::string LanguageFileName()
{
    std::string name;
    ReadRegString(HKEY_CURRENT_USER, AppRegistryKey, "Language", name);
    return name;
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The four places a component's text is looked for, first non-empty wins.
class TagLookup {
public:
    TagLookup(const ui::IniFile& chosen, const ui::IniFile& fallback, const std::string& section)
        : chosen_(chosen), fallback_(fallback), section_(section)
    {
    }

    std::string operator()(int tag) const
    {
        const std::string key = std::to_string(tag);
        for (const ui::IniFile* file : {&chosen_, &fallback_})
            for (const std::string& section : {section_, std::string("Misc")})
                if (std::string text = file->ReadString(section, key, ""); !text.empty())
                    return text;
        return {};
    }

private:
    const ui::IniFile& chosen_;
    const ui::IniFile& fallback_;
    const std::string& section_;
};

void TranslateListColumns(ui::ListView& view, const TagLookup& lookup)
{
    for (int i = 0; i < view.ColumnCount(); ++i) {
        ui::ListColumn& column = view.Column(i);
        if (column.Tag() == 0)
            continue;
        if (std::string text = lookup(column.Tag()); !text.empty())
            column.SetCaption(text);
    }
}

} // namespace

std::string ExpandLineBreaks(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            result += "\r\n";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

void LoadMessages() { LoadMessagesFrom(ProgramFolder()); }

void LoadMessagesFrom(const std::string& programDir)
{
    std::string name = LanguageFileName();
    if (name.empty())
        name = DefaultLanguageFile;
    const ui::IniFile chosen(programDir + name);
    const ui::IniFile fallback(programDir + DefaultLanguageFile);
    for (int n = 0; n < MessageCount; ++n) {
        const std::string key = "Msg" + std::to_string(n);
        std::string text = chosen.ReadString("Messages", key, "");
        if (text.empty())
            text = fallback.ReadString("Messages", key, "");
        if (!text.empty())
            Messages[static_cast<std::size_t>(n)] = ExpandLineBreaks(text);
    }
}

std::int32_t TranslateForm(ui::Form& form, const std::string& section)
{
    return TranslateFormIn(form, section, InstallDir);
}

std::int32_t TranslateFormIn(ui::Form& form, const std::string& section, const std::string& installDir)
{
    std::string name = LanguageFileName();
    if (name.empty() || !FileExists(installDir + name))
        name = DefaultLanguageFile;
    const ui::IniFile chosen(installDir + name);
    const ui::IniFile fallback(installDir + DefaultLanguageFile);

    const auto major = static_cast<std::uint32_t>(chosen.ReadInteger("FileInfo", "ProgramMajorVersion", 0));
    const auto minor = static_cast<std::uint32_t>(chosen.ReadInteger("FileInfo", "ProgramMinorVersion", 0));
    const auto version = static_cast<std::int32_t>((major << 16) + minor);

    // The window's caption comes from its own section only.
    const std::string captionKey = std::to_string(form.Tag());
    std::string caption = chosen.ReadString(section, captionKey, "");
    if (caption.empty())
        caption = fallback.ReadString(section, captionKey, "");
    if (!caption.empty())
        form.SetCaption(caption);

    const TagLookup lookup(chosen, fallback, section);
    for (int i = 0; i < form.ComponentCount(); ++i) {
        ui::Component& component = form.Components(i);
        if (ui::Font* font = component.FontProperty())
            FixFont(*font);
        if (auto* view = dynamic_cast<ui::ListView*>(&component)) {
            if (view->GetViewStyle() != ui::ViewStyle::Report || !view->ShowColumnHeaders())
                continue;
            TranslateListColumns(*view, lookup);
        }
        if (component.Tag() == 0)
            continue;
        const std::string text = lookup(component.Tag());
        if (text.empty())
            continue;
        for (const ui::TextProperty property : {ui::TextProperty::Caption, ui::TextProperty::Text, ui::TextProperty::Filter}) {
            if (component.HasTextProperty(property)) {
                component.SetTextProperty(property, text);
                break;
            }
        }
    }
    return version;
}

void FixFont(ui::Font& font)
{
    std::string face = font.Name();
    std::transform(face.begin(), face.end(), face.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* kept : {"tahoma", "webdings", "courier new", "arial", "times new roman"})
        if (face == kept)
            return;
    const ui::FontStyles style = font.Style();
    const int size = font.Size();
    LOGFONTA iconTitle{};
    static_assert(sizeof iconTitle == 60);
    if (SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0))
        font.SetHandle(CreateFontIndirectA(&iconTitle));
    else
        font.SetHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    font.SetStyle(style);
    font.SetSize(size);
}

} // namespace lumetta
