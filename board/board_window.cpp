#include "board/board_window.h"
#include "board/board_changes.h"
#include "board/board_mouse.h"
#include "board/board_paint.h"
#include "board/board_state.h"
#include "board/scroll.h"
#include "win/brushes.h"
#include "win/cursors.h"

static const int kBoardChildId = 2;

void RedrawBoard(UINT flags)
{
    ForgetBoardRecord();
    RedrawWindow(g_board.window, nullptr, nullptr, flags);
}

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_CREATE:
        g_board.window = window;
        UpdateScrollBars();
        return 0;
    case WM_PAINT:         PaintBoard(); return 0;
    // The box's request too, still naming the box, to the main window, which owns the menus.
    case WM_CONTEXTMENU:   return SendMessageW(GetParent(window), message, wParam, lParam);
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
    return DefWindowProcW(window, message, wParam, lParam);
}

void CreateBoardWindow(HWND parent, int top)
{
    static const wchar_t kBoardClass[] = L"Quiltra Sight";
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(parent, GWLP_HINSTANCE);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = BoardWindowProc;
    wc.hInstance = instance;
    wc.hCursor = g_cursors.arrow;
    wc.hbrBackground = g_brushes.grey;
    wc.lpszClassName = kBoardClass;
    // Registered anew with every main window; a failure because the class exists is harmless.
    RegisterClassExW(&wc);
    CreateWindowExW(0, kBoardClass, nullptr,
                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 2, top, 1, 1,
                    parent, (HMENU)(INT_PTR)kBoardChildId, instance, nullptr);
}
