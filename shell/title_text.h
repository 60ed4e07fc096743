// The text of a game's title bar, kept apart from the window so that it can be checked anywhere.
#pragma once
#include <stddef.h>

void FormatGameTitle(wchar_t* text, size_t capacity, const wchar_t* gameName, bool modified,
                     int fixedCount, int pieceCount, int zoomPercent, int wizardCount);
