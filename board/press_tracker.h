// The rules a mouse press follows on the board and in the box alike: it waits to see
// whether it is a click, becomes a drag at the first real movement or when it has been
// held long enough, and ends at the release of the button that started it. Each window
// keeps the state in its own field (BoardState::mouseMode, BoxState::boxDragState) and
// its last point beside it. No windows.h, so that the rules are tested natively.
#pragma once

enum PressState {
    kPressIdle = 0,
    kPressLeftPending = 1,   // left button down, neither moved nor held yet
    kPressLeftDragging = 2,  // left button moved, or held past kPressHoldMs
    kPressRightPending = 3,
    kPressRightDragging = 4,
};

enum PressSide { kPressLeft, kPressRight };

// A press still pending when this window timer fires becomes a drag without moving.
const unsigned kPressTimer = 0;
const unsigned kPressHoldMs = 500;

enum PressRelease {
    kReleaseIgnored,  // no press, or not the button that started it
    kReleaseClick,    // the press was pending: a click; the state is idle again
    kReleaseDragEnd,  // the press was a drag: the caller ends it, then sets the state idle
};

bool IsPressPending(int state);
bool IsPressDragging(int state);
// A press starts only from idle: one of either button while another is under way is
// ignored (false).
bool StartPress(int& state, PressSide button);
// Whether a move message to (x, y) advances the press last seen at (lastX, lastY). Windows
// also sends WM_MOUSEMOVE when the pointer has not moved (a window changed under it, the
// focus moved): such a message leaves a pending click pending.
bool MoveAdvancesPress(int state, int x, int y, int lastX, int lastY);
// A pending press becomes the drag of its button; false when nothing was pending.
bool BeginPressDrag(int& state);
PressRelease ReleasePress(int& state, PressSide button);
