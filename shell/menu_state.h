// Grey and check states of the main menu and the two right-button menus.
#pragma once

void UpdateGameMenuState();
void UpdateOptionChecks();
void UpdateBoxMenuChecks();
// Moves the zoom check mark to one step in all three menus.
void CheckZoomItem(int zoomIndex);
