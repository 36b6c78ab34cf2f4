#include "controls/NewNotebook.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/ListOrder.h"

namespace lumetta {

namespace {

constexpr int DefaultNotebookSize = 150;

ui::ControlArgs NotebookControlArgs(ui::ControlArgs args)
{
    if (args.bounds.width == 0)
        args.bounds.width = DefaultNotebookSize;
    if (args.bounds.height == 0)
        args.bounds.height = DefaultNotebookSize;
    return args;
}

ui::ControlArgs PageControlArgs(ui::ControlArgs args)
{
    // A page's place, size and visibility come from its notebook.
    args.align = ui::Align::Client;
    args.visible = false;
    return args;
}

bool Contains(const ui::Window& container, const ui::Window* control)
{
    return control &&
           (control == &container || (container.Handle() && control->Handle() && IsChild(container.Handle(), control->Handle())));
}

} // namespace

// ---- TNewNotebook ------------------------------------------------------------------------------

TNewNotebook::TNewNotebook(ui::Component* owner, const ui::ControlArgs& common)
    : ui::Window(owner, NotebookControlArgs(common))
{
}

TNewNotebook::~TNewNotebook()
{
    // The pages outlive the list; they no longer refer to this notebook.
    for (TNewNotebookPage* page : pages_)
        page->notebook_ = nullptr;
}

void TNewNotebook::ApplyWindowStyle(ui::CreateParams& params)
{
    ui::Window::ApplyWindowStyle(params);
    params.style |= WS_CLIPCHILDREN;
}

void TNewNotebook::InsertPage(TNewNotebookPage* page)
{
    pages_.push_back(page);
    page->notebook_ = this;
}

void TNewNotebook::RemovePage(TNewNotebookPage* page)
{
    page->notebook_ = nullptr;
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (page == activePage_)
        SetActivePage(nullptr);
}

void TNewNotebook::SetActivePage(TNewNotebookPage* page)
{
    if (page && page->notebook_ != this)
        return;
    if (page == activePage_)
        return;
    TNewNotebookPage* old = activePage_;
    ui::Form* form = ParentForm();
    auto active = [form] { return form ? form->ActiveControl() : nullptr; };
    // The focus leaves the old page's controls first, so it never rests on a hidden one.
    if (old && Contains(*old, active()))
        form->SetActiveControl(old);
    if (page) {
        if (page->HandleAllocated())
            SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        page->SetVisible(true);
        if (old && active() == old)
            form->SetActiveControl(page->CanFocus() ? static_cast<ui::Window*>(page) : this);
    }
    if (old)
        old->SetVisible(false);
    activePage_ = page;
    if (page && active() == page)
        page->SelectFirst();
}

void TNewNotebook::ActivateOnShow(ui::Control& control)
{
    if (auto* page = dynamic_cast<TNewNotebookPage*>(&control); page && page->notebook_ == this)
        SetActivePage(page);
    ui::Window::ShowControl(control);
}

// ---- TNewNotebookPage --------------------------------------------------------------------------

TNewNotebookPage::TNewNotebookPage(ui::Component* owner, const ui::ControlArgs& common)
    : ui::CustomControl(owner, PageControlArgs(common))
{
    // Placed on a notebook by the layout: it joins it, after the pages made before it.
    if (auto* notebook = dynamic_cast<TNewNotebook*>(Parent()))
        notebook->InsertPage(this);
}

TNewNotebookPage::~TNewNotebookPage()
{
    if (notebook_)
        notebook_->RemovePage(this);
}

void TNewNotebookPage::SetNotebook(TNewNotebook* notebook)
{
    if (notebook == notebook_)
        return;
    if (notebook_)
        notebook_->RemovePage(this);
    SetParent(notebook);
    if (notebook)
        notebook->InsertPage(this);
}

int TNewNotebookPage::PageIndex() const { return notebook_ ? ui::IndexIn<TNewNotebookPage>(notebook_->pages_, this) : -1; }

void TNewNotebookPage::SetPageIndex(int value)
{
    if (notebook_)
        ui::MoveInList<TNewNotebookPage>(notebook_->pages_, this, value);
}

} // namespace lumetta
