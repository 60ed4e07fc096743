// Measures what a game file costs: saving and opening a game (its picture a small one, so
// that the file's part shows), at a path the code page spells and at one it does not, and
// writing the recovery copy of an unsaved game, the pause a player could meet when a press
// comes just as the copy is written (never during a drag).
// Prints medians in ms, in the drawing benchmark's table format.
//   game_file_benchmark
#include "tests/support/bmp_file.h"
#include "files/file_names.h"
#include "files/game_file.h"
#include "files/recovery_file.h"
#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/random.h"
#include <windows.h>
#include <algorithm>
#include <functional>
#include <stdio.h>
#include <string>
#include <vector>
#include <wchar.h>

static double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000.0 / frequency.QuadPart;
}

static void Fail(const char* what)
{
    fprintf(stderr, "game_file_benchmark: %s\n", what);
    exit(1);
}

static double MedianMs(const std::function<bool()>& action, const char* what)
{
    std::vector<double> times;
    for (int run = 0; run < 15; ++run) {
        double start = Now();
        if (!action())
            Fail(what);
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

static void Cut(int side)
{
    ResetGameState();
    g_game.header.columns = side;
    g_game.header.rows = side;
    CutPieces();
}

static void Row(const char* label, double ms)
{
    printf("| %-62s | %10.3f |\n", label, ms);
}

// Saves and opens a game whose picture and file lie in folder.
static void SaveAndOpen(const std::wstring& folder, const wchar_t* picture, const wchar_t* game,
                        const char* where)
{
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring picturePath = folder + L"\\" + picture, gamePath = folder + L"\\" + game;
    if (!WriteBmpFile(picturePath.c_str(), 64, 48, RGB(128, 128, 128)))
        Fail("the picture cannot be written");
    char label[96];
    for (int side : {10, 100}) {
        Cut(side);
        wcscpy(g_picturePath, picturePath.c_str());
        wcscpy(g_gamePath, gamePath.c_str());
        snprintf(label, sizeof label, "save, %d pieces, %s", side * side, where);
        Row(label, MedianMs([] { return SaveGameFile(nullptr, false); }, "saving failed"));
        snprintf(label, sizeof label, "open, %d pieces, %s", side * side, where);
        Row(label, MedianMs(
                       [&gamePath] {
                           return LoadGameFile(nullptr, gamePath.c_str(), gamePath.c_str()) ==
                               kGameLoaded;
                       },
                       "opening failed"));
    }
    DeleteFileW(gamePath.c_str());
    DeleteFileW(picturePath.c_str());
    RemoveDirectoryW(folder.c_str());
}

int main()
{
    SeedRandom(12345);
    wchar_t temporary[MAX_PATH];
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring base = std::wstring(temporary) + L"quiltra-benchmark";
    CreateDirectoryW(base.c_str(), nullptr);
    SaveAndOpen(base + L"\\写真", L"photo.bmp", L"game.qlt", "a path the code page spells");
    SaveAndOpen(base + L"\\Zo\u00EB \u2665", L"Caf\u00E9 \u2615.bmp", L"game \u2615.qlt",
                "a path it does not");
    RemoveDirectoryW(base.c_str());

    ClearFileNames();
    wcscpy(g_picturePath, L"C:\\pictures\\photo.jpg");
    wcscpy(g_gamePath, L"C:\\games\\photo.qlt");
    char label[96];
    for (int side : {10, 100}) {
        Cut(side);
        snprintf(label, sizeof label, "recovery copy, %d pieces: written, flushed, replaced",
                 side * side);
        Row(label, MedianMs(WriteRecoveryCopy, "the copy cannot be written"));
    }
    // Another program started on this profile would offer the copy.
    DeleteRecoveryCopy();
    return 0;
}
