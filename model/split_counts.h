#ifndef QUILTRA_MODEL_SPLIT_COUNTS_H
#define QUILTRA_MODEL_SPLIT_COUNTS_H

// The settings dialog's arithmetic. Every count it gives lies within 2..100.

// Keeps about columns x rows pieces but reshapes the split so that the cells of a
// pictureWidth x pictureHeight picture come out near square.
void SquareSplitCounts(int* columns, int* rows, int pictureWidth, int pictureHeight);

// The count for the other direction that keeps cells near square once `count` has been
// chosen along a side `countSide` pixels long; `otherSide` is the picture's other side.
// Columns chosen: MatchingSplitCount(columns, width, height) gives the rows, and the
// other way round.
int MatchingSplitCount(int count, int countSide, int otherSide);

#endif
