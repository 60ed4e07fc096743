#include "tests/support/message_pump.h"

static void DispatchWaiting()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

static DWORD Remaining(DWORD start, DWORD timeoutMs)
{
    DWORD spent = GetTickCount() - start;
    return spent < timeoutMs ? timeoutMs - spent : 0;
}

void PumpUntilQuiet(DWORD quietMs, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    DispatchWaiting();
    while (DWORD left = Remaining(start, timeoutMs)) {
        DWORD wait = quietMs < left ? quietMs : left;
        if (MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
            WAIT_TIMEOUT)
            return;
        DispatchWaiting();
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DispatchWaiting();
        if (condition())
            return true;
        DWORD left = Remaining(start, timeoutMs);
        if (left == 0)
            return false;
        // Woken by the next message, or after a while for a condition no message announces.
        MsgWaitForMultipleObjectsEx(0, nullptr, left < 10 ? left : 10, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    while (DWORD left = Remaining(start, ms)) {
        DispatchWaiting();
        MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    DispatchWaiting();
}
