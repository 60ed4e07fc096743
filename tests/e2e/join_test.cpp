// Joining played with the real mouse: pieces put down beside their neighbours join them,
// move with them, are seated with them and are saved with them; with the option off nothing
// joins. After every drag the game is saved and read back, so each step is checked on what
// the program holds, not on what the driver meant to do.
#include "tests/e2e/game_file_fixture.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include "model/piece_groups.h"
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

const int kPictureWidth = 640, kPictureHeight = 480;

class JoinPieces : public GameFile {
protected:
    // Each test starts the program itself, with the option as it needs it.
    void SetUp() override
    {
        folder = g_workFolder + L"\\games";
        CreateDirectoryW(folder.c_str(), nullptr);
        loaded = std::make_unique<LoadedGame>();  // 1.7 MB: too large for the stack
        path = folder + L"\\joined.qlt";
        DeleteFileW(path.c_str());
    }

    // A 3 x 2 cut at 50 %, where the whole board shows above the box and the box shows
    // every piece in one row.
    void StartGame(bool joining)
    {
        DeleteSettingsKey();
        WriteSettingNumber(L"OptSound", 0);
        WriteSettingNumber(L"OptJoinPieces", joining ? 1 : 0);
        ASSERT_TRUE(StartQuiltra(&player, g_quiltraExe, g_workFolder));
        pid = player.process.dwProcessId;
        ASSERT_NO_FATAL_FAILURE(ChoosePicture(g_fixtures + L"\\landscape.jpg"));
        HWND settings = Dialog(L"設定");
        ASSERT_NE(nullptr, settings);
        ChoosePiecesAcross(settings, 3);
        PressButton(settings, IDOK);
        WaitUntilTitleHas(L"(0/6 ピース)");
        board = FindChild(player.mainWindow, L"Quiltra Sight");
        box = WaitForChild(board, L"QuiltraBox", 10000);
        ASSERT_TRUE(board && box);
        ASSERT_NO_FATAL_FAILURE(ZoomToHalf());
    }

    // Every game is shown at the zoom that fits the window; the tests play at 50 %.
    void ZoomToHalf()
    {
        PostCommand(player.mainWindow, IDM_ZOOM50);
        ExpectTitleHas(L" x 50%");
        ReadGeometry();
        ASSERT_NO_FATAL_FAILURE(Save());
    }

    // Clicks the piece's slot in the box, which puts it on the board as the selection, and
    // drags it to lie off home by `shift`.
    void TakeAndDrag(int column, int row, PixelShift shift)
    {
        ReadGeometry();
        const int slot = IndexOf(column, row) - g_game.header.boardCount;
        const ViewGeometry& g = g_geometry;
        const POINT inBox{(int)(slot * g.tileWidth + g.tabMarginX + g.cellWidth / 2),
                          (int)(g.tabMarginY + g.cellHeight / 2)};
        for (int attempt = 0; attempt < 3 && IndexOf(column, row) >= g_game.header.boardCount;
             ++attempt) {
            Click(ScreenPoint(box, inBox.x, inBox.y));
            Pause(300);
            ASSERT_NO_FATAL_FAILURE(Save());
        }
        ASSERT_LT(IndexOf(column, row), g_game.header.boardCount) << "the piece stayed in the box";
        ASSERT_NO_FATAL_FAILURE(DragTo(column, row, shift));
    }

    int Out() { return g_game.header.boardCount; }

    // The program's geometry at the zoom its title shows, for a board that is not scrolled.
    void ReadGeometry()
    {
        const std::wstring title = Title();
        const int zoom = _wtoi(title.c_str() + title.rfind(L" x ") + 3);
        ComputeViewGeometry(kPictureWidth, kPictureHeight, zoom, 3, 2);
        RECT client;
        GetClientRect(board, &client);
        ViewGeometry& g = g_geometry;
        g.offsetX = client.right > g.boardWidth ? (client.right - g.boardWidth) / 2 : 0;
        g.offsetY = client.bottom > g.boardHeight ? (client.bottom - g.boardHeight) / 2 : 0;
        RECT boxFrame;
        GetWindowRect(box, &boxFrame);
        MapWindowPoints(nullptr, board, (POINT*)&boxFrame, 2);
        visibleHeight = std::min(boxFrame.top, client.bottom) - g.offsetY;
    }

