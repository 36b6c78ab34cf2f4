#include "shared/GlobalRegistryAccess.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace lumetta;
using lumetta::test::KeyExists;
using lumetta::test::ScratchRegistryKey;
using lumetta::test::SetRawValue;

namespace {

class RegistryAccess : public ::testing::Test {
protected:
    ScratchRegistryKey scratch;
    std::string Key(const std::string& sub = {}) const { return sub.empty() ? scratch.Path() : scratch.Path() + "\\" + sub; }
};

TEST_F(RegistryAccess, MissingKeyReadsAsNothing)
{
    std::string text = "stale";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key("absent"), "Value", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "");

    std::int32_t value = 77;
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, Key("absent"), "Value", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, 0);

    ui::StringList list;
    list.Add("stale");
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, Key("absent"), &list), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, Key(), nullptr), ERROR_OUTOFMEMORY);
}

TEST_F(RegistryAccess, MissingValueInExistingKey)
{
    std::string text = "stale";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key(), "Nothing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "");
    std::int32_t value = 5;
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, Key(), "Nothing", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, 0);
}

TEST_F(RegistryAccess, WritesCreateEveryMissingKeyOnThePath)
{
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key("a\\b\\c"), "Text", "hello", REG_SZ, true), ERROR_SUCCESS);
    EXPECT_EQ(WriteRegInteger(HKEY_CURRENT_USER, Key("x\\y"), "Number", -42), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key("a\\b\\c"), "Text", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "hello");
    std::int32_t value = 0;
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, Key("x\\y"), "Number", value), ERROR_SUCCESS);
    EXPECT_EQ(value, -42);
}

TEST_F(RegistryAccess, TypesReadAcrossEachOther)
{
    // The number 49 is the byte '1' followed by zeros; the text "1" is the bytes 0x31 0x00.
    WriteRegInteger(HKEY_CURRENT_USER, Key(), "Dword", 49);
    WriteRegString(HKEY_CURRENT_USER, Key(), "Text", "1", REG_SZ, true);
    std::string text;
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key(), "Dword", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "1");
    std::int32_t value = 0;
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, Key(), "Text", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 49);
}

TEST_F(RegistryAccess, MultiStringReadsAsLines)
{
    const char ab[] = "a\0b\0";        // two texts and the list terminator
    const char emptyA[] = "\0a\0";     // an empty text, then a
    const char aEmptyB[] = "a\0\0b\0"; // an empty text between two
    SetRawValue(HKEY_CURRENT_USER, Key(), "AB", REG_MULTI_SZ, ab, sizeof ab);
    SetRawValue(HKEY_CURRENT_USER, Key(), "EmptyA", REG_MULTI_SZ, emptyA, sizeof emptyA);
    SetRawValue(HKEY_CURRENT_USER, Key(), "AEmptyB", REG_MULTI_SZ, aEmptyB, sizeof aEmptyB);
    std::string text;
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key(), "AB", text), ERROR_SUCCESS);
    EXPECT_EQ(text, "a\r\nb");
    ReadRegString(HKEY_CURRENT_USER, Key(), "EmptyA", text);
    EXPECT_EQ(text, "a");
    ReadRegString(HKEY_CURRENT_USER, Key(), "AEmptyB", text);
    EXPECT_EQ(text, "a\r\n\r\nb");
}

TEST_F(RegistryAccess, MultiStringIsWrittenAsItStands)
{
    const std::string value("x\0yz\0\0", 6);
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Multi", value, REG_MULTI_SZ, true), ERROR_SUCCESS);
    std::string text;
    ReadRegString(HKEY_CURRENT_USER, Key(), "Multi", text);
    EXPECT_EQ(text, "x\r\nyz");
}

TEST_F(RegistryAccess, NoOverwriteKeepsAnExistingValue)
{
    WriteRegString(HKEY_CURRENT_USER, Key(), "Text", "first", REG_SZ, true);
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", "second", REG_SZ, false), ERROR_FILE_EXISTS);
    std::string text;
    ReadRegString(HKEY_CURRENT_USER, Key(), "Text", text);
    EXPECT_EQ(text, "first");

    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Fresh", "new", REG_SZ, false), ERROR_SUCCESS);
    ReadRegString(HKEY_CURRENT_USER, Key(), "Fresh", text);
    EXPECT_EQ(text, "new");
}

