#ifndef QUILTRA_MODEL_GAME_STATE_H
#define QUILTRA_MODEL_GAME_STATE_H

#include <cstddef>
#include <cstdint>

const int kMaxPieces = 10000;

// Index into PieceRecord::tabs.
enum TabSide { kSideBottom = 0, kSideTop = 1, kSideRight = 2, kSideLeft = 3 };

// Value of TabRecord::kind.
enum TabKind { kTabFlat = 0, kTabKnob = 1, kTabSocket = 2 };

// These records are written to game files byte for byte, so their layout is
// fixed: 4-byte packing, which leaves doubles at offsets that are not
// multiples of 8.
#pragma pack(push, 4)

// One side of a piece. The rectangle bounds the tab's ellipse in the piece's
// own cell units (the cell spans 0..1 both ways); it means nothing on a flat side.
struct TabRecord {
    int32_t kind;
    double left;
    double right;
    double top;
    double bottom;
};

struct PieceRecord {
    int32_t column;
    int32_t row;
    double posX;  // fraction of the board's free travel, so independent of zoom
    double posY;
    TabRecord tabs[4];
};

// The table order carries each piece's situation: fixed pieces, then loose
// board pieces, then the selection, then the box; these counts delimit them.
struct GameHeader {
    int32_t columns;
    int32_t rows;
    int32_t fixedCount;
    int32_t selectedCount;
    int32_t boardCount;
    int32_t pieceCount;
    double fanSpreadX;
    double fanSpreadY;
    int32_t wizardCount;
};

struct GameState {
    GameHeader header;
    PieceRecord pieces[kMaxPieces];
    void* settingsDialog;  // the dialog's HWND; never saved
    int32_t squareMode;
};

#pragma pack(pop)

static_assert(sizeof(TabRecord) == 36, "TabRecord layout is part of the game file");
static_assert(offsetof(TabRecord, kind) == 0, "TabRecord layout is part of the game file");
static_assert(offsetof(TabRecord, left) == 4, "TabRecord layout is part of the game file");
static_assert(offsetof(TabRecord, right) == 12, "TabRecord layout is part of the game file");
static_assert(offsetof(TabRecord, top) == 20, "TabRecord layout is part of the game file");
static_assert(offsetof(TabRecord, bottom) == 28, "TabRecord layout is part of the game file");

static_assert(sizeof(PieceRecord) == 168, "PieceRecord layout is part of the game file");
static_assert(offsetof(PieceRecord, column) == 0, "PieceRecord layout is part of the game file");
static_assert(offsetof(PieceRecord, row) == 4, "PieceRecord layout is part of the game file");
static_assert(offsetof(PieceRecord, posX) == 8, "PieceRecord layout is part of the game file");
static_assert(offsetof(PieceRecord, posY) == 16, "PieceRecord layout is part of the game file");
static_assert(offsetof(PieceRecord, tabs) == 24, "PieceRecord layout is part of the game file");

static_assert(sizeof(GameHeader) == 44, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, columns) == 0, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, rows) == 4, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, fixedCount) == 8, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, selectedCount) == 12,
              "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, boardCount) == 16, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, pieceCount) == 20, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, fanSpreadX) == 24, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, fanSpreadY) == 32, "GameHeader layout is part of the game file");
static_assert(offsetof(GameHeader, wizardCount) == 40,
              "GameHeader layout is part of the game file");

static_assert(offsetof(GameState, header) == 0, "the piece table follows the header directly");
static_assert(offsetof(GameState, pieces) == sizeof(GameHeader),
              "the piece table follows the header directly");
static_assert(offsetof(GameState, settingsDialog) ==
                  offsetof(GameState, pieces) + sizeof(PieceRecord) * kMaxPieces,
              "the dialog fields follow the piece table, so a reset clears them too");
static_assert(offsetof(GameState, squareMode) ==
                  offsetof(GameState, settingsDialog) + sizeof(void*),
              "the dialog fields follow the piece table, so a reset clears them too");

extern GameState g_game;

// Empty 10 x 10 puzzle with no pieces or groups, square mode on and no settings dialog.
void ResetGameState();

// Whether the piece's home lies on the picture's border: the side that runs along it is
// straight, which is how a player tells the pieces of the frame from the others.
bool IsEdgePiece(const PieceRecord& piece, const GameHeader& header);

#endif
