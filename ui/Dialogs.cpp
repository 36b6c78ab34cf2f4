#include "ui/Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "ui/Application.h"

namespace ui {

namespace {

HWND DialogOwner(HWND owner)
{
    if (owner)
        return owner;
    if (HWND active = GetActiveWindow())
        return active;
    return App().Handle();
}

} // namespace

std::string FilterToPlatform(const std::string& filter)
{
    std::string result = filter;
    for (char& c : result)
        if (c == '|')
            c = '\0';
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

std::string PlatformDefaultExt(const std::string& defaultExt)
{
    std::string ext = defaultExt;
    if (ext.rfind("*.", 0) == 0)
        ext.erase(0, 2);
    else if (ext.rfind('.', 0) == 0)
        ext.erase(0, 1);
    return ext;
}

OpenDialog::OpenDialog(Component* owner, const Args& args) : Component(owner, args.name, args.tag), args_(args) {}

void OpenDialog::SetTextProperty(TextProperty property, const std::string& text)
{
    if (property == TextProperty::Filter)
        args_.filter = text;
}

bool OpenDialog::Execute(HWND owner) { return Run(owner, false); }

bool OpenDialog::Run(HWND owner, bool save)
{
    std::vector<char> file(4096, '\0');
    args_.fileName.copy(file.data(), file.size() - 1);
    const std::string filter = FilterToPlatform(args_.filter);
    const std::string defaultExt = PlatformDefaultExt(args_.defaultExt);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner(owner);
    dialog.lpstrFilter = args_.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = args_.initialDir.empty() ? nullptr : args_.initialDir.c_str();
    dialog.lpstrTitle = args_.title.empty() ? nullptr : args_.title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (args_.options & ofOverwritePrompt)
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (args_.options & ofHideReadOnly)
        dialog.Flags |= OFN_HIDEREADONLY;
    if (args_.options & ofEnableSizing)
        dialog.Flags |= OFN_ENABLESIZING;
    if (args_.options & ofFileMustExist)
        dialog.Flags |= OFN_FILEMUSTEXIST;
    if (args_.options & ofPathMustExist)
        dialog.Flags |= OFN_PATHMUSTEXIST;
    const BOOL confirmed = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (confirmed)
        args_.fileName = file.data();
    return confirmed != FALSE;
}

bool FontDialog::Execute(HWND owner)
{
    LOGFONTA description{};
    GetObjectA(font_.Handle(), sizeof description, &description);
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = DialogOwner(owner);
    dialog.lpLogFont = &description;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = ColorToRGB(font_.GetColor());
    if (!ChooseFontA(&dialog))
        return false;
    font_.SetHandle(CreateFontIndirectA(&description));
    font_.SetColor(dialog.rgbColors);
    return true;
}

} // namespace ui
