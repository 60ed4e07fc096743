// qdriver show QUILTRA_EXE SHOT.bmp: starts the program, photographs its window, closes it.
// qdriver demo QUILTRA_EXE PICTURE OUT_FOLDER: plays a whole 4 x 3 game with screenshots.
#include "tests/e2e/demo.h"
#include "tests/e2e/driver.h"
#include <stdio.h>
#include <string.h>

static int Show(const char* exe, const char* shotPath)
{
    Player player;
    if (!StartQuiltra(&player, WindowsPath(exe), "")) {
        fprintf(stderr, "qdriver: Quiltra did not start\n");
        EndQuiltra(&player);
        return 1;
    }
    Pause(3000);
    HBITMAP shot = CaptureWindow(player.mainWindow);
    bool saved = SaveBitmap(shot, WindowsPath(shotPath));
    DeleteObject(shot);
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = 0;
    WaitForExit(&player, 10000, &code);
    EndQuiltra(&player);
    return saved ? 0 : 1;
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "show") == 0)
        return Show(argv[2], argv[3]);
    if (argc == 5 && strcmp(argv[1], "demo") == 0)
        return PlayDemoGame(WindowsPath(argv[2]), WindowsPath(argv[3]), WindowsPath(argv[4]));
    fprintf(stderr,
            "usage: qdriver show QUILTRA_EXE SHOT.bmp\n"
            "       qdriver demo QUILTRA_EXE PICTURE OUT_FOLDER\n");
    return 2;
}
