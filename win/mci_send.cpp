#include "win/mci_send.h"
#include <mmsystem.h>

DWORD SendMciCommand(const char* command, HWND notifyWindow)
{
    MCIERROR error = mciSendStringA(command, nullptr, 0, notifyWindow);
    // The text is only for a debugger's eyes: a game without sound must never be
    // interrupted by a message about it.
    if (error) {
        char text[1024];
        mciGetErrorStringA(error, text, sizeof text);
    }
    return error;
}
