// Waiting in a test the way Wine's own tests wait: dispatching this thread's messages until
// the queue has gone quiet or until what the test waits for has happened, not for a fixed time.
#pragma once
#include <windows.h>
#include <functional>

// Dispatches until no message has come for quietMs, and at most for timeoutMs.
void PumpUntilQuiet(DWORD quietMs = 30, DWORD timeoutMs = 2000);
// Dispatches until the condition holds; false if it still does not after timeoutMs.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);
// Dispatches for the whole time, for a wait that is itself the subject of the test: a
// timer that must not have fired yet, or must have fired by now.
void PumpMessages(DWORD ms);
