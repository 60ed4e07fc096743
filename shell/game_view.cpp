#include "shell/game_view.h"
#include "board/board_mouse.h"
#include "board/board_state.h"
#include "board/board_window.h"
#include "board/piece_images.h"
#include "board/scroll.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "files/file_names.h"
#include "model/game_state.h"
#include "model/home_test.h"
#include "model/group_joining.h"
#include "model/piece_groups.h"
#include "shell/menu_state.h"
#include "shell/recovery.h"
#include "shell/shell_state.h"
#include "shell/title.h"
#include "shell/zoom_steps.h"

void ClearGame()
{
    ResetGameState();
    ClearFileNames();
    ResetView();
}

void SelectZoom(int percent, bool keepCentre)
{
    int index = ZoomIndexForPercent(percent);
    CheckZoomItem(index);
    ViewGeometry& g = g_geometry;
    int oldWidth = g.boardWidth, oldHeight = g.boardHeight;
    g_shell.zoomIndex = index;
    ComputeViewGeometry(g_view.pictureInfo.biWidth, g_view.pictureInfo.biHeight,
                        ZoomSteps[index].percent, g_game.header.columns, g_game.header.rows);
    ReseatFixedPieces();
    ReseatGroups();
    if (keepCentre) {
        const int w = g.bufferWidth, h = g.bufferHeight;
        g_board.scrollX = KeepCentre(g_board.scrollX, w, w, g.boardWidth, oldWidth);
        g_board.scrollY = KeepCentre(g_board.scrollY, h, h, g.boardHeight, oldHeight);
    }
    UpdateScrollBars();
}

bool IsButtonHeld()
{
    return g_board.mouseMode != kMouseIdle || g_box.boxDragState != kBoxIdle;
}

void BeginGameView()
{
    RECT frame;
    GetWindowRect(g_shell.mainWindow, &frame);
    // The board is 1.4 times the picture: 70 % of the frame's width leaves it 98 % of it.
    SelectZoom((int)((frame.right - frame.left) * 70.0 / g_view.pictureInfo.biWidth), false);
    // An opened game's loose pieces count as put down where they lie: those sitting exactly
    // together join, whether or not the file said so.
    if (g_groups.joining)
        JoinLooseNeighbours();
    UpdateTitle();
    UpdateGameMenuState();
    BuildPieceImages();
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
    ShowBox(kBoxShow);
    PlayMusic(kMusicBackground);
}

void StartGame(bool modified)
{
    g_board.gameActive = 1;
    g_shell.gameModified = modified;
    RenewRecoveryCopy();
    BeginGameView();
}

void RedrawGame(UINT boardFlags)
{
    RedrawBoard(boardFlags);
    RefreshBox();
}

void EndGame()
{
    g_board.gameActive = 0;
    g_shell.gameModified = 0;
    DiscardRecoveryCopy();
    ReleaseViewResources();
    ClearGame();
    // Without a game the bars go; left alone, the old game's would stay until a resize.
    UpdateScrollBars();
    UpdateTitle();
    UpdateGameMenuState();
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
    ShowBox(kBoxClose);
    PlayMusic(kMusicSilence);
}
