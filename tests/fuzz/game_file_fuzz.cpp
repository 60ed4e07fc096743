// libFuzzer target for the game file loader: any bytes must be refused or loaded without
// reading out of bounds; a loaded game keeps its table's ranges apart and its loose
// pieces on the board, and saves, with its unicode paths as blocks, to bytes that load as
// the very same game.
//
// The loader reads the bytes after the last record as blocks, so the fuzzer hands it the
// whole input. The player's moves ride among those bytes, in the first block of the
// fuzzer's own tag ('MOVE'), which the loader skips as one it does not know: one input can
// hold path blocks, unknown blocks and moves at once, and a mutation of the moves leaves
// the paths alone. Where the bytes after the records are not blocks end to end (inputs
// from before there were blocks, or ones a mutation damaged), they are all moves, as they
// always were, and the loader must have left both unicode paths empty.
// A game that loads with groups is played with joining on, the others as ever. After every
// move the table's ranges must hold, and after the last one the game must save to bytes that
// load as the same game, groups and all: whatever the moves made of the groups, the loader
// takes them whole.
#include "tests/model/shell_stand_in.h"
#include "board/view_geometry.h"
#include "files/game_format.h"
#include "model/game_state.h"
#include "model/home_test.h"
#include "model/piece_groups.h"
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

// Saves as the program does, a path block for each unicode path the game has and a group
// block for its groups. The unicode paths compare in full: both loads leave every unit after
// a path's end zero.
static bool SavesAsTheSameGame(const LoadedGame& loaded, const GameHeader& header,
                               const PieceRecord* pieces, const int32_t* groupOfCell)
{
    std::vector<unsigned char> saved;
    BuildGameFile(loaded.picturePath, header, pieces, &saved);
    if (loaded.unicodePicturePath[0] &&
        !AppendPathBlock(kPicturePathBlock, loaded.unicodePicturePath, &saved))
        return false;
    if (loaded.unicodeGamePath[0] &&
        !AppendPathBlock(kGamePathBlock, loaded.unicodeGamePath, &saved))
        return false;
    AppendGroupBlock(header, pieces, groupOfCell, &saved);
    return ParseGameFile(saved.data(), saved.size(), &s_again) == kGameFileOk &&
        memcmp(&s_again.header, &header, sizeof header) == 0 &&
        memcmp(s_again.picturePath, loaded.picturePath, kGamePathSize) == 0 &&
        memcmp(s_again.unicodePicturePath, loaded.unicodePicturePath,
               sizeof loaded.unicodePicturePath) == 0 &&
        memcmp(s_again.unicodeGamePath, loaded.unicodeGamePath, sizeof loaded.unicodeGamePath) ==
        0 &&
        memcmp(s_again.pieces, pieces, sizeof(PieceRecord) * header.pieceCount) == 0 &&
        memcmp(s_again.groupOfCell, groupOfCell, sizeof(int32_t) * header.pieceCount) == 0;
}

const uint32_t kMovesBlock = 'M' | 'O' << 8 | 'V' << 16 | 'E' << 24;

static uint32_t ReadUint32(const unsigned char* at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

struct Moves {
    const unsigned char* bytes;
    size_t size;
    bool afterBlocks;  // else the bytes after the records are not blocks
};

// The first moves block's content where the bytes after the records are blocks to the very
// end (no moves, when no block holds them); all those bytes where they are not blocks.
static Moves FindMoves(const unsigned char* data, size_t size, size_t recordsEnd)
{
    Moves moves = {nullptr, 0, true};
    for (size_t at = recordsEnd; at < size;) {
        const size_t left = size - at;
        if (left < kBlockHeaderSize || ReadUint32(data + at + 4) > left - kBlockHeaderSize)
            return {data + recordsEnd, size - recordsEnd, false};
        const size_t length = ReadUint32(data + at + 4);
        if (ReadUint32(data + at) == kMovesBlock && !moves.bytes)
            moves = {data + at + kBlockHeaderSize, length, true};
        at += kBlockHeaderSize + length;
    }
    return moves;
}

static void ShowAtZoom(int zoomIndex)
{
    const GameHeader& h = g_game.header;
    ComputeViewGeometry(kPictureWidth, kPictureHeight,
                        ZoomSteps[zoomIndex % kZoomStepCount].percent, h.columns, h.rows);
    g_geometry.bufferWidth = kClientWidth;
    g_geometry.bufferHeight = kClientHeight;
    ReseatFixedPieces();
    ReseatGroups();
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
    const Moves moves =
        FindMoves(data, size, kGameFilePrefixSize + sizeof(PieceRecord) * h.pieceCount);
    if (!moves.afterBlocks && (s_game.unicodePicturePath[0] || s_game.unicodeGamePath[0]))
        __builtin_trap();  // a path taken from bytes that are not blocks
    if (!IsShowable(h, s_game.pieces) ||
        !SavesAsTheSameGame(s_game, h, s_game.pieces, s_game.groupOfCell))
        __builtin_trap();

    ResetShellStandIn();
    g_game.header = h;
    memcpy(g_game.pieces, s_game.pieces, sizeof(PieceRecord) * h.pieceCount);
    memcpy(g_groups.groupOfCell, s_game.groupOfCell, sizeof g_groups.groupOfCell);
    g_groups.joining = 0;
    for (int cell = 0; cell < h.pieceCount; ++cell)
        g_groups.joining |= s_game.groupOfCell[cell] != 0;
    ShowAtZoom(11);
    for (size_t at = 0; at + kMoveBytes <= moves.size; at += kMoveBytes) {
        MakeMove(moves.bytes + at);
        g_shell.calls.clear();
        if (!IsShowable(g_game.header, g_game.pieces))
            __builtin_trap();
    }
    if (!SavesAsTheSameGame(s_game, g_game.header, g_game.pieces, g_groups.groupOfCell))
        __builtin_trap();
    return 0;
}
