// Painting the board window from its off-screen buffers.
#pragma once

void PaintBoard();
