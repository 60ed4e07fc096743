#include "tests/support/dialog_owner.h"
#include "tests/support/modal_driver.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/open_picture.h"
#include "model/game_state.h"
#include "model/new_puzzle.h"
#include "model/settings_dialog.h"
#include "resources/resource_ids.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <set>
#include <wchar.h>
#include <utility>

namespace {

// What the dialog shows; a count is -1 when its list has no selection.
struct Shown {
    int columns;
    int rows;
    std::wstring pieces;
    bool square;
};

int ShownCount(HWND dialog, int list)
{
    int index = (int)SendDlgItemMessageW(dialog, list, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : index + 2;
}

Shown Read(HWND dialog)
{
    wchar_t pieces[32] = L"";
    GetDlgItemTextW(dialog, IDC_PIECECOUNT, pieces, 32);
    return {ShownCount(dialog, IDC_COLUMNS), ShownCount(dialog, IDC_ROWS), pieces,
            IsDlgButtonChecked(dialog, IDC_SQUARE) == BST_CHECKED};
}

void ExpectShown(HWND dialog, int columns, int rows, const wchar_t* pieces)
{
    Shown shown = Read(dialog);
    EXPECT_EQ(columns, shown.columns);
    EXPECT_EQ(rows, shown.rows);
    EXPECT_EQ(pieces, shown.pieces);
}

// As the player's choice arrives: the selection, then the list's notification.
void Choose(HWND dialog, int list, int count)
{
    HWND combo = GetDlgItem(dialog, list);
    SendMessageW(combo, CB_SETCURSEL, count - 2, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), (LPARAM)combo);
}

void ClickSquare(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_SQUARE, BM_CLICK, 0, 0);
}

void SetPictureSize(int width, int height)
{
    g_view.pictureInfo.biWidth = width;
    g_view.pictureInfo.biHeight = height;
}

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        SetPictureSize(640, 480);
    }

    bool Run(const std::function<void(HWND)>& act)
    {
        bool confirmed = false;
        WithModalWindow([&confirmed] { confirmed = RunSettingsDialog(g_shell.mainWindow); }, act);
        return confirmed;
    }
};

}  // namespace

TEST_F(SettingsDialogTest, ALandscapePictureOpensAtTwelveByNineInSquareMode)
{
    bool confirmed = Run([](HWND dialog) {
        EXPECT_EQ(dialog, (HWND)g_game.settingsDialog);
        EXPECT_EQ(L"設定", WindowText(dialog));
        EXPECT_EQ(99, SendDlgItemMessageW(dialog, IDC_COLUMNS, CB_GETCOUNT, 0, 0));
        EXPECT_EQ(99, SendDlgItemMessageW(dialog, IDC_ROWS, CB_GETCOUNT, 0, 0));
        ExpectShown(dialog, 12, 9, L"108");
        EXPECT_TRUE(Read(dialog).square);
        PressButton(dialog, IDCANCEL);
    });
    EXPECT_FALSE(confirmed);
}

