// A hook that the driver sets on Quiltra's main thread: the system loads this library into
// the program, where the hook hands the main window the notification a toolbar button's
// tooltip sends on Windows when it shows, which Wine's toolbar does not pass on.
#pragma once

const wchar_t kToolbarHelpHookLibrary[] = L"toolbar_help_hook.dll";
const char kToolbarHelpHookProc[] = "ToolbarHelpHook";
// Sent to the main window with the button's command in wParam.
const wchar_t kToolbarHelpRequest[] = L"Quiltra e2e: show toolbar help";
