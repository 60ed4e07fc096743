// The pixels of the system's ellipses, asked of the system once per size.
#pragma once
#include "board/piece_pixels.h"

// What Ellipse(left, top, left + width, top + height) covers with the program's one-pixel
// pen, relative to (left, top); a StampSource.
const EllipseStamp& SystemEllipse(int width, int height);
// Frees the stamps: a new zoom brings other sizes.
void ForgetEllipseStamps();