TEST_F(SettingsDialogTest, APortraitPictureOpensAtNineByTwelve)
{
    SetPictureSize(480, 640);
    Run([](HWND dialog) {
        ExpectShown(dialog, 9, 12, L"108");
        PressButton(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, ListsHoldTwoToHundredInOrder)
{
    Run([](HWND dialog) {
        wchar_t text[8] = L"";
        SendDlgItemMessageW(dialog, IDC_ROWS, CB_GETLBTEXT, 0, (LPARAM)text);
        EXPECT_STREQ(L"2", text);
        SendDlgItemMessageW(dialog, IDC_COLUMNS, CB_GETLBTEXT, 98, (LPARAM)text);
        EXPECT_STREQ(L"100", text);
        PressButton(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, TwentyAcrossInSquareModeGivesFifteenDown)
{
    bool confirmed = Run([](HWND dialog) {
        Choose(dialog, IDC_COLUMNS, 20);
        ExpectShown(dialog, 20, 15, L"300");
        PressButton(dialog, IDOK);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(20, g_game.header.columns);
    EXPECT_EQ(15, g_game.header.rows);
}

TEST_F(SettingsDialogTest, ChoosingRowsInSquareModeDerivesTheColumns)
{
    Run([](HWND dialog) {
        Choose(dialog, IDC_ROWS, 30);
        ExpectShown(dialog, 40, 30, L"1200");
        PressButton(dialog, IDOK);
    });
}

TEST_F(SettingsDialogTest, HundredAcrossATallPictureStopsAtHundredDown)
{
    SetPictureSize(480, 640);
    Run([](HWND dialog) {
        Choose(dialog, IDC_COLUMNS, 100);
        ExpectShown(dialog, 100, 100, L"10000");
        PressButton(dialog, IDOK);
    });
}

TEST_F(SettingsDialogTest, UncheckingSquareChangesNeitherCount)
{
    Run([](HWND dialog) {
        ClickSquare(dialog);
        EXPECT_FALSE(Read(dialog).square);
        EXPECT_EQ(0, g_game.squareMode);
        ExpectShown(dialog, 12, 9, L"108");
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(12, g_game.header.columns);
    EXPECT_EQ(9, g_game.header.rows);
}

TEST_F(SettingsDialogTest, WithoutSquareModeAListChangeLeavesTheOtherList)
{
    Run([](HWND dialog) {
        ClickSquare(dialog);
        Choose(dialog, IDC_COLUMNS, 20);
        ExpectShown(dialog, 20, 9, L"180");
        Choose(dialog, IDC_ROWS, 30);
        ExpectShown(dialog, 20, 30, L"600");
        PressButton(dialog, IDOK);
    });
    EXPECT_EQ(20, g_game.header.columns);
    EXPECT_EQ(30, g_game.header.rows);
}

TEST_F(SettingsDialogTest, CheckingSquareAgainReshapesTheCurrentProduct)
{
    Run([](HWND dialog) {
        ClickSquare(dialog);
        Choose(dialog, IDC_COLUMNS, 20);
        ClickSquare(dialog);
        EXPECT_EQ(1, g_game.squareMode);
        // 180 pieces: sqrt(240) across, sqrt(135) down.
        ExpectShown(dialog, 15, 12, L"180");
        PressButton(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, AVeryWidePictureKeepsBothCountsInTheLists)
{
    SetPictureSize(10000, 100);
    Run([](HWND dialog) {
        ExpectShown(dialog, 100, 2, L"200");
        Choose(dialog, IDC_COLUMNS, 3);
        ExpectShown(dialog, 3, 2, L"6");
        PressButton(dialog, IDOK);
    });
}

TEST_F(SettingsDialogTest, SquareModeOffBeforeOpeningKeepsTheResetCounts)
{
    g_game.squareMode = 0;
    Run([](HWND dialog) {
        ExpectShown(dialog, 10, 10, L"100");
        EXPECT_FALSE(Read(dialog).square);
        PressButton(dialog, IDCANCEL);
    });
}

TEST_F(SettingsDialogTest, TheCloseBoxCountsAsCancel)
{
    bool confirmed = Run([](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(confirmed);
}

namespace {

class NewPuzzleTest : public testing::Test {
protected:
    void SetUp() override
    {
        ClearFileNames();
        wcscpy(g_picturePath, PictureFixture(L"PHOTO.JPG").c_str());
        ASSERT_EQ(kPictureOpened, OpenPicture(g_shell.mainWindow, false));
        // A game in progress that the new puzzle replaces.
        ResetGameState();
        g_game.header.pieceCount = 4;
        g_game.squareMode = 0;
    }

    bool NewPuzzleEndedWith(int button)
    {
        bool cut = false;
        WithModalWindow([&cut] { cut = NewPuzzle(g_shell.mainWindow); },
                        [button](HWND dialog) { PressButton(dialog, button); });
        return cut;
    }
};

}  // namespace

// Ending the game is the shell's: the cancelled cut leaves no pieces and the picture as it was.
TEST_F(NewPuzzleTest, CancelCutsNothing)
{
    void* picture = g_view.pictureDib;
    EXPECT_FALSE(NewPuzzleEndedWith(IDCANCEL));
    EXPECT_EQ(0, g_game.header.pieceCount);
    EXPECT_EQ(picture, g_view.pictureDib);
}

TEST_F(NewPuzzleTest, OkCutsThePictureAtTheChosenCounts)
{
    EXPECT_TRUE(NewPuzzleEndedWith(IDOK));
    const GameHeader& header = g_game.header;
    EXPECT_EQ(12, header.columns);
    EXPECT_EQ(9, header.rows);
    EXPECT_EQ(108, header.pieceCount);
    EXPECT_EQ(0, header.boardCount);
    std::set<std::pair<int, int>> homes;
    for (int i = 0; i < header.pieceCount; ++i)
        homes.insert({g_game.pieces[i].column, g_game.pieces[i].row});
    EXPECT_EQ(108u, homes.size());
    EXPECT_EQ(11, homes.rbegin()->first);
    EXPECT_NE(nullptr, g_view.pictureDib);
}
