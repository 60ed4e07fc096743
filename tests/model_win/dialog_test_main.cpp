// The dialogs need the shell's state and an owner window; the real main window with its
// children is more than they use.
#include "tests/model_win/dialog_fixture.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "files/path_parts.h"
#include "model/game_state.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>
#include <commctrl.h>

std::string PictureFixture(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    char folder[MAX_PATH] = "";
    CopyFolderPart(path, folder, MAX_PATH);
    return std::string(folder) + "pictures\\" + name;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    InitCommonControls();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadSettings(instance);
    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = DefWindowProcA;
    ownerClass.hInstance = instance;
    ownerClass.lpszClassName = "QuiltraDialogOwner";
    RegisterClassA(&ownerClass);
    g_shell.mainWindow = CreateWindowA("QuiltraDialogOwner", "Quiltra", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       0, 0, 800, 600, nullptr, nullptr, instance, nullptr);
    ResetGameState();
    ResetView();
    ClearFileNames();
    int result = RUN_ALL_TESTS();
    DestroyWindow(g_shell.mainWindow);
    return result;
}
