// Files dropped on the main window and paths handed over by a second start: the drop is built
// inside the process, as the system would hand it over (a drop handle does not cross
// processes), and so is the hand-over's data.
#include "tests/shell/main_window_fixture.h"
#include "tests/support/modal_driver.h"
#include "tests/support/test_main.h"
#include "board/board_state.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "files/path_field.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/piece_groups.h"
#include "shell/game_view.h"
#include <shlobj.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

const wchar_t kNotFound[] = L"ファイルが見つかりません。\n";

HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t size = sizeof(DROPFILES) + sizeof(wchar_t);
    for (const std::wstring& path : paths)
        size += (path.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    DROPFILES* drop = (DROPFILES*)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    wchar_t* at = (wchar_t*)(drop + 1);
    for (const std::wstring& path : paths) {
        memcpy(at, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        at += path.size() + 1;
    }
    GlobalUnlock(memory);
    return (HDROP)memory;
}

// Drops the files and hands the one modal window that comes to act.
void DropAndAnswer(const std::vector<std::wstring>& paths, const std::function<void(HWND)>& act)
{
    WithModalWindow(
        [&paths] {
            SendMessageW(g_shell.mainWindow, WM_DROPFILES, (WPARAM)MakeDrop(paths), 0);
            PumpMessages(600);
        },
        act);
}

void PressOkOnSettings(HWND settings)
{
    EXPECT_EQ(L"設定", WindowText(settings));
    PressButton(settings, IDOK);
}

void WriteFile(const std::wstring& path, const void* bytes, size_t size)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(nullptr, file) << path;
    fwrite(bytes, 1, size, file);
    fclose(file);
}

// Hands over size bytes under mark as a second start does; whether the window took them,
// and the text of the message box that followed, empty when none came.
struct HandOver {
    bool taken;
    std::wstring box;
};

HandOver HandOverBytes(ULONG_PTR mark, const void* bytes, size_t size)
{
    COPYDATASTRUCT data = {mark, (DWORD)size, (void*)bytes};
    HandOver result = {false, L""};
    result.box = MessageBoxTextDuring([&] {
        result.taken = SendMessageW(g_shell.mainWindow, WM_COPYDATA, 0, (LPARAM)&data) != 0;
        PumpMessages(600);
    });
    return result;
}

const ULONG_PTR kUtf16Mark = 0x514C5402;
const ULONG_PTR kCodePageMark = 0x514C5401;

}  // namespace

// 表 and ソ end in the byte of a backslash: the folder's name must survive every step.
TEST_F(MainWindowTest, DroppedFilesOpenAsTheMenuCommandsWouldAndOthersAreRefused)
{
    const std::wstring folder = TestPath(0, "PICTURE_FOLDER") + L"\\表ソ drop";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring picture = folder + L"\\写真.png", text = folder + L"\\メモ.txt",
                       game = folder + L"\\ゲーム.qlt";
    ASSERT_TRUE(
        CopyFileW((TestPath(0, "PICTURE_FOLDER") + L"\\wide.png").c_str(), picture.c_str(), FALSE));
    WriteFile(text, "not a picture\r\n", 15);
    // A game of 3 x 2 pieces on the picture, as the program saves one.
    wcscpy(g_picturePath, picture.c_str());
    ASSERT_EQ(kPictureOpened, OpenPicture(g_shell.mainWindow, false));
    g_game.header.columns = 3;
    g_game.header.rows = 2;
    CutPieces();
    std::vector<unsigned char> bytes;
    BuildGameFileFor(picture.c_str(), g_game.header, g_game.pieces, g_groups.groupOfCell, &bytes);
    WriteFile(game, bytes.data(), bytes.size());
    EndGame();

    const std::wstring refusal =
        L"ゲームファイルでも画像ファイルでもないため、開けません。\n" + text;
    DropAndAnswer({text}, [&refusal](HWND box) {
        EXPECT_EQ(refusal, MessageText(box));
        PressButton(box, IDOK);
    });
    EXPECT_FALSE(g_board.gameActive);

    // Of two files the first is taken: the picture, whose settings come as with New.
    DropAndAnswer({picture, text}, PressOkOnSettings);
    ASSERT_TRUE(g_board.gameActive);
    EXPECT_EQ(picture, g_picturePath);
    EXPECT_STREQ(L"", g_gameName);

    DropAndAnswer({game}, [](HWND question) {
        EXPECT_EQ(L"ゲームを中止しますがよろしいですか？", MessageText(question));
        PressButton(question, IDYES);
    });
    ASSERT_TRUE(g_board.gameActive);
    EXPECT_EQ(game, g_gamePath);
    EXPECT_EQ(6, g_game.header.pieceCount);

    // Refused before anything is asked: the game stays as it was.
    const std::wstring missing = folder + L"\\消えた.jpg";
    for (const std::wstring& refused : {text, missing}) {
        const std::wstring message = refused == text ? refusal : kNotFound + missing;
        DropAndAnswer({refused}, [&message](HWND box) {
            EXPECT_EQ(message, MessageText(box));
            PressButton(box, IDOK);
        });
        EXPECT_TRUE(g_board.gameActive);
        EXPECT_EQ(game, g_gamePath);
        EXPECT_EQ(6, g_game.header.pieceCount);
    }
    EndGame();
}

