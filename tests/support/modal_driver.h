// Drives, from inside the test process, the modal windows that the code under test opens:
// a timer fires inside their message loop and hands the window to the test.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Calls run(); once run() shows a dialog or message box on this thread, hands that window
// to act, which must close it. A window that never comes is a failure of the test.
void WithModalWindow(const std::function<void()>& run, const std::function<void(HWND)>& act);
// The same for a run that may show no window at all.
void WithModalWindowIfAny(const std::function<void()>& run, const std::function<void(HWND)>& act);
// The same for several modal windows shown one after another, each handed to its act.
void WithModalWindows(const std::function<void()>& run,
                      const std::vector<std::function<void(HWND)>>& acts);

// Calls run() and presses OK on the message box it shows; the box's text, or empty when
// run() showed none.
std::wstring MessageBoxTextDuring(const std::function<void()>& run);

// Posted rather than sent, so that a press that opens another modal window does not
// block the caller.
void PressButton(HWND dialog, int id);

std::wstring WindowText(HWND window);
std::wstring MessageText(HWND box);