TEST_F(RegistryAccess, StringIsCutAtItsFirstZero)
{
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", std::string("ab\0cd", 5), REG_SZ, true), ERROR_SUCCESS);
    std::string text;
    ReadRegString(HKEY_CURRENT_USER, Key(), "Text", text);
    EXPECT_EQ(text, "ab");
}

TEST_F(RegistryAccess, LongestTextRoundTripsAndLongerIsRefused)
{
    const std::string longest(2047, 'q');
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", longest, REG_SZ, true), ERROR_SUCCESS);
    std::string text;
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key(), "Text", text), ERROR_SUCCESS);
    EXPECT_EQ(text, longest);

    // A text that could never be read back is refused and the stored one stays.
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", std::string(2048, 'r'), REG_SZ, true),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", std::string(100000, 'r'), REG_SZ, true),
              ERROR_INVALID_PARAMETER);
    ReadRegString(HKEY_CURRENT_USER, Key(), "Text", text);
    EXPECT_EQ(text, longest);

    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Multi", std::string(2050, 'm'), REG_MULTI_SZ, true),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Multi", std::string(2049, 'm'), REG_MULTI_SZ, true),
              ERROR_SUCCESS);
}

TEST_F(RegistryAccess, ValueLongerThanTheBufferIsNotRead)
{
    // Written by someone else: 2048 characters and the terminator are 2049 bytes.
    const std::string tooLong(2048, 'z');
    SetRawValue(HKEY_CURRENT_USER, Key(), "Text", REG_SZ, tooLong.c_str(), 2049);
    std::string text = "stale";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Key(), "Text", text), ERROR_MORE_DATA);
    EXPECT_EQ(text, "");
    // Counted as absent when not overwriting: the write goes ahead.
    EXPECT_EQ(WriteRegString(HKEY_CURRENT_USER, Key(), "Text", "short", REG_SZ, false), ERROR_SUCCESS);
}

TEST_F(RegistryAccess, IntegerReadsTheFirstFourBytesOfAnyType)
{
    const BYTE two[] = {0x01, 0x02};
    SetRawValue(HKEY_CURRENT_USER, Key(), "Two", REG_BINARY, two, sizeof two);
    std::int32_t value = -1;
    EXPECT_EQ(ReadRegInteger(HKEY_CURRENT_USER, Key(), "Two", value), ERROR_SUCCESS);
    EXPECT_EQ(value, 0x0201);
}

TEST_F(RegistryAccess, SubKeysAreListedAndLongNamesSkipped)
{
    WriteRegInteger(HKEY_CURRENT_USER, Key("first"), "V", 1);
    WriteRegInteger(HKEY_CURRENT_USER, Key(std::string(300, 'L')), "V", 1);
    WriteRegInteger(HKEY_CURRENT_USER, Key("second"), "V", 1);
    WriteRegInteger(HKEY_CURRENT_USER, Key(std::string(200, 'M')), "V", 1);

    ui::StringList list;
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, Key(), &list), ERROR_SUCCESS);
    // The key of 300 characters either could not be made or is left out; the rest are all there.
    EXPECT_EQ(list.IndexOf(std::string(300, 'L')), -1);
    EXPECT_NE(list.IndexOf("first"), -1);
    EXPECT_NE(list.IndexOf("SECOND"), -1);
    EXPECT_NE(list.IndexOf(std::string(200, 'M')), -1);
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(RegistryAccess, ListingEndsWhenTheKeyGoesAway)
{
    WriteRegInteger(HKEY_CURRENT_USER, Key("list\\one"), "V", 1);
    WriteRegInteger(HKEY_CURRENT_USER, Key("list\\two"), "V", 1);
    ui::StringList list;
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, Key("list"), &list), ERROR_SUCCESS);
    EXPECT_EQ(list.Count(), 2);
    RegDeleteTreeA(HKEY_CURRENT_USER, Key("list").c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, Key("list").c_str());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("list")));
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, Key("list"), &list), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(list.Empty());
}

} // namespace
