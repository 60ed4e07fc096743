// Writes real game files, as the program saves them, to seed the fuzzer:
//   make_corpus FOLDER
#include "files/game_format.h"
#include "model/cut_pieces.h"
#include "model/random.h"
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <string>

static void Write(const std::string& folder, const char* name,
                  const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen((folder + "/" + name).c_str(), "wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

static void Save(const std::string& folder, const char* name)
{
    // The path field in Shift-JIS, as the program writes it on a Japanese system: 猫 is 94 4C.
    char path[kGamePathSize] = "C:\\Users\\player\\Pictures\\\x94\x4c.jpg";
    std::vector<unsigned char> bytes;
    BuildGameFile(path, g_game.header, g_game.pieces, &bytes);
    Write(folder, name, bytes);
}

// Games whose picture's path the code page cannot spell, saved with path blocks; one with
// the player's moves too, in the fuzzer's own block; one with groups and those moves; and
// one recovery copy as an older build wrote it. Small enough for the short fuzz's -max_len.
static void SaveWithBlocks(const std::string& folder)
{
    // What a code page without ë, 写真, ♥, é and ☕ makes of the picture's path.
    char path[kGamePathSize] = "C:\\Users\\Zo?\\?? ?\\Caf? ?.jpg";
    std::vector<unsigned char> bytes;
    BuildGameFile(path, g_game.header, g_game.pieces, &bytes);
    const std::vector<unsigned char> records = bytes;
    AppendPathBlock(kPicturePathBlock, u"C:\\Users\\Zoë\\写真 ♥\\Café ☕.jpg", &bytes);
    Write(folder, "picture-path-5x4.qlt", bytes);

    AppendPathBlock(kGamePathBlock, u"D:\\Spiele\\Zoës 🧩.qlt", &bytes);
    // Take a piece, pick one up, drag it, drop it, band-select, return, run the Wizard.
    const unsigned char moves[][5] = {
        {1, 0, 0, 0, 0}, {2, 100, 0, 100, 0}, {3, 16, 128, 32, 128}, {4, 120, 0, 130, 0},
        {5, 0, 0, 0, 0}, {6, 0, 0, 0, 0},     {7, 0, 0, 0, 0}};
    // The fuzzer's own block (see game_file_fuzz.cpp); it runs only where integers are
    // little-endian, as they stand in the file.
    const uint32_t header[2] = {'M' | 'O' << 8 | 'V' << 16 | 'E' << 24, sizeof moves};
    bytes.insert(bytes.end(), (const unsigned char*)header, (const unsigned char*)(header + 2));
    bytes.insert(bytes.end(), moves[0], moves[0] + sizeof moves);
    Write(folder, "paths-and-moves-5x4.qlt", bytes);

    // Loose pieces joined into two groups, and the same moves: the game is played joining.
    bytes = records;
    int32_t groups[kMaxPieces] = {};
    const GameHeader& h = g_game.header;
    auto cell = [&](int index) { return g_game.pieces[index].column * h.rows + g_game.pieces[index].row; };
    for (int i : {4, 5, 6})
        groups[cell(i)] = cell(4) + 1;
    for (int i : {7, 8})
        groups[cell(i)] = cell(8) + 1;
    AppendGroupBlock(h, g_game.pieces, groups, &bytes);
    bytes.insert(bytes.end(), (const unsigned char*)header, (const unsigned char*)(header + 2));
    bytes.insert(bytes.end(), moves[0], moves[0] + sizeof moves);
    Write(folder, "groups-and-moves-5x4.qlt", bytes);

    bytes = records;
    const char tag[] = "Quiltra Recovery";
    char gamePath[kGamePathSize] = "D:\\Spiele\\Zo?s ?.qlt";
    bytes.insert(bytes.end(), tag, tag + 16);
    bytes.insert(bytes.end(), gamePath, gamePath + kGamePathSize);
    Write(folder, "old-recovery-5x4.qlt", bytes);
}

static void Cut(int columns, int rows)
{
    ResetGameState();
    g_game.header.columns = columns;
    g_game.header.rows = rows;
    CutPieces();
}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::string folder = argv[1];
    SeedRandom(7);
    Cut(2, 2);
    Save(folder, "new-2x2.qlt");
    Cut(12, 9);
    GameHeader& h = g_game.header;
    h.boardCount = 40;
    h.fixedCount = 25;
    h.selectedCount = 3;
    h.fanSpreadX = h.fanSpreadY = 0.01;
    for (int i = 0; i < h.boardCount; ++i)
        g_game.pieces[i].posX = g_game.pieces[i].posY = (i % 10) / 10.0;
    Save(folder, "midgame-12x9.qlt");
    h.fixedCount = h.boardCount = h.pieceCount;
    h.selectedCount = 0;
    h.wizardCount = 2;
    Save(folder, "finished-12x9.qlt");
    Cut(1, 5);
    Save(folder, "one-column.qlt");
    Cut(5, 4);
    h.boardCount = 12;
    h.fixedCount = 4;
    h.selectedCount = 1;
    for (int i = 0; i < h.boardCount; ++i)
        g_game.pieces[i].posX = g_game.pieces[i].posY = i / 12.0;
    SaveWithBlocks(folder);
    return 0;
}
