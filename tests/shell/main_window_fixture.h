// Builds the real main window inside the test process, as start-up does, without its loop.
#pragma once
#include "tests/support/message_pump.h"
#include "shell/main_window.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include <gtest/gtest.h>

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        LoadSettings(GetModuleHandleW(nullptr));
        CreateSolidBrushes();
        static bool registered = RegisterMainWindowClass();
        ASSERT_TRUE(registered);
        ASSERT_NE(nullptr, CreateMainWindow());
        ShowWindow(g_shell.mainWindow, SW_SHOWMAXIMIZED);
        UpdateWindow(g_shell.mainWindow);
        PumpUntilQuiet();
    }
    void TearDown() override
    {
        DestroyWindow(g_shell.mainWindow);
        PumpUntilQuiet();
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        DestroyMenu(g_shell.boardMenu);
        DestroyMenu(g_shell.boxMenu);
        DeleteSolidBrushes();
    }
};
