// qdriver show QUILTRA_EXE SHOT.bmp: starts the program, photographs its window, closes it.
#include "tests/e2e/driver.h"
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    if (argc != 4 || strcmp(argv[1], "show") != 0) {
        fprintf(stderr, "usage: qdriver show QUILTRA_EXE SHOT.bmp\n");
        return 2;
    }
    Player player;
    if (!StartQuiltra(&player, WindowsPath(argv[2]), "")) {
        fprintf(stderr, "qdriver: Quiltra did not start\n");
        EndQuiltra(&player);
        return 1;
    }
    Pause(3000);
    HBITMAP shot = CaptureWindow(player.mainWindow);
    bool saved = SaveBitmap(shot, WindowsPath(argv[3]));
    DeleteObject(shot);
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = 0;
    WaitForExit(&player, 10000, &code);
    EndQuiltra(&player);
    return saved ? 0 : 1;
}
