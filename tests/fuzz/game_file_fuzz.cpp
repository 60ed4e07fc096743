// libFuzzer target for the game file loader: any bytes must be refused or loaded without
// reading out of bounds; a loaded game keeps its table's ranges apart and its loose
// pieces on the board, and saves to bytes that load as the very same game. The loader
// ignores the bytes after the last record; here they are the player's moves on the loaded
// game: after every move the table's ranges must hold, and after the last one the game
// must save to bytes that load as the same game.
#include "tests/model/shell_stand_in.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include "model/game_state.h"
#include "model/home_test.h"
#include "model/piece_moves.h"
#include "shell/zoom_steps.h"
#include <string.h>

static LoadedGame s_game, s_again;

// The board window's client size while the moves are made.
const int kClientWidth = 1024, kClientHeight = 768;
const int kPictureWidth = 800, kPictureHeight = 600;

static bool IsShowable(const GameHeader& h, const PieceRecord* pieces)
{
    if (h.fixedCount < 0 || h.selectedCount < 0 || h.fixedCount + h.selectedCount > h.boardCount ||
        h.boardCount > h.pieceCount)
        return false;
    for (int i = h.fixedCount; i < h.pieceCount; ++i) {
        const PieceRecord& p = pieces[i];
        if (!(p.posX >= 0 && p.posX <= 1 && p.posY >= 0 && p.posY <= 1))
            return false;
    }
    return true;
}

static bool SavesAsTheSameGame(const char* picturePath, const GameHeader& header,
                               const PieceRecord* pieces)
{
    std::vector<unsigned char> saved;
    BuildGameFile(picturePath, header, pieces, &saved);
    return ParseGameFile(saved.data(), saved.size(), &s_again) == kGameFileOk &&
        memcmp(&s_again.header, &header, sizeof header) == 0 &&
        memcmp(s_again.picturePath, picturePath, kGamePathSize) == 0 &&
        memcmp(s_again.pieces, pieces, sizeof(PieceRecord) * header.pieceCount) == 0;
}

static void ShowAtZoom(int zoomIndex)
{
    const GameHeader& h = g_game.header;
    ComputeViewGeometry(kPictureWidth, kPictureHeight,
                        ZoomSteps[zoomIndex % kZoomStepCount].percent, h.columns, h.rows);
    g_geometry.bufferWidth = kClientWidth;
    g_geometry.bufferHeight = kClientHeight;
    ReseatFixedPieces();
}

enum Move {
    kMoveZoom,
    kMoveTake,
    kMovePick,
    kMoveDrag,
    kMoveDrop,
    kMoveBand,
    kMoveReturn,
    kMoveWizard,
    kMoveKinds
};
const size_t kMoveBytes = 5;  // the kind, then x and y as 16-bit board pixels

static void MakeMove(const unsigned char* move)
{
    GameHeader& h = g_game.header;
    const int x = move[1] | move[2] << 8, y = move[3] | move[4] << 8;
    switch (move[0] % kMoveKinds) {
    case kMoveZoom: ShowAtZoom(x); break;
    case kMoveTake:
        if (h.boardCount < h.pieceCount)
            TakeFromBox(h.boardCount + x % (h.pieceCount - h.boardCount));
        break;
    case kMovePick: PickAt(x, y, move[0] & 0x80); break;
    case kMoveDrag: MoveSelection(x - 32768, y - 32768); break;
    case kMoveDrop: DropSelection(x, y); break;
    case kMoveBand: SelectInRect(x, y, x + (move[0] << 4), y + (move[0] << 4)); break;
    case kMoveReturn: ReturnSelectionToBox(); break;
    case kMoveWizard: RunWizard(); break;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    if (ParseGameFile(data, size, &s_game) != kGameFileOk)
        return 0;
    const GameHeader& h = s_game.header;
    if (!IsShowable(h, s_game.pieces) || !SavesAsTheSameGame(s_game.picturePath, h, s_game.pieces))
        __builtin_trap();

    ResetShellStandIn();
    g_game.header = h;
    memcpy(g_game.pieces, s_game.pieces, sizeof(PieceRecord) * h.pieceCount);
    ShowAtZoom(11);
    const size_t used = kGameFilePrefixSize + sizeof(PieceRecord) * h.pieceCount;
    for (size_t at = used; at + kMoveBytes <= size; at += kMoveBytes) {
        MakeMove(data + at);
        g_shell.calls.clear();
        if (!IsShowable(g_game.header, g_game.pieces))
            __builtin_trap();
    }
    if (!SavesAsTheSameGame(s_game.picturePath, g_game.header, g_game.pieces))
        __builtin_trap();
    return 0;
}
