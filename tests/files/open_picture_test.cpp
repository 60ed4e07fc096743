#include "tests/support/dialog_owner.h"
#include "tests/support/modal_driver.h"
#include "tests/support/windows_path.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "files/path_field.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/piece_groups.h"
#include "shell/shell_state.h"
#include "win/image_library.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>
#include <utility>

namespace {

// Wine 8's open dialog keeps the file name in an Edit inside this ComboBoxEx32.
const int kFileNameBox = 0x47C;
const int kFileTypeList = 0x470;

const wchar_t kUnsupported[] = L"この形式のファイルには対応していません。";
const wchar_t kNoPictureData[] = L"画像データを取得できません。";

void TypeFileName(HWND dialog, const std::wstring& path)
{
    HWND box = GetDlgItem(dialog, kFileNameBox);
    HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
    HWND edit = FindWindowExW(combo ? combo : box, nullptr, L"Edit", nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, (LPARAM)path.c_str());
}

// The volume and index of the file open at a handle, which tell one file from another
// whatever name reached it; zeros where it did not open. Closes the handle.
std::pair<DWORD, ULONGLONG> FileIdentity(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info = {};
    if (file == INVALID_HANDLE_VALUE)
        return {0, 0};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return {info.dwVolumeSerialNumber, (ULONGLONG)info.nFileIndexHigh << 32 | info.nFileIndexLow};
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

    bool OpenWithoutDialog(const std::wstring& path)
    {
        wcscpy(g_picturePath, path.c_str());
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
    std::wstring RefusalOf(const std::wstring& path)
    {
        void* before = g_view.pictureDib;
        bool opened = true;
        std::wstring text = MessageBoxTextDuring([&] { opened = OpenWithoutDialog(path); });
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
        const wchar_t *picture, *otherInside;
        int width, height;
    } names[] = {{L"PHOTO.JPG", L"GIF_INSIDE.JPG", 640, 480},
                 {L"a.Jpeg", L"png_inside.Jpeg", 480, 640},
                 {L"x.BMP", L"png_inside.BMP", 320, 200}};
    for (const auto& name : names) {
        EXPECT_TRUE(OpenWithoutDialog(PictureFixture(name.picture))) << name.picture;
        ExpectPicture(name.width, name.height);
        const std::wstring other = PictureFixture(name.otherInside);
        EXPECT_EQ(kNoPictureData + (L"\n" + other), RefusalOf(other));
    }
}

TEST_F(OpenPictureTest, PngAndGifAreLoadedByTheirExtensions)
{
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture(L"wide.png")));
    ExpectPicture(300, 100);
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture(L"small.gif")));
    ExpectPicture(64, 48);
}

TEST_F(OpenPictureTest, AJpeExtensionIsLeftToTheProbe)
{
    // A PNG inside: only the probe can tell.
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture(L"png_inside.jpe")));
    ExpectPicture(200, 150);
}

TEST_F(OpenPictureTest, ANameWithoutExtensionIsLeftToTheProbe)
{
    EXPECT_TRUE(OpenWithoutDialog(PictureFixture(L"gif_without_extension")));
    ExpectPicture(64, 48);
}

TEST_F(OpenPictureTest, APngNamedJpgReachesTheJpegLoaderAndIsRefused)
{
    std::wstring path = PictureFixture(L"png_named.jpg");
    EXPECT_EQ(kNoPictureData + (L"\n" + path), RefusalOf(path));
}

TEST_F(OpenPictureTest, AFileNoProbeKnowsIsRefused)
{
    std::wstring path = PictureFixture(L"notes.xyz");
    FILE* file = _wfopen(path.c_str(), L"w");
    ASSERT_NE(nullptr, file);
    fputs("Not a picture at all.\n", file);
    fclose(file);
    EXPECT_EQ(kUnsupported + (L"\n" + path), RefusalOf(path));
}

