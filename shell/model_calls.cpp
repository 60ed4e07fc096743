// The shell's side of what the model asks for (SetModified, UpdateTitle and PlayMusic
// live with the title and the music).
#include "board/board_state.h"
#include "board/board_window.h"
#include "model/shell_calls.h"
#include "shell/shell_state.h"

void SoundFixedBeep()
{
    MessageBeep(MB_OK);
}

void InvalidateBoardWindow()
{
    RedrawBoard(RDW_INVALIDATE | RDW_ERASE);
}

void ShowCompletionMessage()
{
    MessageBoxW(g_shell.mainWindow, L"完成しました！おめでとうございます。お疲れ様でした。",
                L"Quiltra", MB_ICONINFORMATION);
}

void GetBoardScroll(int* scrollX, int* scrollY)
{
    *scrollX = g_board.scrollX;
    *scrollY = g_board.scrollY;
}
