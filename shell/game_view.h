// Showing a game: the zoom that fits, the title, menus, images, box and music.
#pragma once

void BeginGameView();
void SelectZoom(int percent, bool keepCentre);
