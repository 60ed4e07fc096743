#ifndef QUILTRA_MODEL_CUT_PIECES_H
#define QUILTRA_MODEL_CUT_PIECES_H

// Numbers the columns x rows pieces of g_game, gives every inner side a random
// knob and its matching socket, and shuffles the table; all pieces end in the
// box. Expects a freshly reset game state holding the counts to cut.
void CutPieces();

#endif
