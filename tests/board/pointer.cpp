#include "tests/board/pointer.h"
#include "tests/shell/main_window_fixture.h"
#include "board/board_state.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>

static bool CursorIsAt(POINT screen)
{
    POINT cursor;
    GetCursorPos(&cursor);
    return cursor.x == screen.x && cursor.y == screen.y;
}

// After a replayed older position, SetCursorPos to the same target can leave the pointer
// where it was, GetCursorPos falling back to the old place a little later for good; a step
// beside the target first makes the move take effect.
void ParkPointer(POINT client, const char* file, int line)
{
    POINT screen = client;
    ClientToScreen(g_board.window, &screen);
    int steady = 0;
    for (int attempt = 0; attempt < 3 && steady < 6; ++attempt) {
        SetCursorPos(screen.x + 1, screen.y);
        SetCursorPos(screen.x, screen.y);
        steady = 0;
        for (int check = 0; check < 25 && steady < 6; ++check) {
            PumpMessages(15);
            steady = CursorIsAt(screen) ? steady + 1 : 0;
        }
    }
    if (steady < 6) {
        POINT cursor;
        GetCursorPos(&cursor);
        ADD_FAILURE_AT(file, line) << "the pointer did not settle at " << screen.x << ", "
                                   << screen.y << " but is at " << cursor.x << ", " << cursor.y;
    }
    PumpUntilQuiet();
}

void PostToBoard(UINT message, POINT client)
{
    PostMessageW(g_board.window, message, 0, MAKELPARAM(client.x, client.y));
    PumpUntilQuiet();
}

void PressAt(UINT buttonDown, POINT client, const char* file, int line)
{
    ParkPointer(client, file, line);
    PostToBoard(buttonDown, client);
}

void PostClick(POINT client, const char* file, int line)
{
    ParkPointer(client, file, line);
    const LPARAM point = MAKELPARAM(client.x, client.y);
    PostMessageW(g_board.window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(g_board.window, WM_LBUTTONUP, 0, point);
    PumpUntilQuiet();
}
