#include "files/game_format.h"
#include "model/position_units.h"
#include <float.h>
#include <string.h>

static const char kSignature[kGameSignatureSize + 1] = "Quiltra Game3.00";

static bool Within(double value, double lowest, double highest)
{
    return value >= lowest && value <= highest;  // false for NaN
}

static bool IsFinite(double value)
{
    return Within(value, -DBL_MAX, DBL_MAX);
}

// The counts must delimit the fixed, loose, selected and boxed ranges of the table.
static bool CountsAreInOrder(const GameHeader& h)
{
    return h.columns >= 1 && h.rows >= 1 && h.columns <= kMaxPieces && h.rows <= kMaxPieces &&
        (long long)h.columns * h.rows == h.pieceCount && h.selectedCount >= 0 &&
        h.selectedCount <= h.boardCount && h.boardCount <= h.pieceCount && h.fixedCount >= 0 &&
        h.fixedCount <= h.boardCount && IsFinite(h.fanSpreadX) && IsFinite(h.fanSpreadY);
}

// Tabs stick out of their cell by less than a quarter cell.
static bool TabIsDrawable(const TabRecord& tab)
{
    if (tab.kind == kTabFlat)
        return true;
    return (tab.kind == kTabKnob || tab.kind == kTabSocket) && Within(tab.left, -1, 2) &&
        Within(tab.right, -1, 2) && Within(tab.top, -1, 2) && Within(tab.bottom, -1, 2);
}

// Every home cell exactly once, tabs that can be drawn, positions that are numbers.
static bool PiecesMakeAPuzzle(const GameHeader& h, const PieceRecord* pieces)
{
    std::vector<bool> seen((size_t)h.pieceCount, false);
    for (int i = 0; i < h.pieceCount; ++i) {
        const PieceRecord& p = pieces[i];
        if (p.column < 0 || p.column >= h.columns || p.row < 0 || p.row >= h.rows)
            return false;
        size_t cell = (size_t)p.column * h.rows + p.row;
        if (seen[cell] || !IsFinite(p.posX) || !IsFinite(p.posY))
            return false;
        seen[cell] = true;
        for (const TabRecord& tab : p.tabs)
            if (!TabIsDrawable(tab))
                return false;
    }
    return true;
}

// What the game itself may have written, made safe to show without refusing the file:
// - a Wizard that fixed pieces still in the selection left them counted twice; being
//   fixed, they leave the selection;
// - at a tiny zoom a fixed piece's home and a fan's base can lie far outside 0..1. Fixed
//   pieces are seated at home again when the game is shown, and a loose piece is put
//   back on the board, so no position can overflow when it becomes pixels.
static void MakeShowable(LoadedGame* game)
{
    GameHeader& h = game->header;
    if (h.selectedCount > h.boardCount - h.fixedCount)
        h.selectedCount = h.boardCount - h.fixedCount;
    for (int i = h.fixedCount; i < h.pieceCount; ++i) {
        game->pieces[i].posX = ClampPosition(game->pieces[i].posX);
        game->pieces[i].posY = ClampPosition(game->pieces[i].posY);
    }
}

bool HasGameSignature(const unsigned char* data, size_t size)
{
    return size >= kGameSignatureSize && memcmp(data, kSignature, kGameSignatureSize) == 0;
}

GameFileProblem ParseGameFile(const unsigned char* data, size_t size, LoadedGame* game)
{
    if (size < kGameSignatureSize)
        return kGameFileNoSignature;
    if (!HasGameSignature(data, size))
        return kGameFileWrongSignature;
    if (size < kGameFilePrefixSize)
        return kGameFileNoHeader;
    memcpy(game->picturePath, data + kGameSignatureSize, kGamePathSize);
    memcpy(&game->header, data + kGameSignatureSize + kGamePathSize, sizeof(GameHeader));
    const GameHeader& h = game->header;
    if (h.pieceCount == 0)
        return kGameFileNoRecords;
    if (h.pieceCount < 0 || h.pieceCount > kMaxPieces)
        return kGameFileBadContent;
    size_t recordBytes = sizeof(PieceRecord) * (size_t)h.pieceCount;
    if (size - kGameFilePrefixSize < recordBytes)
        return kGameFileNoRecords;
    memcpy(game->pieces, data + kGameFilePrefixSize, recordBytes);
    if (!memchr(game->picturePath, 0, kGamePathSize) || !CountsAreInOrder(h) ||
        !PiecesMakeAPuzzle(h, game->pieces))
        return kGameFileBadContent;
    MakeShowable(game);
    return kGameFileOk;
}

void BuildGameFile(const char* picturePath, const GameHeader& header, const PieceRecord* pieces,
                   std::vector<unsigned char>* bytes)
{
    size_t recordBytes = sizeof(PieceRecord) * (size_t)header.pieceCount;
    bytes->assign(kGameFilePrefixSize + recordBytes, 0);
    unsigned char* out = bytes->data();
    memcpy(out, kSignature, kGameSignatureSize);
    memcpy(out + kGameSignatureSize, picturePath, kGamePathSize);
    memcpy(out + kGameSignatureSize + kGamePathSize, &header, sizeof header);
    memcpy(out + kGameFilePrefixSize, pieces, recordBytes);
}
