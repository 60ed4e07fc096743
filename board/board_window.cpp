#include "board/board_window.h"
#include "board/board_changes.h"
#include "board/board_mouse.h"
#include "board/board_paint.h"
#include "board/scroll.h"
#include "shell/commands.h"
#include "shell/shell_state.h"

void RedrawBoard(UINT flags)
{
    ForgetBoardRecord();
    RedrawWindow(g_shell.boardWindow, nullptr, nullptr, flags);
}

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_CREATE:
        g_shell.boardWindow = window;
        UpdateScrollBars();
        return 0;
    case WM_PAINT:         PaintBoard(); return 0;
    case WM_COMMAND:       RunCommand(LOWORD(wParam)); return 0;
    case WM_HSCROLL:       ScrollBoard(SB_HORZ, wParam); return 0;
    case WM_VSCROLL:       ScrollBoard(SB_VERT, wParam); return 0;
    case WM_TIMER:         OnBoardTimer(); return 0;
    case WM_MOUSEMOVE:     OnBoardMouseMove(lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnBoardButtonDown(kPressLeft, lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnBoardButtonDown(kPressRight, lParam); return 0;
    case WM_LBUTTONUP:     OnBoardLeftUp(lParam); return 0;
    case WM_RBUTTONUP:     OnBoardRightUp(lParam); return 0;
    case WM_MOUSELEAVE:    OnBoardMouseLeave(); return 0;
    }
    // clang-format on
    return DefWindowProcA(window, message, wParam, lParam);
}
