#pragma once
// The common dialogs: open and save a file, choose a font.
#include <windows.h>

#include <string>

#include "ui/Component.h"
#include "ui/Font.h"

namespace ui {

enum DialogOption : unsigned {
    ofOverwritePrompt = 1,
    ofHideReadOnly = 2,
    ofEnableSizing = 4,
    ofFileMustExist = 8,
    ofPathMustExist = 16,
};
using DialogOptions = unsigned;

// "Text|pattern|Text|pattern" as the platform wants it: zero-separated, two zeros at the end.
std::string FilterToPlatform(const std::string& filter);
// The extension the platform appends: "*.jpg" and ".jpg" both give "jpg".
std::string PlatformDefaultExt(const std::string& defaultExt);

class OpenDialog : public Component {
public:
    struct Args {
        std::string name;
        int tag = 0;
        std::string filter;
        std::string initialDir;
        std::string fileName;
        std::string title;
        std::string defaultExt;
        DialogOptions options = ofHideReadOnly | ofEnableSizing;
    };

    OpenDialog(Component* owner, const Args& args);

    const std::string& Filter() const { return args_.filter; }
    void SetFilter(const std::string& filter) { args_.filter = filter; }
    const std::string& InitialDir() const { return args_.initialDir; }
    void SetInitialDir(const std::string& folder) { args_.initialDir = folder; }
    const std::string& FileName() const { return args_.fileName; }
    void SetFileName(const std::string& name) { args_.fileName = name; }
    const std::string& DefaultExt() const { return args_.defaultExt; }
    DialogOptions Options() const { return args_.options; }

    // Shows the dialog owned by `owner` (null: the active window). True: confirmed, and
    // FileName holds the choice.
    virtual bool Execute(HWND owner = nullptr);

    bool HasTextProperty(TextProperty property) const override { return property == TextProperty::Filter; }
    void SetTextProperty(TextProperty property, const std::string& text) override;

protected:
    bool Run(HWND owner, bool save);

private:
    Args args_;
};

class SaveDialog : public OpenDialog {
public:
    using OpenDialog::OpenDialog;
    bool Execute(HWND owner = nullptr) override { return Run(owner, true); }
};

class FontDialog : public Component {
public:
    struct Args {
        std::string name;
        FontArgs font;
    };

    FontDialog(Component* owner, const Args& args) : Component(owner, args.name), font_(args.font) {}

    Font& GetFont() { return font_; }
    Font* FontProperty() override { return &font_; }
    // True: confirmed, and the font holds the choice (face, size, style, colour).
    bool Execute(HWND owner = nullptr);

private:
    Font font_;
};

} // namespace ui