    POINT BoardToScreen(int x, int y)
    {
        return ScreenPoint(board, x + g_geometry.offsetX, y + g_geometry.offsetY);
    }

    // Saves the game and takes it, groups and all, into this process's own game, where the
    // core's functions read it.
    void Save()
    {
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            SaveAs(path);
        } else {
            PostCommand(player.mainWindow, IDM_SAVE);
            ASSERT_EQ(L"ゲームファイルを更新してよろしいですか？（joined.qlt）", Answer(IDYES));
        }
        Pause(300);
        const std::vector<char> bytes = FileBytes(path);
        ASSERT_EQ(kGameFileOk,
                  ParseGameFile((const unsigned char*)bytes.data(), bytes.size(), loaded.get()));
        g_game.header = loaded->header;
        memcpy(g_game.pieces, loaded->pieces, sizeof(PieceRecord) * loaded->header.pieceCount);
        memcpy(g_groups.groupOfCell, loaded->groupOfCell, sizeof g_groups.groupOfCell);
    }

    int IndexOf(int column, int row)
    {
        for (int i = 0; i < g_game.header.pieceCount; ++i)
            if (g_game.pieces[i].column == column && g_game.pieces[i].row == row)
                return i;
        return -1;
    }

    // A point of the piece's cell that no piece above it covers: a press there takes it.
    bool GrabPoint(int index, POINT* point)
    {
        const ViewGeometry& g = g_geometry;
        for (int fy = 1; fy < 8; ++fy) {
            for (int fx = 1; fx < 8; ++fx) {
                const PieceRecord& piece = g_game.pieces[index];
                const int x = (int)(piece.posX * g.rangeX + g.tabMarginX + g.cellWidth * fx / 8);
                const int y = (int)(piece.posY * g.rangeY + g.tabMarginY + g.cellHeight * fy / 8);
                bool covered = y >= visibleHeight;
                for (int j = index + 1; j < g_game.header.boardCount && !covered; ++j) {
                    const PieceRecord& above = g_game.pieces[j];
                    const int left = (int)(above.posX * g.rangeX + g.tabMarginX);
                    const int top = (int)(above.posY * g.rangeY + g.tabMarginY);
                    covered = left - 2 <= x && x <= left + g.cellWidth + 2 && top - 2 <= y &&
                        y <= top + g.cellHeight + 2;
                }
                if (!covered) {
                    *point = POINT{x, y};
                    return true;
                }
            }
        }
        return false;
    }

    // Drags the piece of this home cell, with its group, by as much as it lies off `shift`
    // now, then saves. A press that Wine delivers at an older place moves nothing, and the
    // drag is tried again.
    void DragTo(int column, int row, PixelShift shift)
    {
        const PixelShift before = ShiftOf(column, row);
        for (int attempt = 0; attempt < 3; ++attempt) {
            const PixelShift now = ShiftOf(column, row);
            if (now.x != before.x || now.y != before.y)
                return;
            POINT grab;
            ASSERT_TRUE(GrabPoint(IndexOf(column, row), &grab)) << "piece " << column << "," << row;
            DragMouse(BoardToScreen(grab.x, grab.y),
                      BoardToScreen(grab.x + shift.x - now.x, grab.y + shift.y - now.y), false, 10);
            Pause(300);
            ASSERT_NO_FATAL_FAILURE(Save());
        }
    }

    PixelShift ShiftOf(int column, int row) { return ShiftFromHome(IndexOf(column, row)); }
    bool Joined(int column, int row, int otherColumn, int otherRow)
    {
        const PieceRecord& a = g_game.pieces[IndexOf(column, row)];
        const PieceRecord& b = g_game.pieces[IndexOf(otherColumn, otherRow)];
        return !IsAlone(a) && GroupKeyOf(a) == GroupKeyOf(b);
    }

    std::unique_ptr<LoadedGame> loaded;
    std::wstring path;
    HWND board = nullptr;
    HWND box = nullptr;
    int visibleHeight = 0;  // of the board, from its top: the board is not scrolled
};

// Off home by this much, the top-left piece's tile lies 4 pixels from the board's left
// edge, a little more than half a cell below home: far from home, on the part of the board
// that shows.
PixelShift AwayFromHome(int row)
{
    const ViewGeometry& g = g_geometry;
    const int homeLeft = (int)std::floor(g.goalLeft - g.tabMarginX);
    const int down = (int)(g.cellHeight * 0.55);
    return PixelShift{4 - homeLeft, row == 0 ? down : -down};
}

