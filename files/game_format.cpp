#include "files/game_format.h"
#include "files/utf8.h"
#include "model/position_units.h"
#include <float.h>
#include <string.h>
#include <string>

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

static uint32_t ReadUint32(const unsigned char* at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

static uint32_t ReadUint16(const unsigned char* at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8;
}

static void AppendUint32(uint32_t value, std::vector<unsigned char>* bytes)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes->push_back((unsigned char)(value >> shift));
}

static void AppendUint16(uint32_t value, std::vector<unsigned char>* bytes)
{
    bytes->push_back((unsigned char)value);
    bytes->push_back((unsigned char)(value >> 8));
}

struct Block {
    uint32_t tag;
    const unsigned char* content;
    size_t length;
};

// Reads the block at *at and moves *at past it; false at the end of the data, or where the
// bytes left cannot hold a block, its header or its content cut short.
static bool ReadBlock(const unsigned char* data, size_t size, size_t* at, Block* block)
{
    if (size - *at < kBlockHeaderSize)
        return false;
    block->tag = ReadUint32(data + *at);
    block->length = ReadUint32(data + *at + 4);
    if (block->length > size - *at - kBlockHeaderSize)
        return false;
    block->content = data + *at + kBlockHeaderSize;
    *at += kBlockHeaderSize + block->length;
    return true;
}

// Whether the bytes from at on are blocks that end exactly where the data ends.
static bool BlocksReachTheEnd(const unsigned char* data, size_t size, size_t at)
{
    Block block;
    while (ReadBlock(data, size, &at, &block)) {
    }
    return at == size;
}

// A path block holds UTF-8 and its terminator; anything else leaves path empty, with no
// part of a path read before the fault left behind it. A path that needs every unit of
// kPathCapacity for itself has no room left for the terminator.
static void ReadPathBlock(const Block& block, char16_t* path)
{
    if (block.length < 2 || block.content[block.length - 1] != 0 ||
        !DecodeUtf8(block.content, block.length - 1, path, kPathCapacity))
        memset(path, 0, sizeof(char16_t) * kPathCapacity);
}

// Groups are whole or not at all: every listed piece on the board, listed once, its key a
// listed piece that is its own key, no group of one, and no group both in and out of the
// selection, where only whole groups are ever taken. Anything else ignores the block, and
// the pieces lie where they are, each alone.
static void ReadGroupBlock(const Block& block, LoadedGame* game)
{
    const GameHeader& h = game->header;
    int32_t* groupOf = game->groupOfCell;
    const size_t pairs = block.length / kGroupPairBytes;
    if (block.length % kGroupPairBytes != 0 || pairs > (size_t)h.pieceCount)
        return;
    std::vector<int> indexOfCell((size_t)h.pieceCount);
    for (int i = 0; i < h.pieceCount; ++i)
        indexOfCell[(size_t)game->pieces[i].column * h.rows + game->pieces[i].row] = i;
    const int selectionStart = h.boardCount - h.selectedCount;
    bool whole = true;
    for (size_t k = 0; k < pairs && whole; ++k) {
        const uint32_t cell = ReadUint16(block.content + kGroupPairBytes * k);
        const uint32_t key = ReadUint16(block.content + kGroupPairBytes * k + 2);
        whole = cell < (uint32_t)h.pieceCount && key < (uint32_t)h.pieceCount &&
            groupOf[cell] == 0 && indexOfCell[cell] >= h.fixedCount &&
            indexOfCell[cell] < h.boardCount;
        if (whole)
            groupOf[cell] = (int32_t)key + 1;
    }
    std::vector<int> members((size_t)h.pieceCount, 0);
    for (int cell = 0; cell < h.pieceCount && whole; ++cell) {
        if (groupOf[cell] == 0)
            continue;
        const int key = groupOf[cell] - 1;
        whole = groupOf[key] == key + 1 &&
            (indexOfCell[cell] >= selectionStart) == (indexOfCell[key] >= selectionStart);
        ++members[key];
    }
    for (int cell = 0; cell < h.pieceCount && whole; ++cell)
        whole = groupOf[cell] == 0 || members[groupOf[cell] - 1] > 1;
    if (!whole)
        memset(groupOf, 0, sizeof(int32_t) * (size_t)h.pieceCount);
}

// The first well-formed block of each known tag counts. A file is never refused
// for its blocks: an older build's recovery copy ends with a record of its own ("Quiltra
// Recovery" and a path) that reads as no blocks, and a copy cut short may end inside one;
// the path field still names the picture, so the game loads with the blocks ignored.
static void ReadBlocks(const unsigned char* data, size_t size, size_t at, LoadedGame* game)
{
    if (!BlocksReachTheEnd(data, size, at))
        return;
    Block block;
    bool groupsRead = false;
    while (ReadBlock(data, size, &at, &block)) {
        if (block.tag == kPicturePathBlock && !game->unicodePicturePath[0])
            ReadPathBlock(block, game->unicodePicturePath);
        else if (block.tag == kGamePathBlock && !game->unicodeGamePath[0])
            ReadPathBlock(block, game->unicodeGamePath);
        else if (block.tag == kGroupBlock && !groupsRead) {
            ReadGroupBlock(block, game);
            groupsRead = true;
        }
    }
}

bool HasGameSignature(const unsigned char* data, size_t size)
{
    return size >= kGameSignatureSize && memcmp(data, kSignature, kGameSignatureSize) == 0;
}

GameFileProblem ParseGameFile(const unsigned char* data, size_t size, LoadedGame* game)
{
    memset(game->unicodePicturePath, 0, sizeof game->unicodePicturePath);
    memset(game->unicodeGamePath, 0, sizeof game->unicodeGamePath);
    memset(game->groupOfCell, 0, sizeof game->groupOfCell);
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
    ReadBlocks(data, size, kGameFilePrefixSize + recordBytes, game);
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

void AppendGroupBlock(const GameHeader& header, const PieceRecord* pieces,
                      const int32_t* groupOfCell, std::vector<unsigned char>* bytes)
{
    std::vector<unsigned char> pairs;
    for (int i = header.fixedCount; i < header.boardCount; ++i) {
        const uint32_t cell = (uint32_t)(pieces[i].column * header.rows + pieces[i].row);
        if (groupOfCell[cell] == 0)
            continue;
        AppendUint16(cell, &pairs);
        AppendUint16((uint32_t)groupOfCell[cell] - 1, &pairs);
    }
    if (pairs.empty())
        return;
    AppendUint32(kGroupBlock, bytes);
    AppendUint32((uint32_t)pairs.size(), bytes);
    bytes->insert(bytes->end(), pairs.begin(), pairs.end());
}

bool AppendPathBlock(GameFileBlock tag, const char16_t* path, std::vector<unsigned char>* bytes)
{
    size_t units = 0;
    while (units < (size_t)kPathCapacity && path[units])
        ++units;
    std::string utf8;
    if (units == 0 || units == (size_t)kPathCapacity || !EncodeUtf8(path, &utf8))
        return false;
    AppendUint32(tag, bytes);
    AppendUint32((uint32_t)utf8.size() + 1, bytes);
    bytes->insert(bytes->end(), utf8.begin(), utf8.end());
    bytes->push_back(0);
    return true;
}
