// The page container: page order and index, the active page with the focus moving along,
// hidden pages at the shown page's size, and pages leaving their notebook.
#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "controls/NewNotebook.h"
#include "ui/Buttons.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

class NewNotebookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = ShownForm("NewNotebookTestForm", 400, 300, false);
        nPages = form->Add<TNewNotebook>({.name = "nPages", .bounds = {10, 10, 300, 200}});
    }

    TNewNotebookPage* AddPage(const char* name, TNewNotebook* notebook = nullptr)
    {
        return form->Add<TNewNotebookPage>({.name = name, .parent = notebook ? notebook : nPages});
    }

    ui::Button* AddButton(TNewNotebookPage* page, const char* name, int top)
    {
        return form->Add<ui::Button>({.name = name, .parent = page, .bounds = {10, top, 80, 24}, .caption = name});
    }

    static std::vector<std::string> Order(const TNewNotebook& notebook)
    {
        std::vector<std::string> names;
        for (int i = 0; i < notebook.PageCount(); ++i)
            names.push_back(notebook.Pages(i).Name());
        return names;
    }

    ui::Owned<ui::Form> form;
    TNewNotebook* nPages = nullptr;
};

TEST_F(NewNotebookTest, PagesJoinInLayoutOrderHiddenAndClientAligned)
{
    auto* fresh = form->Add<TNewNotebook>({.name = "nFresh", .bounds = {320, 10}});
    EXPECT_EQ(fresh->Width(), 150);
    EXPECT_EQ(fresh->Height(), 150);
    EXPECT_EQ(fresh->PageCount(), 0);
    EXPECT_EQ(fresh->ActivePage(), nullptr);
    EXPECT_TRUE(GetWindowLongA(fresh->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);

    // Whatever the layout says, a page is hidden and fills its notebook.
    auto* a = form->Add<TNewNotebookPage>({.name = "NotebookPageA", .parent = nPages, .bounds = {5, 5, 20, 20}, .visible = true});
    auto* b = AddPage("NotebookPageB");
    auto* c = AddPage("NotebookPageC");
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"NotebookPageA", "NotebookPageB", "NotebookPageC"}));
    for (TNewNotebookPage* page : {a, b, c}) {
        EXPECT_EQ(page->Notebook(), nPages);
        EXPECT_FALSE(page->Visible());
        EXPECT_FALSE(IsWindowVisible(page->Handle()));
        EXPECT_EQ(page->Left(), 0);
        EXPECT_EQ(page->Width(), 300);
        EXPECT_EQ(page->Height(), 200);
    }
    EXPECT_EQ(nPages->ActivePage(), nullptr);
    EXPECT_EQ(c->PageIndex(), 2);

    // A page placed elsewhere belongs to no notebook.
    auto* loose = form->Add<TNewNotebookPage>({.name = "NotebookPageLoose"});
    EXPECT_EQ(loose->Notebook(), nullptr);
    EXPECT_EQ(loose->PageIndex(), -1);
    loose->SetPageIndex(0);
    EXPECT_EQ(loose->PageIndex(), -1);
    nPages->SetActivePage(loose);
    EXPECT_EQ(nPages->ActivePage(), nullptr);
    EXPECT_FALSE(loose->Visible());
}

TEST_F(NewNotebookTest, PageIndexIsClampedAndMovesOnlyTheOrder)
{
    auto* a = AddPage("A");
    auto* b = AddPage("B");
    auto* c = AddPage("C");
    nPages->SetActivePage(b);
    c->SetPageIndex(10);
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"A", "B", "C"}));
    c->SetPageIndex(-5);
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(c->PageIndex(), 0);
    EXPECT_EQ(a->PageIndex(), 1);
    a->SetPageIndex(2);
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"C", "B", "A"}));
    // Visibility and the active page stay.
    EXPECT_EQ(nPages->ActivePage(), b);
    EXPECT_TRUE(b->Visible());
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(c->Visible());
}