// A piece put down alone lies where the pointer left it, give or take the pixel that its
// position rounds to.
void ExpectNear(PixelShift expected, PixelShift actual, const char* what)
{
    EXPECT_TRUE(std::abs(expected.x - actual.x) <= 1 && std::abs(expected.y - actual.y) <= 1)
        << what << ": off home by " << actual.x << "," << actual.y << ", not " << expected.x << ","
        << expected.y;
}

// The top row is built far from home, a few pixels off each time: each piece snaps exactly
// beside the last and the three move as one, after a save and an open too, until they are
// seated together.
TEST_F(JoinPieces, NeighboursPutSideBySideJoinMoveAndAreSeatedAsOne)
{
    ASSERT_NO_FATAL_FAILURE(StartGame(true));
    const PixelShift away = AwayFromHome(0);
    ASSERT_NO_FATAL_FAILURE(TakeAndDrag(0, 0, away));
    ExpectNear(away, ShiftOf(0, 0), "the first piece");

    ASSERT_NO_FATAL_FAILURE(TakeAndDrag(1, 0, PixelShift{away.x + 3, away.y + 2}));
    EXPECT_TRUE(Joined(0, 0, 1, 0));
    EXPECT_TRUE(SameShift(ShiftOf(0, 0), ShiftOf(1, 0))) << "put down 3,2 off its place";

    const PixelShift moved{away.x + 10, away.y - 15};
    ASSERT_NO_FATAL_FAILURE(DragTo(0, 0, moved));
    ExpectNear(moved, ShiftOf(1, 0), "the second piece after a drag of the first");
    EXPECT_TRUE(SameShift(ShiftOf(0, 0), ShiftOf(1, 0)));

    ASSERT_NO_FATAL_FAILURE(TakeAndDrag(2, 0, PixelShift{moved.x + 2, moved.y - 3}));
    EXPECT_TRUE(Joined(2, 0, 0, 0));
    EXPECT_TRUE(SameShift(ShiftOf(0, 0), ShiftOf(2, 0))) << "put down 2,-3 off its place";

    OpenAbandoningTheGame(path);
    WaitUntilTitleHas(L"[joined.qlt]");
    ASSERT_NO_FATAL_FAILURE(ZoomToHalf());
    const PixelShift reopened = ShiftOf(1, 0);
    const PixelShift again{reopened.x + 12, reopened.y + 5};
    ASSERT_NO_FATAL_FAILURE(DragTo(1, 0, again));
    for (int column = 0; column < 3; ++column)
        ExpectNear(again, ShiftOf(column, 0), "a piece of the reopened group");
    EXPECT_TRUE(SameShift(ShiftOf(0, 0), ShiftOf(1, 0)) && SameShift(ShiftOf(1, 0), ShiftOf(2, 0)));

    ASSERT_NO_FATAL_FAILURE(DragTo(2, 0, PixelShift{2, -2}));
    EXPECT_EQ(3, g_game.header.fixedCount);
    ExpectTitleHas(L"(3/6 ピース)");
}

TEST_F(JoinPieces, WithTheOptionOffNothingJoins)
{
    ASSERT_NO_FATAL_FAILURE(StartGame(false));
    const PixelShift away = AwayFromHome(1);
    ASSERT_NO_FATAL_FAILURE(TakeAndDrag(0, 1, away));
    const PixelShift first = ShiftOf(0, 1);
    ASSERT_NO_FATAL_FAILURE(TakeAndDrag(1, 1, PixelShift{first.x + 3, first.y + 2}));
    const PixelShift second = ShiftOf(1, 1);
    ExpectNear(PixelShift{first.x + 3, first.y + 2}, second, "the second piece");
    EXPECT_FALSE(Joined(0, 1, 1, 1));
    EXPECT_EQ(320u + 168u * 6u, FileBytes(path).size()) << "a game without groups has no block";

    ASSERT_NO_FATAL_FAILURE(DragTo(0, 1, PixelShift{first.x + 10, first.y - 15}));
    EXPECT_TRUE(SameShift(second, ShiftOf(1, 1))) << "the second piece moved with the first";
}

}  // namespace
