// qdriver show QUILTRA_EXE SHOT.bmp: starts the program, photographs its window, closes it.
// qdriver demo QUILTRA_EXE PICTURE OUT_FOLDER: plays a whole 5 x 4 game, two pieces joined on the way, with screenshots.
// qdriver status-bar: exits with a status bar as a new program makes it (see driver.h).
// The arguments are taken from the wide command line: the narrow one is the code page's best
// fit of any name it cannot spell.
#include "tests/e2e/demo.h"
#include "tests/e2e/driver.h"
#include <stdio.h>
#include <wchar.h>

static int Show(const std::wstring& exe, const std::wstring& shotPath)
{
    Player player;
    if (!StartQuiltra(&player, exe, L"")) {
        fprintf(stderr, "qdriver: Quiltra did not start\n");
        EndQuiltra(&player);
        return 1;
    }
    Pause(3000);
    HBITMAP shot = CaptureWindow(player.mainWindow);
    bool saved = SaveBitmap(shot, shotPath);
    DeleteObject(shot);
    PostMessageW(player.mainWindow, WM_CLOSE, 0, 0);
    DWORD code = 0;
    WaitForExit(&player, 10000, &code);
    EndQuiltra(&player);
    return saved ? 0 : 1;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && wcscmp(argv[1], L"show") == 0)
        return Show(WindowsPath(argv[2]), WindowsPath(argv[3]));
    if (argc == 2 && wcscmp(argv[1], L"status-bar") == 0)
        return (int)OwnStatusBarAnswer();
    if (argc == 5 && wcscmp(argv[1], L"demo") == 0)
        return PlayDemoGame(WindowsPath(argv[2]), WindowsPath(argv[3]), WindowsPath(argv[4]));
    fprintf(stderr,
            "usage: qdriver show QUILTRA_EXE SHOT.bmp\n"
            "       qdriver demo QUILTRA_EXE PICTURE OUT_FOLDER\n"
            "       qdriver status-bar\n");
    return 2;
}
