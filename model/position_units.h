#ifndef QUILTRA_MODEL_POSITION_UNITS_H
#define QUILTRA_MODEL_POSITION_UNITS_H

// A distance in board pixels as a fraction of the free travel `range`.
// With one column or row, or a tiny picture, the tile is as large as the
// board and there is no travel: the position is then 0 rather than NaN or
// infinite, so nothing that reads it can go astray.
double PixelsToPosition(double pixels, double range);

// Limits a position to 0..1: below 0 first, then above 1. NaN becomes 0, so a
// bad value can never stay in the table.
double ClampPosition(double position);

#endif
