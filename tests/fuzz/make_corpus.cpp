// Writes real game files, as the program saves them, to seed the fuzzer:
//   make_corpus FOLDER
#include "files/game_format.h"
#include "model/cut_pieces.h"
#include "model/random.h"
#include <stdio.h>
#include <string.h>
#include <string>

static void Save(const std::string& folder, const char* name)
{
    char path[kGamePathSize] = "C:\\Users\\player\\Pictures\\猫.jpg";
    std::vector<unsigned char> bytes;
    BuildGameFile(path, g_game.header, g_game.pieces, &bytes);
    FILE* file = fopen((folder + "/" + name).c_str(), "wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
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
    return 0;
}
