#include "tests/shell/recording_mci.h"
#include "win/mci_send.h"

std::vector<SentCommand> g_sentCommands;
std::vector<std::wstring> g_failingCommands;

DWORD SendMciCommand(const wchar_t* command, HWND notifyWindow)
{
    g_sentCommands.push_back({command, notifyWindow});
    for (const std::wstring& failing : g_failingCommands)
        if (g_sentCommands.back().text.find(failing) != std::wstring::npos)
            return 277;
    return 0;
}
