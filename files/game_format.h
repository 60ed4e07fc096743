// The game file: the signature, the picture's path, the header and the piece records,
// byte for byte as they lie in memory. No windows.h: the loader's checks are unit-tested
// and fuzzed natively.
#pragma once
#include "model/game_state.h"
#include <stddef.h>
#include <vector>

const int kGamePathSize = 260;
const size_t kGameSignatureSize = 16;
const size_t kGameFilePrefixSize = kGameSignatureSize + kGamePathSize + sizeof(GameHeader);
// The most a game file can hold that the loader will look at; the rest is ignored.
const size_t kGameFileMaxSize = kGameFilePrefixSize + sizeof(PieceRecord) * kMaxPieces;

enum GameFileProblem {
    kGameFileOk,
    kGameFileNoSignature,  // shorter than the signature
    kGameFileWrongSignature,
    kGameFileNoHeader,    // the path or the header is cut short
    kGameFileNoRecords,   // no pieces, or the records are cut short
    kGameFileBadContent,  // counts, pieces or the path do not make a game
};

struct LoadedGame {
    char picturePath[kGamePathSize];
    GameHeader header;
    PieceRecord pieces[kMaxPieces];
};

// The file's first bytes say it is a game file (whether or not the rest makes a game).
bool HasGameSignature(const unsigned char* data, size_t size);
// Checks a file's bytes and, when they make a game, copies it into game.
GameFileProblem ParseGameFile(const unsigned char* data, size_t size, LoadedGame* game);

// The bytes of a game file for a picture path and the first header.pieceCount records.
void BuildGameFile(const char* picturePath, const GameHeader& header, const PieceRecord* pieces,
                   std::vector<unsigned char>* bytes);
