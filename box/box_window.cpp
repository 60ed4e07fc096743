#include "box/box_window.h"
#include "board/board_state.h"
#include "board/scroll_steps.h"
#include "board/view_state.h"
#include "board/zoomed_picture.h"
#include "box/box_state.h"
#include "resources/resource_ids.h"
#include "win/brushes.h"
#include "win/cursors.h"
#include "win/dpi.h"
#include "win/scroll_bar.h"

static const wchar_t kBoxClass[] = L"QuiltraBox";
static const int kBoxChildId = 3;
// How far a minimised box is lifted off the board's bottom edge, at 96 DPI.
static const int kMinimisedLift = 20;

// Registered anew before every creation; a failure because the class exists is harmless.
static void RegisterBoxClass()
{
    WNDCLASSW wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = BoxWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_BOX));
    wc.hCursor = g_cursors.arrow;
    wc.hbrBackground = g_brushes.white;
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);
}

// The place is taken from the board's client size only now; later the player moves the box.
static HWND CreateBoxWindow()
{
    RECT board;
    GetClientRect(g_board.window, &board);
    const int W = board.right, H = board.bottom;
    const int w = (int)(W * 0.4), h = (int)(H * 0.4);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
        WS_MAXIMIZEBOX | WS_VSCROLL;
    int x = 0, y = 0, width = W, height = h;
    // clang-format off
    switch (g_box.boxPosition) {
    case kBoxAtBottom:  y = H - h; break;
    case kBoxAtTop:     break;
    case kBoxAtRight:   x = W - w; width = w; height = H; break;
    case kBoxAtLeft:    width = w; height = H; break;
    case kBoxMaximised: y = H - h; style |= WS_MAXIMIZE; break;  // restoring to the bottom
    default: return nullptr;
    }
    // clang-format on
    return CreateWindowExW(0, kBoxClass, kBoxTitle, style, x, y, width, height, g_board.window,
                           (HMENU)(INT_PTR)kBoxChildId, GetModuleHandleW(nullptr), nullptr);
}

static void OpenBox()
{
    RegisterBoxClass();
    HWND window = CreateBoxWindow();
    if (!window)
        return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RefreshOpenBox();
}

static void CloseBox()
{
    SendMessageW(g_box.boxWindow, WM_CLOSE, 0, 0);
}

void ShowBox(int mode)
{
    const bool open = g_box.boxWindow != nullptr;
    switch (mode) {
    case kBoxShow:
        if (open)
            RefreshOpenBox();
        else
            OpenBox();
        break;
    case kBoxClose:
        if (open)
            CloseBox();
        break;
    case kBoxMove:
        if (open)
            CloseBox();
        OpenBox();
        break;
    case kBoxToggle:
        if (open)
            CloseBox();
        else
            OpenBox();
        break;
    }
}

static void RenewBox(bool keepCentre)
{
    LayoutBox(keepCentre);
    ForgetBoxPixels();
    RedrawWindow(g_box.boxWindow, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void RefreshOpenBox()
{
    RenewBox(true);
}

// Another list of pieces: its top is shown, not the place of the old list's middle.
void ShowBoxEdgesOnly(bool edgesOnly)
{
    g_box.edgesOnly = edgesOnly;
    g_box.boxScrollY = 0;
    if (g_box.boxWindow)
        RenewBox(false);
}

// The buffer stays: the paint moves the slots it already shows. Without piece images there
// is nothing to move, and the background shows.
void UpdateBoxContents()
{
    if (!g_box.boxWindow)
        return;
    LayoutBox(true);
    RedrawWindow(g_box.boxWindow, nullptr, nullptr,
                 HasZoomedPicture() ? RDW_INVALIDATE : RDW_INVALIDATE | RDW_ERASE);
}

// Without piece images the box shows only its white background: no layout to renew.
void RefreshBox()
{
    if (!g_box.boxWindow)
        return;
    if (HasZoomedPicture()) {
        RefreshOpenBox();
    } else {
        ListBoxPieces();  // the caption counts pieces whether or not they can be drawn
        RedrawWindow(g_box.boxWindow, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
    }
}

static void OnCreate(HWND window)
{
    g_box.boxWindow = window;
    SetCursor(g_cursors.arrow);
    LayoutBox(false);
}

// A minimised child is parked on the board's bottom edge, where its caption can end up
// partly out of sight.
static void LiftMinimisedBox()
{
    RECT frame;
    GetWindowRect(g_box.boxWindow, &frame);
    POINT corner = {frame.left, frame.top};
    ScreenToClient(g_board.window, &corner);
    RECT board;
    GetClientRect(g_board.window, &board);
    const int lift = ScaledToDpi(kMinimisedLift, WindowDpi(g_box.boxWindow));
    if (corner.y + lift > board.bottom)
        MoveWindow(g_box.boxWindow, corner.x, corner.y - lift, frame.right - frame.left,
                   frame.bottom - frame.top, FALSE);
}

static void OnSize(WPARAM kind)
{
    if (kind == SIZE_RESTORED || kind == SIZE_MAXIMIZED)
        RefreshOpenBox();
    else if (kind == SIZE_MINIMIZED)
        LiftMinimisedBox();
}

static void OnPaint()
{
    PAINTSTRUCT paint;
    g_box.boxPaintDC = BeginPaint(g_box.boxWindow, &paint);
    PaintBox();
    EndPaint(g_box.boxWindow, &paint);
}

static void OnClose()
{
    FreeBoxBuffer();
    DestroyWindow(g_box.boxWindow);
    g_box.boxWindow = nullptr;
}

// At exit the box goes down with the board, without a WM_CLOSE of its own.
static void OnDestroy()
{
    FreeBoxBuffer();
    CancelBoxPress();
    g_box.boxWindow = nullptr;
}

// The steps are fixed pixel counts, whatever the tile size.
static void OnVScroll(WPARAM wParam)
{
    if (!ApplyScrollCode(wParam, ThumbTrackPosition(g_box.boxWindow, SB_VERT),
                         WindowDpi(g_box.boxWindow), &g_box.boxScrollY))
        return;
    UpdateBoxScroll();
    RedrawWindow(g_box.boxWindow, nullptr, nullptr, RDW_INVALIDATE);
}

LRESULT CALLBACK BoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_CREATE:        OnCreate(window); return 0;
    case WM_SIZE:          OnSize(wParam); return 0;
    case WM_PAINT:         OnPaint(); return 0;
    case WM_CLOSE:         OnClose(); return 0;
    case WM_DESTROY:       OnDestroy(); return 0;
    case WM_VSCROLL:       OnVScroll(wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnBoxLeftDown(lParam); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnBoxRightDown(lParam); return 0;
    case WM_MOUSEMOVE:     OnBoxMouseMove(lParam); return 0;
    case WM_TIMER:         OnBoxTimer(); return 0;
    case WM_LBUTTONUP:     OnBoxLeftUp(lParam); return 0;
    case WM_RBUTTONUP:     OnBoxRightUp(lParam); return 0;
    case WM_MOUSELEAVE:    OnBoxMouseLeave(); return 0;
    }
    // clang-format on
    return DefWindowProcW(window, message, wParam, lParam);
}
