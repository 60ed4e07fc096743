// The game file's 260-byte path field, which holds a path in the system's code page, as
// every build before Unicode wrote and read it.
#pragma once
#include "files/game_format.h"
#include <vector>

// The bytes of a game file for a picture at path: the path field holds the path where the
// code page spells it exactly, else the system's short form where that is spelled, else
// nothing; then a path block carries the path whole, and a group block the groups (per
// home cell, 0 or key + 1) where pieces are joined. A path the code page spells, in a game
// without groups, gives the very bytes of a file without blocks, which every earlier build
// opens.
void BuildGameFileFor(const wchar_t* picturePath, const GameHeader& header,
                      const PieceRecord* pieces, const int32_t* groupOfCell,
                      std::vector<unsigned char>* bytes);

// The picture's path of a loaded game: its path block where it has one, else its path field
// read in the code page. Empty when neither gives a path.
void TakePicturePath(const LoadedGame& game, wchar_t* path);

// A path as the code page spells it, into a field of kGamePathSize bytes; false, with the
// field all zeros, where the code page does not spell it exactly or it does not fit.
bool SpellInCodePage(const wchar_t* path, char* field);
// A field's path in the code page as UTF-16; empty where it does not fit.
void ReadCodePageField(const char* field, wchar_t* path);

// The UTF-16 units of a path as the core's codec takes them: wchar_t is UTF-16 here.
inline const char16_t* AsUtf16(const wchar_t* text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t is UTF-16 on Windows");
    return reinterpret_cast<const char16_t*>(text);
}
