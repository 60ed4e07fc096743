// The box's edge filter played with the real mouse: the box holds out the frame's pieces and
// gives the first of them to a click.
#include "tests/e2e/game_file_fixture.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include <memory>

TEST_F(GameFile, TheBoxHoldsOutTheEdgePiecesAndGivesOneToAClick)
{
    NewGame(g_fixtures + L"\\landscape.jpg");
    ExpectTitleHas(L"(0/108 ピース)");
    HWND board = FindChild(player.mainWindow, L"Quiltra Sight");
    ASSERT_NE(nullptr, board);
    HWND box = WaitForChild(board, L"QuiltraBox", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"箱", SentText(box));
    PostCommand(player.mainWindow, IDM_EDGESONLY);
    Pause(300);
    // A 12 x 9 cut: 12 + 12 + 7 + 7 pieces in the frame.
    EXPECT_EQ(L"箱 (枠 38/108 ピース)", SentText(box));

    const std::wstring path = folder + L"\\edges.qlt";
    DeleteFileW(path.c_str());
    SaveAs(path);
    auto game = std::make_unique<LoadedGame>();  // 1.7 MB: too large for the stack
    std::vector<char> bytes = FileBytes(path);
    ASSERT_EQ(kGameFileOk, ParseGameFile((const unsigned char*)bytes.data(), bytes.size(), game.get()));
    const GameHeader& h = game->header;
    int firstEdge = h.boardCount;
    while (!IsEdgePiece(game->pieces[firstEdge], h))
        ++firstEdge;
    const PieceRecord wanted = game->pieces[firstEdge];

    const std::wstring title = Title();
    ComputeViewGeometry(640, 480, _wtoi(title.c_str() + title.rfind(L" x ") + 3), 12, 9);
    const POINT slot = ScreenPoint(box, (int)(g_geometry.tabMarginX + g_geometry.cellWidth / 2),
                                   (int)(g_geometry.tabMarginY + g_geometry.cellHeight / 2));
    // Wine now and then delivers a click late; the box's caption says when it took.
    for (int attempt = 0; attempt < 3 && SentText(box) != L"箱 (枠 37/107 ピース)"; ++attempt) {
        Click(slot);
        Pause(400);
    }
    EXPECT_EQ(L"箱 (枠 37/107 ピース)", SentText(box));

    PostCommand(player.mainWindow, IDM_SAVE);
    EXPECT_EQ(L"ゲームファイルを更新してよろしいですか？（edges.qlt）", Answer(IDYES));
    Pause(300);
    bytes = FileBytes(path);
    ASSERT_EQ(kGameFileOk, ParseGameFile((const unsigned char*)bytes.data(), bytes.size(), game.get()));
    ASSERT_EQ(1, h.boardCount);
    EXPECT_EQ(wanted.column, game->pieces[0].column);
    EXPECT_EQ(wanted.row, game->pieces[0].row);
}
