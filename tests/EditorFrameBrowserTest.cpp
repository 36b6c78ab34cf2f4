// The frame browser: categories by keyword, thumbnails aligned with the list, the preselected
// frame and the OK and double-click rules, on a frame folder of the test's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ImageSupport.h"
#include "TestSupport.h"
#include "editor/EditorFrmBrowserWndU.h"
#include "shared/GlobalConsts.h"

using namespace lumetta;
using namespace lumetta::test;

namespace {

std::vector<std::string> Keywords(int category) { return KeywordLines(CategoryKeywordText(category)); }

std::vector<int> CategoriesOf(const std::string& fileName)
{
    std::vector<int> found;
    for (int c = 1; c <= FrameCategoryCount; ++c)
        if (NameHasKeyword(fileName, Keywords(c)))
            found.push_back(c);
    return found;
}

} // namespace

TEST(FrameCategories, AFrameBelongsToEveryCategoryWhoseKeywordItsImageNameHolds)
{
    EXPECT_EQ(CategoriesOf("xmas_wood_holiday.png"), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(CategoriesOf("christmas_holly.png"), (std::vector<int>{1, 6}));
    // Case-sensitive: a capital letter keeps a frame out of its category.
    EXPECT_EQ(CategoriesOf("Metal_gold.png"), (std::vector<int>{1}));
    // Category 1 is every name with an extension.
    EXPECT_EQ(CategoriesOf("metal_gold"), (std::vector<int>{2}));
    EXPECT_TRUE(CategoriesOf("").empty());
    EXPECT_TRUE(CategoryKeywordText(0).empty());
    EXPECT_TRUE(CategoryKeywordText(8).empty());
}

TEST(FrameCategories, ThumbnailsKeepTheProportionAndCentreOnTheCell)
{
    EXPECT_EQ(FrameThumbRect(200, 100), (DrawRect{0, 23, 92, 46}));
    EXPECT_EQ(FrameThumbRect(100, 200), (DrawRect{23, 0, 46, 92}));
    EXPECT_EQ(FrameThumbRect(300, 300), (DrawRect{0, 0, 92, 92}));
    // Halves round to the even neighbour: 46.5 to 46, 47.5 to 48.
    EXPECT_EQ(FrameThumbRect(184, 93), (DrawRect{0, 23, 92, 46}));
    EXPECT_EQ(FrameThumbRect(184, 95), (DrawRect{0, 22, 92, 48}));
}

class FrameBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedFolder_ = FramesetDir;
        FramesetDir = folder_.Dir();
        FrameList.Clear();
    }

    void TearDown() override
    {
        browser_.reset();
        FrameList.Clear();
        FramesetDir = savedFolder_;
    }

    // A definition naming imageName, with a width x height image of one colour (no image when 0).
    void AddFrame(const std::string& name, const std::string& imageName, int width = 0, int height = 0,
                  COLORREF colour = RGB(200, 30, 30))
    {
        folder_.Write(name, "[FrameInfo]\r\nFilename=" + imageName + "\r\n");
        if (width > 0)
            SaveImageFile(folder_.Dir() + imageName, width, height,
                          [&](Gdiplus::Graphics& g) { FillArea(g, 0, 0, width, height, colour); });
        FrameList.Add(name);
    }

    TLMTSEditorFrmBrowserWndClass& Browser()
    {
        if (!browser_)
            browser_ = ui::MakeForm<TLMTSEditorFrmBrowserWndClass>(nullptr, nullptr);
        return *browser_;
    }

    std::vector<std::string> Items()
    {
        std::vector<std::string> items;
        for (int i = 0; i < Browser().lbFrames->Count(); ++i)
            items.push_back(Browser().lbFrames->Items(i));
        return items;
    }

    TempFolder folder_;

private:
    std::string savedFolder_;
    ui::Owned<TLMTSEditorFrmBrowserWndClass> browser_;
};

