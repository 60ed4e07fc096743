// Measures what writing the recovery copy of an unsaved game costs: the pause a player
// could meet when a press comes just as the copy is written (never during a drag).
// Prints medians in ms, in the drawing benchmark's table format.
//   recovery_benchmark
#include "files/file_names.h"
#include "files/recovery_file.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/random.h"
#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <string.h>
#include <vector>
#include <wchar.h>

static double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000.0 / frequency.QuadPart;
}

static double MedianWriteMs(int columns, int rows)
{
    ResetGameState();
    g_game.header.columns = columns;
    g_game.header.rows = rows;
    CutPieces();
    std::vector<double> times;
    for (int run = 0; run < 15; ++run) {
        double start = Now();
        if (!WriteRecoveryCopy()) {
            fprintf(stderr, "recovery_benchmark: the copy cannot be written\n");
            exit(1);
        }
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int main()
{
    SeedRandom(12345);
    ClearFileNames();
    wcscpy(g_picturePath, L"C:\\pictures\\photo.jpg");
    wcscpy(g_gamePath, L"C:\\games\\photo.qlt");
    char label[96];
    for (int side : {10, 100}) {
        snprintf(label, sizeof label, "recovery copy, %d pieces: written, flushed, replaced",
                 side * side);
        printf("| %-62s | %10.3f |\n", label, MedianWriteMs(side, side));
    }
    // Another program started on this profile would offer the copy.
    DeleteRecoveryCopy();
    return 0;
}
