#ifndef QUILTRA_MODEL_HOME_TOLERANCE_H
#define QUILTRA_MODEL_HOME_TOLERANCE_H

// A piece lies near a place, its home or its place beside a neighbour, when it is off by less
// than a tenth of a cell plus 4 pixels each way at the current zoom.
const double kHomeToleranceCells = 0.1;
const double kHomeTolerancePixels = 4;

// Whether a piece off its place by (dx, dy) board pixels lies near it.
bool IsWithinHomeTolerance(double dx, double dy);

#endif
