// The program's own main window, maximised, playing a 400 x 300 picture cut 10 x 10 with the
// box closed. At 100 % the cells are 40 x 30, the margins 10.8 and 8.6, the tiles 61 x 47 and
// the travel 499 x 373; the 560 x 420 board lies centred in the board window.
#pragma once
#include "tests/shell/main_window_fixture.h"
#include "board/board_mouse.h"
#include "board/view_geometry.h"
#include "board/view_state.h"
#include "model/game_state.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct PieceId {
    int column, row;
    bool operator==(const PieceId& other) const
    {
        return column == other.column && row == other.row;
    }
};
std::ostream& operator<<(std::ostream& out, const PieceId& piece);
bool operator==(const RECT& a, const RECT& b);
std::ostream& operator<<(std::ostream& out, const RECT& rect);

class BoardTest : public MainWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Shows the game at another zoom step with fresh images, and paints it; a failure to build
// the images is reported at the caller's line.
void ShowAtZoom(int percent, const char* file = __builtin_FILE(), int line = __builtin_LINE());
// Scrolls as the scroll bars would (clamped) and paints.
void ScrollBoardTo(int x, int y);
// Paints the board window now, through its WM_PAINT.
void PaintBoardNow();

// Puts the first pieces of the table on the board, loose and unselected, with their tiles'
// top-left corners at these board points; the rest stay in the box.
void LayOutLoosePieces(const std::vector<POINT>& corners);
void PlaceTile(int index, int boardX, int boardY);
int TileLeft(int index);
int TileTop(int index);
// The board point at the middle of a piece's cell, where a press hits that piece.
POINT CellCentre(int index);
// Where the tile's corner lies when the piece is seated at home, rounded down.
POINT HomeCorner(int index);
POINT ToClient(POINT board);

PieceId IdOf(int index);
int IndexOf(PieceId piece);
std::vector<PieceId> SelectedPieces();
std::wstring MainTitle();
// The board window's class cursor, which the mouse handling switches.
HCURSOR BoardCursor();
POINT BoardClientSize();

testing::AssertionResult TileIsAt(int index, int boardX, int boardY);
