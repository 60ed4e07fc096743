// A main window that records the commands it is sent, a 700 x 500 board window inside it,
// and a 5 x 5 cut of a 400 x 300 picture at 100 % lying in the box: cells of 80 x 60,
// margins of 19.6 and 15.2, tiles of 119 x 90.
#pragma once
#include "tests/shell/main_window_fixture.h"
#include "board/view_geometry.h"
#include "board/view_state.h"
#include "box/box_state.h"
#include "box/box_window.h"
#include "model/game_state.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <vector>

// A WM_CONTEXTMENU that reached the box's parent, which passes it up to the owner of the menus.
struct MenuRequest {
    HWND window;
    POINT screen;
};
extern std::vector<MenuRequest> g_menuRequests;

const int kBoardWidth = 700;
const int kBoardHeight = 500;
const int kPieces = 25;
const int kTileWidth = 119;
const int kTileHeight = 90;

class BoxTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The box's frame in the board's client coordinates.
    static RECT BoxFrame();
    static SCROLLINFO BoxScrollInfo();
    static bool HasScrollBar();
};
