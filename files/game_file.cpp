#include "files/game_file.h"

// Saving arrives with the game file format; until then nothing is written and
// nothing claims it was, so the exit prompt keeps an unsaved game open.
bool SaveGameFile(bool)
{
    return false;
}
