#include "board/board_state.h"

BoardState g_board;
