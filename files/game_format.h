// The game file: the signature, the picture's path, the header and the piece records,
// byte for byte as they lie in memory, then optional tagged blocks. No windows.h: the
// loader's checks are unit-tested and fuzzed natively.
//
// The blocks follow the last record: a 4-byte tag, a 32-bit little-endian length and that
// many bytes, one after the other to the end of the file. Builds that know no blocks read
// the records and ignore the rest, so a block never keeps an older build from a game.
#pragma once
#include "files/path_parts.h"
#include "model/game_state.h"
#include <stddef.h>
#include <stdint.h>
#include <vector>

const int kGamePathSize = 260;
const size_t kGameSignatureSize = 16;
const size_t kGameFilePrefixSize = kGameSignatureSize + kGamePathSize + sizeof(GameHeader);
const size_t kBlockHeaderSize = 8;
// A path block's bytes at the most: every UTF-16 unit of a path as three UTF-8 bytes, and
// the terminator.
const size_t kPathBlockMaxBytes = 3 * (kPathCapacity - 1) + 1;
// A group block holds a cell and a key for each grouped piece, 16 bits each: every cell
// number fits, and a block of the largest game stays small, for the sake of earlier builds,
// which read a file only as far as their own largest game with paths.
const size_t kGroupPairBytes = 4;
static_assert(kMaxPieces <= 65536, "a cell number fits in 16 bits");
const size_t kGroupBlockMaxBytes = kGroupPairBytes * (size_t)kMaxPieces;
// The most a game file can hold that the loader will look at, the largest game with both
// path blocks at their longest and every piece in a group; the rest is ignored.
const size_t kGameFileMaxSize = kGameFilePrefixSize + sizeof(PieceRecord) * kMaxPieces +
    2 * (kBlockHeaderSize + kPathBlockMaxBytes) + kBlockHeaderSize + kGroupBlockMaxBytes;

// Block tags as they stand in the file.
enum GameFileBlock : uint32_t {
    // The picture's path in UTF-8, zero-terminated; written where the path field, in the
    // system's code page, cannot hold it exactly.
    kPicturePathBlock = 'P' | 'A' << 8 | 'T' << 16 | 'H' << 24,
    // In the recovery copy only: the path of the game's own file, UTF-8, zero-terminated.
    kGamePathBlock = 'G' | 'A' << 8 | 'M' << 16 | 'E' << 24,
    // The pieces joined into groups: for each, in table order, its home cell and its group's
    // key, the home cell of one of the group's pieces, as 16-bit little-endian numbers.
    // Written only while pieces are joined; a build that does not join ignores it and the
    // pieces lie where they were, each alone.
    kGroupBlock = 'J' | 'O' << 8 | 'I' << 16 | 'N' << 24,
};

enum GameFileProblem {
    kGameFileOk,
    kGameFileNoSignature,  // shorter than the signature
    kGameFileWrongSignature,
    kGameFileNoHeader,    // the path or the header is cut short
    kGameFileNoRecords,   // no pieces, or the records are cut short
    kGameFileBadContent,  // counts, pieces or the path do not make a game
};

struct LoadedGame {
    char picturePath[kGamePathSize];  // the path field, in the system's code page
    // From the blocks, in UTF-16; empty where the file has no such block or its block is
    // damaged (then the path field stands).
    char16_t unicodePicturePath[kPathCapacity];
    char16_t unicodeGamePath[kPathCapacity];
    // Per home cell, as the game keeps it: 0 for a piece alone, else its group's key + 1.
    // All 0 where the file has no group block or its block does not make groups of loose
    // or selected pieces.
    int32_t groupOfCell[kMaxPieces];
    GameHeader header;
    PieceRecord pieces[kMaxPieces];
};

// The file's first bytes say it is a game file (whether or not the rest makes a game).
bool HasGameSignature(const unsigned char* data, size_t size);
// Checks a file's bytes and, when they make a game, copies it into game.
GameFileProblem ParseGameFile(const unsigned char* data, size_t size, LoadedGame* game);

// The bytes of a game file for a path field and the first header.pieceCount records, with
// no block.
void BuildGameFile(const char* picturePath, const GameHeader& header, const PieceRecord* pieces,
                   std::vector<unsigned char>* bytes);
// Appends a group block for the groups (per home cell, 0 or key + 1) of the board's pieces,
// when there are any; a game without groups is written as ever.
void AppendGroupBlock(const GameHeader& header, const PieceRecord* pieces,
                      const int32_t* groupOfCell, std::vector<unsigned char>* bytes);
// Appends a path block (a zero-terminated UTF-16 path of fewer than kPathCapacity units);
// false, with nothing appended, for an empty path, one of kPathCapacity units or more, or
// one that UTF-8 cannot spell (an unpaired surrogate).
bool AppendPathBlock(GameFileBlock tag, const char16_t* path, std::vector<unsigned char>* bytes);
