// Driving the board window's mouse: button and move messages are posted straight to the
// window procedure, while the real pointer is parked where the board reads it (the hold
// timer asks for the cursor position, mouse tracking needs the pointer inside the window,
// and a drag that loses the window ends where the pointer is).
// Under this Wine a real pointer move is often followed by a replay of an older position,
// so the moves within a drag are not made with the real pointer.
#pragma once
#include <windows.h>

// Client points of the board window throughout. A pointer that cannot be parked is
// reported at the caller's line.
void ParkPointer(POINT client, const char* file = __builtin_FILE(), int line = __builtin_LINE());
void PostToBoard(UINT message, POINT client);
// A button press with the pointer parked at the same point.
void PressAt(UINT buttonDown, POINT client, const char* file = __builtin_FILE(),
             int line = __builtin_LINE());
// A quick left click: both messages are queued before either is handled.
void PostClick(POINT client, const char* file = __builtin_FILE(), int line = __builtin_LINE());