TEST_F(OpenPictureTest, TheDialogShowsItsTitleAndFilters)
{
    WithModalWindow([] { OpenPicture(g_shell.mainWindow, true); },
                    [](HWND dialog) {
                        EXPECT_EQ(L"画像ファイルを開く", WindowText(dialog));
                        HWND types = GetDlgItem(dialog, kFileTypeList);
                        EXPECT_EQ(5, SendMessageW(types, CB_GETCOUNT, 0, 0));
                        wchar_t first[64] = L"";
                        SendMessageW(types, CB_GETLBTEXT, SendMessageW(types, CB_GETCURSEL, 0, 0),
                                     (LPARAM)first);
                        EXPECT_STREQ(L"JPEG ファイル(*.jpg,*.jpeg)", first);
                        wchar_t last[64] = L"";
                        SendMessageW(types, CB_GETLBTEXT, 4, (LPARAM)last);
                        EXPECT_STREQ(L"すべてのファイル(*.*)", last);
                        PressButton(dialog, IDCANCEL);
                    });
}

// While the refusal is on screen the old game's board still paints, from the old picture:
// it stays whole until the caller ends the game.
TEST_F(OpenPictureTest, APictureThatDoesNotDecodeLeavesTheOldOneWholeWhileItIsReported)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"PHOTO.JPG")));
    void* old = g_view.pictureDib;
    wcscpy(g_picturePath, PictureFixture(L"png_named.jpg").c_str());
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
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"PHOTO.JPG")));
    void* old = g_view.pictureDib;
    SetZoomedPicture((const uint32_t*)GetPicturePixels((PictureHandle)old), 640, 480, 64, 48);
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"wide.png")));
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
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"PHOTO.JPG")));
    void* picture = g_view.pictureDib;
    wcscpy(g_gameName, L"cat.qlt");
    wcscpy(g_folders.PicDir, L"C:\\");
    bool opened = true;
    WithModalWindow([&opened] { opened = OpenPicture(g_shell.mainWindow, true) == kPictureOpened; },
                    [](HWND dialog) { PressButton(dialog, IDCANCEL); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(picture, g_view.pictureDib);
    EXPECT_EQ(PictureFixture(L"PHOTO.JPG"), g_picturePath);
    EXPECT_STREQ(L"cat.qlt", g_gameName);
    EXPECT_STREQ(L"C:\\", g_folders.PicDir);
}

TEST_F(OpenPictureTest, AChosenPictureStartsAnUntitledGameAndBecomesThePictureFolder)
{
    // 表 and ソ both end in the byte of a backslash.
    std::wstring folder = PictureFixture(L"表ソ");
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring path = folder + L"\\写真.jpg";
    ASSERT_TRUE(CopyFileW(PictureFixture(L"PHOTO.JPG").c_str(), path.c_str(), FALSE));
    wcscpy(g_gamePath, L"C:\\games\\cat.qlt");
    wcscpy(g_gameName, L"cat.qlt");
    bool opened = false;
    WithModalWindow([&opened] { opened = OpenPicture(g_shell.mainWindow, true) == kPictureOpened; },
                    [&path](HWND dialog) {
                        TypeFileName(dialog, path);
                        PressButton(dialog, IDOK);
                    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(path, g_picturePath);
    EXPECT_EQ(folder + L"\\", g_folders.PicDir);
    EXPECT_STREQ(L"", g_gamePath);
    EXPECT_STREQ(L"", g_gameName);
    ExpectPicture(640, 480);
}

// A game file opened while a game is on the board, whose picture has moved: the old game
// stays whole while the player is told and asked, and after a cancel (the shell then ends
// it); found, the new game takes the board, untitled.
TEST_F(OpenPictureTest, AGameFileWhosePictureMovedLeavesTheOldGameWholeUntilItIsFound)
{
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"wide.png")));
    g_game.header.columns = 3;
    g_game.header.rows = 2;
    CutPieces();
    std::vector<unsigned char> bytes;
    BuildGameFileFor(PictureFixture(L"moved away.png").c_str(), g_game.header, g_game.pieces,
                     g_groups.groupOfCell, &bytes);
    const std::wstring gameFile = PictureFixture(L"moved.qlt");
    ASSERT_EQ(nullptr, WriteGameFile(gameFile.c_str(), bytes));

    ResetGameState();
    ASSERT_TRUE(OpenWithoutDialog(PictureFixture(L"PHOTO.JPG")));
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
                 EXPECT_EQ(L"画像ファイルがありません", MessageText(notice));
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

    const std::wstring found = PictureFixture(L"wide.png");
    tellThenAsk([&found](HWND dialog) {
        TypeFileName(dialog, found);
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(kGameLoadedWithNewPicture, load);
    EXPECT_EQ(6, g_game.header.pieceCount);
    ExpectPicture(300, 100);
    EXPECT_EQ(oldPicture, g_view.replacedPicture) << "the old board paints until the new view";
    EXPECT_EQ(found, g_picturePath);
    EXPECT_STREQ(L"", g_gameName);
    DeleteFileW(gameFile.c_str());
}

// A picture whose folder and name no code page spells opens, and its game keeps the path
// whole, in a path block after the records: the path field holds only what an earlier build
// can open, the short form of the same file, or nothing. A path the code page spells gives
// the very bytes of the format before blocks, which every earlier build reads.
TEST_F(OpenPictureTest, APictureOfAnyNameOpensAndItsGameLoadsBackWithThePathWhole)
{
    const std::wstring folder = PictureFixture(L"Zoë ♥ 사진");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::wstring picture = folder + L"\\Café ☕.png", game = folder + L"\\ゲーム ♥.qlt";
    ASSERT_TRUE(CopyFileW(PictureFixture(L"wide.png").c_str(), picture.c_str(), FALSE));
    ASSERT_EQ(kPictureOpened, OpenPictureAt(g_shell.mainWindow, picture.c_str()));
    ExpectPicture(300, 100);
    EXPECT_EQ(picture, g_picturePath);
    EXPECT_EQ(folder + L"\\", g_folders.PicDir);

    g_game.header.columns = 3;
    g_game.header.rows = 2;
    CutPieces();
    std::vector<unsigned char> bytes;
    BuildGameFileFor(picture.c_str(), g_game.header, g_game.pieces, g_groups.groupOfCell, &bytes);
    const size_t records = kGameFilePrefixSize + 6 * sizeof(PieceRecord);
    ASSERT_GT(bytes.size(), records + kBlockHeaderSize);
    EXPECT_EQ(0, memcmp(&bytes[records], "PATH", 4));
    EXPECT_EQ(picture, Utf16((const char*)&bytes[records + kBlockHeaderSize]));
    const char* field = (const char*)&bytes[kGameSignatureSize];
    if (field[0]) {
        EXPECT_EQ(FileIdentity(CreateFileW(picture.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr)),
                  FileIdentity(CreateFileA(field, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr)))
            << field;
    }
    ASSERT_EQ(nullptr, WriteGameFile(game.c_str(), bytes));

    ResetGameState();
    ClearFileNames();
    ReleaseViewResources();
    EXPECT_EQ(kGameLoaded, LoadGameFile(g_shell.mainWindow, game.c_str(), game.c_str()));
    EXPECT_EQ(picture, g_picturePath);
    EXPECT_EQ(game, g_gamePath);
    EXPECT_EQ(6, g_game.header.pieceCount);
    ExpectPicture(300, 100);
    ReleaseViewResources();
    EXPECT_TRUE(DeleteFileW(picture.c_str()));
    EXPECT_TRUE(DeleteFileW(game.c_str()));
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));

    ASSERT_EQ(932u, GetACP()) << "the field below is Shift-JIS";
    const std::wstring fixtures = PictureFixture(L"");
    char spelled[kGamePathSize] = {};
    // The fixtures' folder is ASCII on the bench; then \表ソ\写真.jpg, whose 表 and ソ end in
    // the byte of a backslash.
    snprintf(spelled, sizeof spelled, "%s\x95\x5c\x83\x5c\\\x8e\xca\x90\x5e.jpg",
             std::string(fixtures.begin(), fixtures.end()).c_str());
    std::vector<unsigned char> before;
    BuildGameFile(spelled, g_game.header, g_game.pieces, &before);
    BuildGameFileFor((fixtures + L"表ソ\\写真.jpg").c_str(), g_game.header, g_game.pieces,
                     g_groups.groupOfCell, &bytes);
    EXPECT_EQ(before, bytes);
}
