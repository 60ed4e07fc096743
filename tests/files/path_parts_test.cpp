#include "files/path_parts.h"
#include <gtest/gtest.h>

TEST(PathParts, SplitsFolderNameAndExtension)
{
    wchar_t folder[kPathCapacity];
    CopyFolderPart(L"C:\\pics\\cat.JPEG", folder, kPathCapacity);
    EXPECT_STREQ(L"C:\\pics\\", folder);
    EXPECT_STREQ(L"cat.JPEG", FileNamePart(L"C:\\pics\\cat.JPEG"));
    EXPECT_STREQ(L".JPEG", ExtensionPart(L"C:\\pics\\cat.JPEG"));
    EXPECT_STREQ(L"", ExtensionPart(L"C:\\pics.d\\noext"));
    EXPECT_STREQ(L".gz", ExtensionPart(L"a.tar.gz"));
}

// Names no code page spells whole: accented letters, Hangul, a symbol, and an emoji, which
// takes two UTF-16 units.
TEST(PathParts, NamesOfAnyScriptSplitWhole)
{
    const wchar_t* path = L"C:\\Zoë \u2665 \uC0AC\uC9C4\\Caf\u00E9 \u2615\U0001F600.jpg";
    EXPECT_STREQ(L"Caf\u00E9 \u2615\U0001F600.jpg", FileNamePart(path));
    wchar_t folder[kPathCapacity];
    CopyFolderPart(path, folder, kPathCapacity);
    EXPECT_STREQ(L"C:\\Zoë \u2665 \uC0AC\uC9C4\\", folder);
    EXPECT_STREQ(L".jpg", ExtensionPart(path));
}

TEST(PathParts, FolderIsCutToTheBufferAndStaysTerminated)
{
    wchar_t folder[6];
    CopyFolderPart(L"C:\\long\\name.bmp", folder, 6);
    EXPECT_STREQ(L"C:\\lo", folder);
}

// What Explorer passes: a quoted path with spaces; a path too long is refused whole.
TEST(PathParts, TheFirstArgumentIsTheQuotedOrTheSpaceEndedPathAndNeverCut)
{
    wchar_t argument[kPathCapacity];
    EXPECT_TRUE(CopyFirstArgument(L"  \"C:\\My Games\\表.qlt\" /x", argument, kPathCapacity));
    EXPECT_STREQ(L"C:\\My Games\\表.qlt", argument);
    EXPECT_TRUE(CopyFirstArgument(L"C:\\pics\\ソ.jpg second", argument, kPathCapacity));
    EXPECT_STREQ(L"C:\\pics\\ソ.jpg", argument);
    EXPECT_TRUE(CopyFirstArgument(L"   ", argument, kPathCapacity));
    EXPECT_STREQ(L"", argument);
    EXPECT_TRUE(CopyFirstArgument(L"\"C:\\a\"", argument, 5));
    EXPECT_STREQ(L"C:\\a", argument);
    EXPECT_FALSE(CopyFirstArgument(L"\"C:\\unclosed", argument, 6));
    EXPECT_STREQ(L"", argument);
    EXPECT_FALSE(CopyWholePath(L"C:\\abc", argument, 6));
    EXPECT_TRUE(CopyWholePath(L"C:\\ab", argument, 6));
    EXPECT_STREQ(L"C:\\ab", argument);
}
