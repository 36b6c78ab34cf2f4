#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "TestSupport.h"
#include "shared/GlobalConsts.h"
#include "shared/GlobalGraphics.h"

using namespace lumetta;
using lumetta::test::TempFolder;

namespace {

std::vector<std::int32_t> Values(const THoldRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
using Hold = std::vector<std::int32_t>;

TEST(FrameList, ListsOnlyIniFilesAndRefillsTheList)
{
    TempFolder folder;
    for (const char* name : {"a.ini", "B.INI", "c.txt", "a.ini.bak"})
        folder.Write(name, "");
    std::filesystem::create_directory(folder.Path() / "d.ini");

    ui::StringList list;
    list.Add("stale.ini");
    ListFrameFilesIn(folder.Dir(), list);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list[i]);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.INI", "a.ini"}));

    TempFolder empty;
    ListFrameFilesIn(empty.Dir(), list);
    EXPECT_TRUE(list.Empty());
    list.Add("stale.ini");
    ListFrameFilesIn(empty.Dir() + "missing\\", list);
    EXPECT_TRUE(list.Empty());
}

TEST(FrameList, TheProgramsReadTheFrameFolder)
{
    TempFolder folder;
    folder.Write("only.ini", "[FrameInfo]\r\nFilename=only.png\r\n");
    const std::string saved = FramesetDir;
    FramesetDir = folder.Dir();
    ListFrameFiles(FrameList);
    TPhotoFrame frame;
    LoadPhotoFrame(FrameList[0], frame);
    FramesetDir = saved;
    EXPECT_EQ(FrameList.Count(), 1);
    EXPECT_EQ(frame.Filename, "only.png");
}

TEST(FrameDefinition, ReadsEveryFieldWithItsDefault)
{
    TempFolder folder;
    folder.Write("full.ini", "[FrameInfo]\r\nFilename=frame_wood.png\r\nOrientation=Landscape\r\n"
                             "[imagehold]\r\nleft=50\r\nTop=40\r\nRight=550\r\nBottom=410\r\n"
                             "[TextHold]\r\nLeft=60\r\nTop=420\r\nRight=540\r\nBottom=$1C0\r\n");
    folder.Write("odd.ini", "[FrameInfo]\r\nOrientation=wide\r\n"
                            "[ImageHold]\r\nLeft=0x10\r\nTop=abc\r\n[TextHold]\r\nLeft=abc\r\nTop=0X20\r\n");

    TPhotoFrame frame;
    LoadPhotoFrameFrom(folder.Dir(), "full.ini", frame);
    EXPECT_EQ(frame.Name, "full.ini");
    EXPECT_EQ(frame.Filename, "frame_wood.png");
    EXPECT_FALSE(frame.Orientation);
    EXPECT_EQ(Values(frame.ImageHold), (Hold{50, 40, 550, 410}));
    EXPECT_EQ(Values(frame.TextHold), (Hold{60, 420, 540, 448}));

    LoadPhotoFrameFrom(folder.Dir(), "odd.ini", frame);
    EXPECT_EQ(frame.Filename, "");
    EXPECT_TRUE(frame.Orientation);
    EXPECT_EQ(Values(frame.ImageHold), (Hold{16, 0, 0, 0}));
    EXPECT_EQ(Values(frame.TextHold), (Hold{-1, 32, -1, -1}));

    // A definition that does not exist reads as one without keys.
    LoadPhotoFrameFrom(folder.Dir(), "full.ini", frame);
    LoadPhotoFrameFrom(folder.Dir(), "absent.ini", frame);
    EXPECT_EQ(frame.Name, "absent.ini");
    EXPECT_EQ(frame.Filename, "");
    EXPECT_TRUE(frame.Orientation);
    EXPECT_EQ(Values(frame.ImageHold), (Hold{0, 0, 0, 0}));
    EXPECT_EQ(Values(frame.TextHold), (Hold{-1, -1, -1, -1}));

    for (const char* text : {"landscape", "LANDSCAPE"})
        EXPECT_FALSE(IsPortraitOrientation(text)) << text;
    for (const char* text : {"portrait", "wide", "", " landscape"})
        EXPECT_TRUE(IsPortraitOrientation(text)) << text;
}

} // namespace
