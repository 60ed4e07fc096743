#include "board/scroll_steps.h"
#include "board/view_geometry.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/game_state.h"
#include "win/scroll_bar.h"
#include <wchar.h>

// An unchanged caption is not set again, which would draw it again.
static void ShowBoxCaption()
{
    const GameHeader& header = g_game.header;
    wchar_t caption[64];
    wcscpy(caption, kBoxTitle);
    if (g_box.edgesOnly)
        swprintf(caption, 64, L"%ls (枠 %d/%d ピース)", kBoxTitle, g_box.edgeSlotCount,
                 header.pieceCount - header.boardCount);
    wchar_t shown[64] = L"";
    GetWindowTextW(g_box.boxWindow, shown, 64);
    if (wcscmp(caption, shown) != 0)
        SetWindowTextW(g_box.boxWindow, caption);
}

void ListBoxPieces()
{
    const GameHeader& header = g_game.header;
    g_box.edgeSlotCount = 0;
    if (g_box.edgesOnly)
        for (int i = header.boardCount; i < header.pieceCount; ++i)
            if (IsEdgePiece(g_game.pieces[i], header))
                g_box.edgeSlots[g_box.edgeSlotCount++] = i;
    ShowBoxCaption();
}

int BoxSlotCount()
{
    return g_box.edgesOnly ? g_box.edgeSlotCount
                           : g_game.header.pieceCount - g_game.header.boardCount;
}

int BoxPieceAt(int slot)
{
    return g_box.edgesOnly ? g_box.edgeSlots[slot] : g_game.header.boardCount + slot;
}

bool NoEdgePieceBoxed()
{
    return g_box.edgesOnly && g_box.edgeSlotCount == 0;
}

void LayoutBox(bool keepCentre)
{
    ListBoxPieces();
    const int oldClientHeight = g_box.boxClientHeight;
    const int oldContentHeight = g_box.boxContentHeight;
    RECT client;
    GetClientRect(g_box.boxWindow, &client);
    g_box.boxClientWidth = client.right;
    g_box.boxClientHeight = client.bottom;

    // A box narrower than one tile still shows its pieces, one per row.
    g_box.boxColumns = (int)(g_box.boxClientWidth / g_geometry.tileWidth);
    if (g_box.boxColumns == 0)
        g_box.boxColumns = 1;
    const int rows = (BoxSlotCount() - 1 + g_box.boxColumns) / g_box.boxColumns;
    g_box.boxContentHeight = (int)(rows * g_geometry.tileHeight);
    if (g_box.boxContentHeight < g_box.boxClientHeight)
        g_box.boxContentHeight = g_box.boxClientHeight;

    // The content point in the middle of the view stays at the same fraction of the content.
    if (keepCentre)
        g_box.boxScrollY = KeepCentre(g_box.boxScrollY, oldClientHeight, g_box.boxClientHeight,
                                      g_box.boxContentHeight, oldContentHeight);
    UpdateBoxScroll();
}

// The finished picture fills the box, so its view has no scroll bar; the position is
// kept for the way back.
void UpdateBoxScroll()
{
    RECT client;
    GetClientRect(g_box.boxWindow, &client);
    const int clientHeight = client.bottom;
    g_box.boxScrollY = ClampScroll(g_box.boxScrollY, g_box.boxContentHeight - clientHeight);

    if (g_box.goalPictureShown)
        RemoveScrollBar(g_box.boxWindow, SB_VERT);
    else
        SetScrollBar(g_box.boxWindow, SB_VERT, g_box.boxContentHeight, clientHeight + 1,
                     g_box.boxScrollY);
}
