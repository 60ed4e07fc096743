#include "board/board_window.h"
#include "board/board_paint.h"
#include "board/scroll.h"
#include "shell/commands.h"
#include "shell/shell_state.h"

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_shell.boardWindow = window;
        UpdateScrollBars();
        return 0;
    case WM_PAINT:   PaintBoard(); return 0;
    case WM_COMMAND: RunCommand(LOWORD(wParam)); return 0;
    case WM_HSCROLL: ScrollBoard(SB_HORZ, wParam); return 0;
    case WM_VSCROLL: ScrollBoard(SB_VERT, wParam); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
