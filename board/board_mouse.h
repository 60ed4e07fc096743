// The board window's mouse: clicking, dragging and dropping pieces, the selection band,
// panning with the right button and the board's menu.
#pragma once
#include "board/press_tracker.h"
#include <windows.h>

// Values of BoardState::mouseMode: the press states, in the board's words.
enum BoardMouseMode {
    kMouseIdle = kPressIdle,
    kMouseLeftDown = kPressLeftPending,
    kMouseLeftDrag = kPressLeftDragging,
    kMouseRightDown = kPressRightPending,
    kMousePanning = kPressRightDragging,
};
// Values of BoardState::dragKind: what a left drag does. The paint that finds a selection
// drag just begun renders the board under it once and moves it on to kDragMoving.
enum DragKind { kDragNone, kDragStarting, kDragMoving, kDragBand };

void OnBoardButtonDown(PressSide button, LPARAM lParam);
void OnBoardLeftUp(LPARAM lParam);
void OnBoardRightUp(LPARAM lParam);
void OnBoardMouseMove(LPARAM lParam);
void OnBoardTimer();
void OnBoardMouseLeave();
void BoardMouseMove(int x, int y);
void EndBoardDrag(int x, int y);
