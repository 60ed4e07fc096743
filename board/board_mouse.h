// The board window's mouse: clicking, dragging and dropping pieces, the selection band,
// panning with the right button and the board's menu.
#pragma once
#include <windows.h>

enum BoardMouseMode { kMouseIdle, kMouseLeftDown, kMouseLeftDrag, kMouseRightDown, kMousePanning };
enum DragKind { kDragNone, kDragStarting, kDragMoving, kDragBand };

void OnBoardButtonDown(int mode, LPARAM lParam);
void OnBoardLeftUp(LPARAM lParam);
void OnBoardRightUp(LPARAM lParam);
void OnBoardMouseMove(LPARAM lParam);
void OnBoardTimer();
void OnBoardMouseLeave();
void BoardMouseMove(int x, int y);
void EndBoardDrag(int x, int y);
