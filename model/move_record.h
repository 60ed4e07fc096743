#ifndef QUILTRA_MODEL_MOVE_RECORD_H
#define QUILTRA_MODEL_MOVE_RECORD_H

// Moves the piece record at `from` to index `to`. The records between shift
// one place towards `from`, so every other piece keeps its relative order and
// with it its situation and stacking.
void MoveRecord(int from, int to);

#endif
