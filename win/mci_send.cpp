#include "win/mci_send.h"
#include <mmsystem.h>

DWORD SendMciCommand(const wchar_t* command, HWND notifyWindow)
{
    MCIERROR error = mciSendStringW(command, nullptr, 0, notifyWindow);
    // The text is only for a debugger's eyes: a game without sound must never be
    // interrupted by a message about it.
    if (error) {
        wchar_t text[1024];
        mciGetErrorStringW(error, text, 1024);
    }
    return error;
}
