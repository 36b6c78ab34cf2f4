#pragma once
// The page container: a window without tabs that holds pages and shows exactly one of them, its
// ActivePage. Switching pages moves the keyboard focus along, so it is never left on a control
// that has just been hidden. Pages join the notebook they are placed on, in the order the
// layout makes them; a hidden page always has the size of the shown one.
#include <vector>

#include "ui/CustomControl.h"
#include "ui/Window.h"

namespace lumetta {

class TNewNotebookPage;

class TNewNotebook : public ui::Window {
public:
    // A size the layout leaves 0 is 150.
    TNewNotebook(ui::Component* owner, const ui::ControlArgs& common);
    ~TNewNotebook() override;

    // The page shown, or null.
    TNewNotebookPage* ActivePage() const { return activePage_; }
    // Shows a page of this notebook in front and hides the one shown before; null shows none.
    // A page of another notebook, or of none, is ignored.
    void SetActivePage(TNewNotebookPage* page);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TNewNotebookPage& Pages(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }

    // Appends the page to the page list.
    void InsertPage(TNewNotebookPage* page);
    // Takes the page out of the list; the notebook shows none when it was the active one.
    void RemovePage(TNewNotebookPage* page);

protected:
    void ApplyWindowStyle(ui::CreateParams& params) override;
    // Showing one of the pages makes it the active page.
    void ShowControl(ui::Control& control) override { ActivateOnShow(control); }
    void ActivateOnShow(ui::Control& control);

private:
    friend class TNewNotebookPage;
    TNewNotebookPage* activePage_ = nullptr;
    std::vector<TNewNotebookPage*> pages_;
};

class TNewNotebookPage : public ui::CustomControl {
public:
    // Client-aligned and hidden, whatever the layout says; placed on a notebook, it joins it.
    TNewNotebookPage(ui::Component* owner, const ui::ControlArgs& common);
    ~TNewNotebookPage() override;

    TNewNotebook* Notebook() const { return notebook_; }
    // Moves the page onto another notebook (to the end of its list), or onto none.
    void SetNotebook(TNewNotebook* notebook);

    // The place in the notebook's list, -1 without notebook.
    int PageIndex() const;
    // Moves the page in the list; any value is clamped to the list. Only the order changes.
    void SetPageIndex(int value);

private:
    friend class TNewNotebook;
    TNewNotebook* notebook_ = nullptr;
};

} // namespace lumetta
