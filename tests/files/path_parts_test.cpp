#include "files/path_parts.h"
#include <gtest/gtest.h>

TEST(PathParts, SplitsFolderNameAndExtension)
{
    char folder[260];
    CopyFolderPart("C:\\pics\\cat.JPEG", folder, sizeof folder);
    EXPECT_STREQ("C:\\pics\\", folder);
    EXPECT_STREQ("cat.JPEG", FileNamePart("C:\\pics\\cat.JPEG"));
    EXPECT_STREQ(".JPEG", ExtensionPart("C:\\pics\\cat.JPEG"));
    EXPECT_STREQ("", ExtensionPart("C:\\pics.d\\noext"));
    EXPECT_STREQ(".gz", ExtensionPart("a.tar.gz"));
}

// ソ and 表 end in the byte 0x5C; they must not split the name.
TEST(PathParts, TrailBytesOfDoubleByteCharactersAreNotSeparators)
{
    const char* path = "C:\\ソフト\\表.qlt";
    EXPECT_STREQ("表.qlt", FileNamePart(path));
    char folder[260];
    CopyFolderPart(path, folder, sizeof folder);
    EXPECT_STREQ("C:\\ソフト\\", folder);
    EXPECT_STREQ(".qlt", ExtensionPart(path));
}

TEST(PathParts, FolderIsCutToTheBufferAndStaysTerminated)
{
    char folder[6];
    CopyFolderPart("C:\\long\\name.bmp", folder, sizeof folder);
    EXPECT_STREQ("C:\\lo", folder);
}

// What Explorer passes: a quoted path with spaces and a name ending in the byte 0x5C.
TEST(PathParts, TheFirstArgumentIsTheQuotedOrTheSpaceEndedPath)
{
    char argument[260];
    CopyFirstArgument("  \"C:\\My Games\\表.qlt\" /x", argument, sizeof argument);
    EXPECT_STREQ("C:\\My Games\\表.qlt", argument);
    CopyFirstArgument("C:\\pics\\ソ.jpg second", argument, sizeof argument);
    EXPECT_STREQ("C:\\pics\\ソ.jpg", argument);
    CopyFirstArgument("   ", argument, sizeof argument);
    EXPECT_STREQ("", argument);
    CopyFirstArgument("\"C:\\unclosed", argument, 6);
    EXPECT_STREQ("C:\\un", argument);
}
