// A game's life on the screen: starting it, showing its changes, ending it.
#pragma once
#include <windows.h>

// The game, its file names and the view are empty, as at start-up.
void ClearGame();
// A game made by New or loaded from a file is the one on the board now; an unsaved one
// gets a recovery copy.
void StartGame(bool modified);
// The zoom that fits, the title, menus, images, box and music of the game just started.
void BeginGameView();
// Everything the game shows is drawn anew: the board (with the RedrawWindow flags given)
// and the box, if it is open.
void RedrawGame(UINT boardFlags);
// No game any more: the board shows the start picture, the box closes, the music stops.
void EndGame();
void SelectZoom(int percent, bool keepCentre);
// A button is held on the board or in the box: a zoom step or a write would upset its drag.
bool IsButtonHeld();