TEST_F(NewNotebookTest, SwitchingPagesMovesTheFocusAlong)
{
    auto* a = AddPage("NotebookPageA");
    auto* b = AddPage("NotebookPageB");
    auto* c = AddPage("NotebookPageC");
    auto* inA = AddButton(a, "btnInA", 10);
    // B's first control in tab order is the second one made on it.
    auto* inB = AddButton(b, "btnInB", 40);
    auto* firstB = AddButton(b, "btnFirstB", 10);
    inB->SetTabStop(false);
    AddButton(c, "btnInC", 10);

    nPages->SetActivePage(a);
    EXPECT_EQ(nPages->ActivePage(), a);
    EXPECT_TRUE(IsWindowVisible(a->Handle()));
    SetForegroundWindow(form->Handle());
    inA->SetFocus();
    ASSERT_EQ(GetFocus(), inA->Handle());

    nPages->SetActivePage(b);
    EXPECT_EQ(nPages->ActivePage(), b);
    EXPECT_TRUE(IsWindowVisible(b->Handle()));
    EXPECT_FALSE(IsWindowVisible(a->Handle()));
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(GetWindow(nPages->Handle(), GW_CHILD), b->Handle()); // in front
    EXPECT_EQ(GetFocus(), firstB->Handle());

    // The active page again, or a page of another notebook: nothing changes.
    auto* other = form->Add<TNewNotebook>({.name = "nOther", .bounds = {320, 10, 60, 60}});
    auto* foreign = AddPage("NotebookPageForeign", other);
    nPages->SetActivePage(b);
    nPages->SetActivePage(foreign);
    EXPECT_EQ(nPages->ActivePage(), b);
    EXPECT_FALSE(foreign->Visible());
    EXPECT_EQ(GetFocus(), firstB->Handle());

    // A page that cannot take the focus: the notebook gets it.
    c->SetEnabled(false);
    nPages->SetActivePage(c);
    EXPECT_EQ(GetFocus(), nPages->Handle());
    EXPECT_TRUE(c->Visible());
    EXPECT_FALSE(b->Visible());

    // The focus outside the notebook stays where it is.
    auto* outside = form->Add<ui::Button>({.name = "btnOutside", .bounds = {320, 200, 60, 24}});
    outside->SetFocus();
    nPages->SetActivePage(a);
    EXPECT_EQ(GetFocus(), outside->Handle());

    // Showing a page makes it the active one.
    b->Show();
    EXPECT_EQ(nPages->ActivePage(), b);
    EXPECT_FALSE(a->Visible());
    // Null shows none.
    nPages->SetActivePage(nullptr);
    EXPECT_EQ(nPages->ActivePage(), nullptr);
    EXPECT_FALSE(b->Visible());
}

TEST_F(NewNotebookTest, HiddenPagesTakeTheNewSizeOfTheNotebook)
{
    auto* a = AddPage("A");
    auto* b = AddPage("B");
    nPages->SetActivePage(a);
    nPages->SetBounds(10, 10, 250, 180);
    EXPECT_EQ(a->Width(), 250);
    EXPECT_EQ(b->Width(), 250);
    EXPECT_EQ(b->Height(), 180);
    RECT hidden{};
    GetClientRect(b->Handle(), &hidden);
    EXPECT_EQ(hidden.right, 250);
    EXPECT_EQ(hidden.bottom, 180);
    nPages->SetActivePage(b);
    RECT shown{};
    GetWindowRect(b->Handle(), &shown);
    EXPECT_EQ(shown.right - shown.left, 250);
    EXPECT_EQ(shown.bottom - shown.top, 180);
}

TEST_F(NewNotebookTest, PagesLeaveTheirNotebookWhenDestroyedOrMoved)
{
    auto* a = AddPage("A");
    auto* b = AddPage("B");
    auto* c = AddPage("C");
    nPages->SetActivePage(b);
    ui::Component::Free(b);
    EXPECT_EQ(nPages->ActivePage(), nullptr);
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"A", "C"}));
    EXPECT_FALSE(a->Visible());
    EXPECT_FALSE(c->Visible());

    // Moved while active: the old notebook shows none, the page goes to the end of the new one.
    auto* other = form->Add<TNewNotebook>({.name = "nOther", .bounds = {320, 10, 60, 70}});
    auto* d = AddPage("D", other);
    nPages->SetActivePage(a);
    a->SetNotebook(other);
    EXPECT_EQ(nPages->ActivePage(), nullptr);
    EXPECT_EQ(Order(*nPages), (std::vector<std::string>{"C"}));
    EXPECT_EQ(Order(*other), (std::vector<std::string>{"D", "A"}));
    EXPECT_EQ(a->Parent(), other);
    EXPECT_EQ(GetParent(a->Handle()), other->Handle());
    EXPECT_FALSE(a->Visible());
    EXPECT_EQ(a->Width(), 60);
    other->SetActivePage(a);
    EXPECT_EQ(other->ActivePage(), a);
    EXPECT_FALSE(d->Visible());

    // Onto none: no notebook, no window.
    a->SetNotebook(nullptr);
    EXPECT_EQ(a->PageIndex(), -1);
    EXPECT_EQ(other->ActivePage(), nullptr);
    EXPECT_FALSE(a->HandleAllocated());

    // A notebook going first leaves its pages without one.
    ui::Component::Free(other);
    EXPECT_EQ(d->Notebook(), nullptr);
}

} // namespace
