// Takes the place of the real MCI sender in the music tests: it records each command
// and fails those that contain one of the given texts.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct SentCommand {
    std::wstring text;
    HWND notifyWindow;
};

extern std::vector<SentCommand> g_sentCommands;
// A command containing any of these fails with error 277, what Wine's mpegvideo answers.
extern std::vector<std::wstring> g_failingCommands;
