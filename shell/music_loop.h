// Keeps the background tune going on an MCI device that knows no "repeat": the tune is
// played with "notify", and each time it reaches its end it starts again.
#pragma once
#include <windows.h>

// The hidden message-only window that receives the end-of-play notifications.
HWND MusicLoopWindow();
