// Files dropped on the main window: the drop is built inside the process, as the system would
// hand it over (a drop handle does not cross processes).
#include "tests/shell/main_window_fixture.h"
#include "tests/support/modal_driver.h"
#include "tests/support/test_main.h"
#include "board/board_state.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/game_format.h"
#include "files/open_picture.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "shell/game_view.h"
#include <shlobj.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    DROPFILES* drop = (DROPFILES*)GlobalLock(memory);
    drop->pFiles = sizeof(DROPFILES);
    char* at = (char*)(drop + 1);
    for (const std::string& path : paths) {
        memcpy(at, path.c_str(), path.size() + 1);
        at += path.size() + 1;
    }
    GlobalUnlock(memory);
    return (HDROP)memory;
}

// Drops the files and hands the one modal window that comes to act.
void DropAndAnswer(const std::vector<std::string>& paths, const std::function<void(HWND)>& act)
{
    WithModalWindow(
        [&paths] {
            SendMessageA(g_shell.mainWindow, WM_DROPFILES, (WPARAM)MakeDrop(paths), 0);
            PumpMessages(600);
        },
        act);
}

void WriteFile(const std::string& path, const void* bytes, size_t size)
{
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file) << path;
    fwrite(bytes, 1, size, file);
    fclose(file);
}

}  // namespace

// 表 and ソ end in the byte of a backslash: the folder's name must survive every step.
TEST_F(MainWindowTest, DroppedFilesOpenAsTheMenuCommandsWouldAndOthersAreRefused)
{
    const std::string folder = TestPath(0, "PICTURE_FOLDER") + "\\表ソ drop";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string picture = folder + "\\写真.png", text = folder + "\\メモ.txt",
                      game = folder + "\\ゲーム.qlt";
    ASSERT_TRUE(
        CopyFileA((TestPath(0, "PICTURE_FOLDER") + "\\wide.png").c_str(), picture.c_str(), FALSE));
    WriteFile(text, "not a picture\r\n", 15);
    // A game of 3 x 2 pieces on the picture, as the program saves one.
    strcpy(g_picturePath, picture.c_str());
    ASSERT_EQ(kPictureOpened, OpenPicture(g_shell.mainWindow, false));
    g_game.header.columns = 3;
    g_game.header.rows = 2;
    CutPieces();
    std::vector<unsigned char> bytes;
    BuildGameFile(picture.c_str(), g_game.header, g_game.pieces, &bytes);
    WriteFile(game, bytes.data(), bytes.size());
    EndGame();

    const std::string refusal = "ゲームファイルでも画像ファイルでもないため、開けません。\n" + text;
    DropAndAnswer({text}, [&refusal](HWND box) {
        EXPECT_EQ(refusal, MessageText(box));
        PressButton(box, IDOK);
    });
    EXPECT_FALSE(g_board.gameActive);

    // Of two files the first is taken: the picture, whose settings come as with New.
    DropAndAnswer({picture, text}, [](HWND settings) {
        EXPECT_EQ("設定", WindowText(settings));
        PressButton(settings, IDOK);
    });
    ASSERT_TRUE(g_board.gameActive);
    EXPECT_EQ(picture, g_picturePath);
    EXPECT_STREQ("", g_gameName);

    DropAndAnswer({game}, [](HWND question) {
        EXPECT_EQ("ゲームを中止しますがよろしいですか？", MessageText(question));
        PressButton(question, IDYES);
    });
    ASSERT_TRUE(g_board.gameActive);
    EXPECT_EQ(game, g_gamePath);
    EXPECT_EQ(6, g_game.header.pieceCount);

    // Refused before anything is asked: the game stays as it was. A picture's name that is
    // not there is what a name the code page cannot spell comes back as.
    const std::string missing = folder + "\\消えた.jpg";
    for (const std::string& refused : {text, missing}) {
        const std::string message =
            refused == text ? refusal : "ファイルが見つかりません。\n" + missing;
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