// The longest path the program keeps, in characters no code page spells, is taken whole; one
// unit more is refused with the path the player dropped, never cut to the file it would be
// cut to.
TEST_F(MainWindowTest, ADroppedPathIsTakenWholeOrRefusedNeverCut)
{
    const std::wstring folder = TestPath(0, "PICTURE_FOLDER") + L"\\Zoë ♥ 사진 drop";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::wstring start = folder + L"\\Café ☕ 🎲 ";
    const int padding = kPathCapacity - 1 - (int)start.size() - 4;
    // A Unix file name holds at most 255 bytes.
    ASSERT_TRUE(padding > 0 && padding < 230) << "the build folder's path is " << folder;
    const std::wstring longest = start + std::wstring(padding, L'a') + L".png";
    ASSERT_EQ((size_t)kPathCapacity - 1, longest.size());
    ASSERT_TRUE(
        CopyFileW((TestPath(0, "PICTURE_FOLDER") + L"\\wide.png").c_str(), longest.c_str(), FALSE));

    DropAndAnswer({longest}, PressOkOnSettings);
    ASSERT_TRUE(g_board.gameActive);
    EXPECT_EQ(longest, g_picturePath);

    const std::wstring tooLong = longest + L"x";
    DropAndAnswer({tooLong}, [&tooLong](HWND box) {
        EXPECT_EQ(L"ファイルのパスが長すぎます。\n" + tooLong, MessageText(box));
        PressButton(box, IDOK);
    });
    EXPECT_TRUE(g_board.gameActive);
    EXPECT_EQ(longest, g_picturePath);
    EndGame();
    DeleteFileW(longest.c_str());
    RemoveDirectoryW(folder.c_str());
}

// A second start of this build hands its path over in UTF-16, one of an earlier build in the
// code page's bytes; the path reaches the window whole either way (the file is missing, so
// the refusal names it). The bytes come from another process: anything that is not a
// terminated path of a sane length is refused unread.
TEST_F(MainWindowTest, AHandedOverPathIsTakenWholeInEitherFormAndMalformedOnesAreRefused)
{
    const std::wstring folder = TestPath(0, "PICTURE_FOLDER");
    const std::wstring unicode = folder + L"\\Zoë ♥ 사진 🎲.qlt";
    const size_t unicodeSize = (unicode.size() + 1) * sizeof(wchar_t);
    HandOver handed = HandOverBytes(kUtf16Mark, unicode.c_str(), unicodeSize);
    EXPECT_TRUE(handed.taken);
    EXPECT_EQ(kNotFound + unicode, handed.box);

    ASSERT_EQ(932u, GetACP()) << "the earlier build's bytes below are Shift-JIS";
    std::string codePage(folder.begin(), folder.end());  // the bench's folders are ASCII
    codePage += "\\\x95\x5c\x83\x5c.qlt";                // \表ソ.qlt
    handed = HandOverBytes(kCodePageMark, codePage.c_str(), codePage.size() + 1);
    EXPECT_TRUE(handed.taken);
    EXPECT_EQ(kNotFound + folder + L"\\表ソ.qlt", handed.box);

    // The shortest paths too long, kPathCapacity units and then the terminator; a unit past
    // the terminator, so that only an odd count is wrong.
    const std::wstring tooLong =
        folder + L"\\" + std::wstring(kPathCapacity - folder.size() - 1, L'a');
    const std::string tooLongBytes(tooLong.begin(), tooLong.end());
    const std::wstring unicodeAndMore = unicode + L'\0' + L'x';
    const struct {
        const char* what;
        ULONG_PTR mark;
        const void* bytes;
        size_t size;
    } malformed[] = {
        {"an odd byte count", kUtf16Mark, unicodeAndMore.c_str(), unicodeSize + 1},
        {"no terminator", kUtf16Mark, unicode.c_str(), unicodeSize - sizeof(wchar_t)},
        {"too long", kUtf16Mark, tooLong.c_str(), (tooLong.size() + 1) * sizeof(wchar_t)},
        {"no terminator in the code page", kCodePageMark, codePage.c_str(), codePage.size()},
        {"too long in the code page", kCodePageMark, tooLongBytes.c_str(), tooLongBytes.size() + 1},
        {"another mark", kUtf16Mark + 1, unicode.c_str(), unicodeSize},
    };
    for (const auto& bad : malformed) {
        handed = HandOverBytes(bad.mark, bad.bytes, bad.size);
        EXPECT_FALSE(handed.taken) << bad.what;
        EXPECT_EQ(L"", handed.box) << bad.what;
    }
}
