#include "tests/shell/recording_mci.h"
#include "win/mci_send.h"

std::vector<SentCommand> g_sentCommands;
std::vector<std::string> g_failingCommands;

DWORD SendMciCommand(const char* command, HWND notifyWindow)
{
    g_sentCommands.push_back({command, notifyWindow});
    for (const std::string& failing : g_failingCommands)
        if (g_sentCommands.back().text.find(failing) != std::string::npos)
            return 277;
    return 0;
}
