#include "tests/support/dialog_owner.h"
#include "tests/support/test_main.h"
#include "board/view_state.h"
#include "files/file_names.h"
#include "model/game_state.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>

std::wstring PictureFixture(const wchar_t* name)
{
    return TestPath(0, "PICTURE_FOLDER") + L"\\" + name;
}

class DialogOwner : public testing::Environment {
public:
    void SetUp() override
    {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        LoadSettings(instance);
        WNDCLASSW ownerClass = {};
        ownerClass.lpfnWndProc = DefWindowProcW;
        ownerClass.hInstance = instance;
        ownerClass.lpszClassName = L"QuiltraDialogOwner";
        RegisterClassW(&ownerClass);
        g_shell.mainWindow =
            CreateWindowW(L"QuiltraDialogOwner", L"Quiltra", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          800, 600, nullptr, nullptr, instance, nullptr);
        ResetGameState();
        ResetView();
        ClearFileNames();
    }
    void TearDown() override { DestroyWindow(g_shell.mainWindow); }
};

static testing::Environment* const s_dialogOwner =
    testing::AddGlobalTestEnvironment(new DialogOwner);
