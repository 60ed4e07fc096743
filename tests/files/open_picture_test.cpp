#include "tests/support/dialog_owner.h"
#include "tests/support/modal_driver.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "files/file_names.h"
#include "files/open_picture.h"
#include "model/game_state.h"
#include "shell/shell_state.h"
#include "win/image_library.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

namespace {

// Wine 8's open dialog keeps the file name in an Edit inside this ComboBoxEx32.
const int kFileNameBox = 0x47C;
const int kFileTypeList = 0x470;

const char kUnsupported[] = "この形式のファイルには対応していません。";
const char kNoPictureData[] = "画像データを取得できません。";

void TypeFileName(HWND dialog, const std::string& path)
{
    HWND box = GetDlgItem(dialog, kFileNameBox);
    HWND combo = FindWindowExA(box, nullptr, "ComboBox", nullptr);
    HWND edit = FindWindowExA(combo ? combo : box, nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
}

class OpenPictureTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ClearFileNames();
    }

    bool OpenWithoutDialog(const std::string& path)
    {
        strcpy(g_picturePath, path.c_str());
        return OpenPicture(false);
    }

    void ExpectPicture(int width, int height)
    {
        EXPECT_NE(nullptr, g_view.pictureDib);
        EXPECT_EQ(width, g_view.pictureInfo.biWidth);
        EXPECT_EQ(height, g_view.pictureInfo.biHeight);
    }

    // The refusal's message box text; the game is abandoned with it.
    std::string RefusalOf(const std::string& path)
    {
        bool opened = true;
        std::string text = MessageBoxTextDuring([&] { opened = OpenWithoutDialog(path); });
        EXPECT_FALSE(opened);
        EXPECT_EQ(nullptr, g_view.pictureDib);
        EXPECT_STREQ("", g_picturePath);
        return text;
    }
};

}  // namespace

// Each known extension is shown twice: a picture of that format loads, and a picture of
// another format under that name reaches the same loader and is refused, where the
// probe would have recognised it.
TEST_F(OpenPictureTest, UpperAndMixedCaseExtensionsAreKnownNames)
{
    const struct {
        const char *picture, *otherInside;
        int width, height;
    } names[] = {{"PHOTO.JPG", "GIF_INSIDE.JPG", 640, 480},
                 {"a.Jpeg", "png_inside.Jpeg", 480, 640},
                 {"x.BMP", "png_inside.BMP", 320, 200}};
    for (const auto& name : names) {
        EXPECT_TRUE(OpenWithoutDialog(PictureFixture(name.picture))) << name.picture;
        ExpectPicture(name.width, name.height);
        const std::string other = PictureFixture(name.otherInside);
        EXPECT_EQ(kNoPictureData + ("\n" + other), RefusalOf(other));
    }
}

TEST_F(OpenPictureTest, PngAndGifAreLoadedByTheirExtensions)
{
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture("wide.png")));
    ExpectPicture(300, 100);
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture("small.gif")));
    ExpectPicture(64, 48);
}

TEST_F(OpenPictureTest, AJpeExtensionIsLeftToTheProbe)
{
    // A PNG inside: only the probe can tell.
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture("png_inside.jpe")));
    ExpectPicture(200, 150);
}

TEST_F(OpenPictureTest, ANameWithoutExtensionIsLeftToTheProbe)
{
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture("gif_without_extension")));
    ExpectPicture(64, 48);
}

TEST_F(OpenPictureTest, APngNamedJpgReachesTheJpegLoaderAndIsRefused)
{
    std::string path = PictureFixture("png_named.jpg");
    EXPECT_EQ(kNoPictureData + ("\n" + path), RefusalOf(path));
}

TEST_F(OpenPictureTest, AFileNoProbeKnowsIsRefused)
{
    std::string path = PictureFixture("notes.xyz");
    FILE* file = fopen(path.c_str(), "w");
    ASSERT_NE(nullptr, file);
    fputs("Not a picture at all.\n", file);
    fclose(file);
    EXPECT_EQ(kUnsupported + ("\n" + path), RefusalOf(path));
}

TEST_F(OpenPictureTest, ARefusedFileEndsTheGame)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    g_game.header.pieceCount = 108;
    g_shell.gameActive = 1;
    RefusalOf(PictureFixture("png_named.jpg"));
    EXPECT_EQ(0, g_game.header.pieceCount);
    EXPECT_EQ(0, g_shell.gameActive);
}

