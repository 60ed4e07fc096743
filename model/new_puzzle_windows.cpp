#include "model/cut_pieces.h"
#include "model/game_state.h"
#include "model/new_puzzle.h"
#include "model/settings_dialog.h"

bool NewPuzzle(HWND owner)
{
    // The cut needs a fresh state, and the dialog starts from its 10 x 10 in square mode.
    ResetGameState();
    if (!RunSettingsDialog(owner))
        return false;
    CutPieces();
    return true;
}
