#include "tests/support/dialog_owner.h"
#include "tests/support/modal_driver.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "model/cut_pieces.h"
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
        // A refusal leaves the pictures to the caller, as an old game keeps its own.
        ReleaseViewResources();
    }

    bool OpenWithoutDialog(const std::string& path)
    {
        strcpy(g_picturePath, path.c_str());
        return OpenPicture(g_shell.mainWindow, false) == kPictureOpened;
    }

    void ExpectPicture(int width, int height)
    {
        EXPECT_NE(nullptr, g_view.pictureDib);
        EXPECT_EQ(width, g_view.pictureInfo.biWidth);
        EXPECT_EQ(height, g_view.pictureInfo.biHeight);
    }

    // The refusal's message box text. The picture before stays: ending the game is the
    // caller's.
    std::string RefusalOf(const std::string& path)
    {
        void* before = g_view.pictureDib;
        bool opened = true;
        std::string text = MessageBoxTextDuring([&] { opened = OpenWithoutDialog(path); });
        EXPECT_FALSE(opened);
        EXPECT_EQ(before, g_view.pictureDib);
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

TEST_F(OpenPictureTest, TheDialogShowsItsTitleAndFilters)
{
    WithModalWindow([] { OpenPicture(g_shell.mainWindow, true); },
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
// it stays whole until the caller ends the game.
TEST_F(OpenPictureTest, APictureThatDoesNotDecodeLeavesTheOldOneWholeWhileItIsReported)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    void* old = g_view.pictureDib;
    strcpy(g_picturePath, PictureFixture("png_named.jpg").c_str());
    WithModalWindow([] { EXPECT_EQ(kPictureRefused, OpenPicture(g_shell.mainWindow, false)); },
                    [old](HWND box) {
                        EXPECT_EQ(old, g_view.pictureDib);
                        EXPECT_EQ(640, g_view.pictureInfo.biWidth);
                        PressButton(box, IDOK);
                    });
    EXPECT_EQ(old, g_view.pictureDib);
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
    strcpy(g_folders.PicDir, "C:\\");
    bool opened = true;
    WithModalWindow([&opened] { opened = OpenPicture(g_shell.mainWindow, true) == kPictureOpened; },
                    [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(picture, g_view.pictureDib);
    EXPECT_EQ(PictureFixture("PHOTO.JPG"), g_picturePath);
    EXPECT_STREQ("cat.qlt", g_gameName);
    EXPECT_STREQ("C:\\", g_folders.PicDir);
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
    WithModalWindow([&opened] { opened = OpenPicture(g_shell.mainWindow, true) == kPictureOpened; },
                    [&path](HWND dialog) {
                        TypeFileName(dialog, path);
                        PressButton(dialog, IDOK);
                    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(path, g_picturePath);
    EXPECT_EQ(folder + "\\", g_folders.PicDir);
    EXPECT_STREQ("", g_gamePath);
    EXPECT_STREQ("", g_gameName);
    ExpectPicture(640, 480);
}

// A game file opened while a game is on the board, whose picture has moved: the old game
// stays whole while the player is told and asked, and after a cancel (the shell then ends
// it); found, the new game takes the board, untitled.
TEST_F(OpenPictureTest, AGameFileWhosePictureMovedLeavesTheOldGameWholeUntilItIsFound)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("wide.png")));
    g_game.header.columns = 3;
    g_game.header.rows = 2;
    CutPieces();
    std::vector<unsigned char> bytes;
    BuildGameFile(PictureFixture("moved away.png").c_str(), g_game.header, g_game.pieces, &bytes);
    const std::string gameFile = PictureFixture("moved.qlt");
    FILE* file = fopen(gameFile.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);

    ResetGameState();
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture("PHOTO.JPG")));
    void* oldPicture = g_view.pictureDib;
    g_game.header.pieceCount = 4;
    const auto oldGameIsWhole = [oldPicture] {
        EXPECT_EQ(4, g_game.header.pieceCount);
        EXPECT_EQ(oldPicture, g_view.pictureDib);
    };
    GameLoad load = kGameLoaded;
    const auto tellThenAsk = [&](const std::function<void(HWND)>& answer) {
        WithModalWindows(
            [&] { load = LoadGameFile(g_shell.mainWindow, gameFile.c_str(), gameFile.c_str()); },
            {[&](HWND notice) {
                 EXPECT_EQ("画像ファイルがありません", MessageText(notice));
                 oldGameIsWhole();
                 PressButton(notice, IDOK);
             },
             [&](HWND dialog) {
                 oldGameIsWhole();
                 answer(dialog);
             }});
    };
    tellThenAsk([](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_EQ(kGameWithoutPicture, load);
    oldGameIsWhole();

    const std::string found = PictureFixture("wide.png");
    tellThenAsk([&found](HWND dialog) {
        TypeFileName(dialog, found);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(kGameLoadedWithNewPicture, load);
    EXPECT_EQ(6, g_game.header.pieceCount);
    ExpectPicture(300, 100);
    EXPECT_EQ(oldPicture, g_view.replacedPicture) << "the old board paints until the new view";
    EXPECT_EQ(found, g_picturePath);
    EXPECT_STREQ("", g_gameName);
    DeleteFileA(gameFile.c_str());
}