TEST_F(OpenPictureTest, TheDialogShowsItsTitleAndFilters)
{
    WithModalWindow([] { OpenPicture(true); },
                    [](HWND dialog) {
                        EXPECT_EQ("画像ファイルを開く", WindowText(dialog));
                        HWND types = GetDlgItem(dialog, kFileTypeList);
                        EXPECT_EQ(5, SendMessageA(types, CB_GETCOUNT, 0, 0));
                        char first[64] = "";
                        SendMessageA(types, CB_GETLBTEXT, SendMessageA(types, CB_GETCURSEL, 0, 0),
                                     (LPARAM)first);
                        EXPECT_STREQ("JPEG ファイル(*.jpg,*.jpeg)", first);
                        char last[64] = "";
                        SendMessageA(types, CB_GETLBTEXT, 4, (LPARAM)last);
                        EXPECT_STREQ("すべてのファイル(*.*)", last);
                        PressButton(dialog, IDCANCEL);
                    });
}

// While the refusal is on screen the old game's board still paints, from the old picture:
// it stays whole until the game ends with the message.
TEST_F(OpenPictureTest, APictureThatDoesNotDecodeLeavesTheOldOneWholeWhileItIsReported)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    void* old = g_view.pictureDib;
    strcpy(g_picturePath, PictureFixture("png_named.jpg").c_str());
    WithModalWindow([] { EXPECT_FALSE(OpenPicture(false)); },
                    [old](HWND box) {
                        EXPECT_EQ(old, g_view.pictureDib);
                        EXPECT_EQ(640, g_view.pictureInfo.biWidth);
                        PressButton(box, IDOK);
                    });
    EXPECT_EQ(nullptr, g_view.pictureDib);
}

// Between a new picture and its game's view (the settings are asked in between), the old
// game's board still paints its zoomed picture: the old picture is kept until then.
TEST_F(OpenPictureTest, TheOldPictureStaysShownUntilTheNewViewIsBuilt)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    void* old = g_view.pictureDib;
    SetZoomedPicture((const uint32_t*)GetPicturePixels((PictureHandle)old), 640, 480, 64, 48);
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("wide.png")));
    ExpectPicture(300, 100);
    EXPECT_EQ(old, g_view.replacedPicture);
    ASSERT_TRUE(HasZoomedPicture());
    EXPECT_NE(nullptr, ZoomedPart(PixelRect{0, 0, 64, 48}).image->pixels);
    ReleaseViewResources();
    EXPECT_EQ(nullptr, g_view.replacedPicture);
    EXPECT_FALSE(HasZoomedPicture());
}

TEST_F(OpenPictureTest, CancellingTheDialogChangesNothing)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    void* picture = g_view.pictureDib;
    strcpy(g_gameName, "cat.qlt");
    strcpy(g_shell.PicDir, "C:\\");
    bool opened = true;
    WithModalWindow([&opened] { opened = OpenPicture(true); },
                    [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(picture, g_view.pictureDib);
    EXPECT_EQ(PictureFixture("PHOTO.JPG"), g_picturePath);
    EXPECT_STREQ("cat.qlt", g_gameName);
    EXPECT_STREQ("C:\\", g_shell.PicDir);
}

TEST_F(OpenPictureTest, AChosenPictureStartsAnUntitledGameAndBecomesThePictureFolder)
{
    // 表 and ソ both end in the byte of a backslash.
    std::string folder = PictureFixture("表ソ");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\写真.jpg";
    ASSERT_TRUE(CopyFileA(PictureFixture("PHOTO.JPG").c_str(), path.c_str(), FALSE));
    strcpy(g_gamePath, "C:\\games\\cat.qlt");
    strcpy(g_gameName, "cat.qlt");
    bool opened = false;
    WithModalWindow([&opened] { opened = OpenPicture(true); },
                    [&path](HWND dialog) {
                        TypeFileName(dialog, path);
                        PressButton(dialog, IDOK);
                    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(path, g_picturePath);
    EXPECT_EQ(folder + "\\", g_shell.PicDir);
    EXPECT_STREQ("", g_gamePath);
    EXPECT_STREQ("", g_gameName);
    ExpectPicture(640, 480);
}
