// The piece box: a captioned child of the board window holding the pieces not yet taken out.
#pragma once
#include "board/press_tracker.h"
#include <windows.h>

// The caption; while only the edge pieces are shown it also counts them.
const wchar_t kBoxTitle[] = L"箱";

enum BoxMode { kBoxShow = 0, kBoxClose = 1, kBoxMove = 2, kBoxToggle = 3 };

// Values of g_box.boxDragState: the press states, in the box's words.
enum BoxDragState {
    kBoxIdle = kPressIdle,
    kBoxClickPending = kPressLeftPending,  // a release takes out the piece under the press
    kBoxHeld = kPressLeftDragging,         // left button held or moved: the release does nothing
    kBoxMenuPending = kPressRightPending,  // a release asks for the box menu
    kBoxScrolling = kPressRightDragging,   // right button dragging the content
};

void ShowBox(int mode);
// Lays the box out again and repaints it, when it is open.
void RefreshBox();
// The same for a box known to be open, whether or not the piece images exist.
void RefreshOpenBox();
// Shows only the edge pieces, or every boxed piece again.
void ShowBoxEdgesOnly(bool edgesOnly);
// Pieces came into the box or left it: lays it out again, and its next paint redraws only
// the slots whose piece changed.
void UpdateBoxContents();
LRESULT CALLBACK BoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Columns, content height and scroll position for the current client size and box contents.
void LayoutBox(bool keepCentre);
// Which boxed pieces the box shows, and its caption, for the table as it is now.
void ListBoxPieces();
// The slots the box shows, left to right and top to bottom: every boxed piece, or only the
// edge pieces while the player asks for those; and the table entry of a slot.
int BoxSlotCount();
int BoxPieceAt(int slot);
// Only edge pieces are asked for and none is left in the box.
bool NoEdgePieceBoxed();
// Clamps the scroll position to the content and sets the scroll bar to match.
void UpdateBoxScroll();

// Draws the box from its off-screen buffer during WM_PAINT, making the buffer first if needed.
void PaintBox();
// Draws every visible slot of the buffer from scratch.
void RenderBoxPieces();
bool MakeBoxBuffer();
// What the buffer shows no longer counts: the next paint renders it all anew.
void ForgetBoxPixels();
void FreeBoxBuffer();

// The mouse and timer messages of the box window.
void OnBoxLeftDown(LPARAM lParam);
void OnBoxRightDown(LPARAM lParam);
void OnBoxMouseMove(LPARAM lParam);
void OnBoxTimer();
void OnBoxLeftUp(LPARAM lParam);
void OnBoxRightUp(LPARAM lParam);
void OnBoxMouseLeave();
void BoxMouseMove(int x, int y);
// Ends a hold or a content drag at the pointer's last position.
void EndBoxDrag(int x, int y);
// The box goes away under a press: nothing may stay pending for the next box.
void CancelBoxPress();
// Takes out the boxed piece whose cell lies under the content point; true on a hit.
bool TakeFromBoxAt(int x, int yContent);