TEST_F(FrameBrowserTest, ACategoryListsItsLoadableFramesWithAThumbnailEach)
{
    AddFrame("wide.ini", "metal_wide.png", 200, 100);
    AddFrame("caps.ini", "Metal_caps.png", 50, 50);
    AddFrame("broken.ini", "metal_broken.png");
    folder_.Write("metal_broken.png", "not a picture");
    AddFrame("missing.ini", "metal_missing.png");
    AddFrame("nodot.ini", "metal_nodot", 100, 200, RGB(30, 30, 200));
    AddFrame("xmas.ini", "xmas_wood_holiday.png", 60, 60);

    auto& browser = Browser();
    browser.SelectCategory(2);
    // Images that cannot be loaded are left out; the thumbnails stay aligned with the items.
    EXPECT_EQ(Items(), (std::vector<std::string>{"wide.ini", "nodot.ini"}));
    ASSERT_EQ(browser.FrameThumbs.size(), 2u);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), 0);
    Gdiplus::Bitmap& wide = *browser.FrameThumbs[0];
    EXPECT_EQ(wide.GetWidth(), 92u);
    EXPECT_EQ(wide.GetHeight(), 92u);
    Gdiplus::Color above, inside;
    wide.GetPixel(46, 10, &above);
    wide.GetPixel(46, 46, &inside);
    EXPECT_EQ(above.GetA(), 0);
    EXPECT_EQ(inside.GetA(), 255);
    EXPECT_TRUE(Near(PixelOf(wide, 46, 46), RGB(200, 30, 30)));
    EXPECT_TRUE(Near(PixelOf(*browser.FrameThumbs[1], 46, 46), RGB(30, 30, 200)));
    for (int n = 1; n <= FrameCategoryCount; ++n)
        EXPECT_EQ(browser.CategoryButton(n).Enabled(), n != 2) << n;

    browser.SelectCategory(1);
    EXPECT_EQ(Items(), (std::vector<std::string>{"wide.ini", "caps.ini", "xmas.ini"}));
    EXPECT_TRUE(browser.CategoryButton(2).Enabled());
    EXPECT_FALSE(browser.CategoryButton(1).Enabled());
    EXPECT_EQ(browser.CategoryButton(1).Cursor(), ui::crDefault);
    EXPECT_EQ(browser.CategoryButton(2).Cursor(), crHand);

    ui::StringList names;
    EXPECT_EQ(browser.LoadCategoryFrames(8, names), -1);
    EXPECT_EQ(browser.FrameThumbs.size(), 3u);
    EXPECT_EQ(names.Count(), 0);
    EXPECT_EQ(browser.LoadCategoryFrames(6, names), 1);
    EXPECT_EQ(names[0], "xmas.ini");
}

TEST_F(FrameBrowserTest, TheNextActivationSelectsThePreselectedFrameInCategoryOne)
{
    AddFrame("wood_a.ini", "wood_a.png", 40, 30);
    AddFrame("wood_b.ini", "wood_b.png", 30, 40);
    AddFrame("metal.ini", "metal.png", 30, 30);
    auto& browser = Browser();
    browser.SelectCategory(3);

    browser.PreselectFrame("METAL.INI");
    browser.FormActivate(browser);
    EXPECT_FALSE(browser.CategoryButton(1).Enabled());
    EXPECT_TRUE(browser.CategoryButton(3).Enabled());
    EXPECT_EQ(browser.lbFrames->Count(), 3);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), 2);
    EXPECT_TRUE(browser.PendingFrame.empty());

    // Consumed: the next activation keeps the user's choice.
    browser.lbFrames->SetItemIndex(1);
    browser.FormActivate(browser);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), 1);

    browser.PreselectFrame("gone.ini");
    browser.FormActivate(browser);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), 0);
}

TEST_F(FrameBrowserTest, OkAndDoubleClickNeedASelection)
{
    AddFrame("wood.ini", "wood.png", 40, 30);
    auto& browser = Browser();
    browser.SelectCategory(4);
    EXPECT_EQ(browser.lbFrames->Count(), 0);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), -1);

    browser.SetModalResult(ui::mrNone);
    browser.lbFramesDblClick(*browser.lbFrames);
    EXPECT_EQ(browser.GetModalResult(), ui::mrNone);
    browser.btnOK->Click();
    EXPECT_EQ(browser.GetModalResult(), ui::mrCancel);

    // An empty category leaves no thumbnails: the next activation loads category 1.
    browser.FormActivate(browser);
    EXPECT_EQ(browser.lbFrames->ItemIndex(), 0);
    browser.SetModalResult(ui::mrNone);
    browser.lbFramesDblClick(*browser.lbFrames);
    EXPECT_EQ(browser.GetModalResult(), ui::mrOk);
    browser.SetModalResult(ui::mrNone);
    browser.btnOK->Click();
    EXPECT_EQ(browser.GetModalResult(), ui::mrOk);
}

TEST_F(FrameBrowserTest, AnEmptyFrameFolderGivesAnEmptyList)
{
    auto& browser = Browser();
    browser.FormActivate(browser);
    browser.FormActivate(browser);
    EXPECT_EQ(browser.lbFrames->Count(), 0);
    EXPECT_TRUE(browser.FrameThumbs.empty());
    EXPECT_TRUE(browser.lbFrames->Visible());
    EXPECT_FALSE(browser.stBanner->Visible());
}
