#include "tests/support/dialog_owner.h"
#include "tests/support/test_main.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "model/game_state.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>

std::string PictureFixture(const char* name)
{
    return TestPath(0, "PICTURE_FOLDER") + "\\" + name;
}

class DialogOwner : public testing::Environment {
public:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        LoadSettings(instance);
        WNDCLASSA ownerClass = {};
        ownerClass.lpfnWndProc = DefWindowProcA;
        ownerClass.hInstance = instance;
        ownerClass.lpszClassName = "QuiltraDialogOwner";
        RegisterClassA(&ownerClass);
        g_shell.mainWindow =
            CreateWindowA("QuiltraDialogOwner", "Quiltra", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          800, 600, nullptr, nullptr, instance, nullptr);
        ResetGameState();
        ResetView();
        ClearFileNames();
    }
    void TearDown() override { DestroyWindow(g_shell.mainWindow); }
};

static testing::Environment* const s_dialogOwner =
    testing::AddGlobalTestEnvironment(new DialogOwner);
