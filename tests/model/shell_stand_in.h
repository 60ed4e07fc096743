#ifndef QUILTRA_TESTS_MODEL_SHELL_STAND_IN_H
#define QUILTRA_TESTS_MODEL_SHELL_STAND_IN_H

#include <string>
#include <vector>

// Takes the shell's place in the native tests: every call the model makes is
// recorded by name, in order, so tests can check what was asked and when.
struct ShellStandIn {
    std::vector<std::string> calls;  // e.g. "SetModified(1)", "PlayMusic(2)", "Beep"
    int scrollX, scrollY;            // what GetBoardScroll reports
};

extern ShellStandIn g_shell;

// Forgets the calls and puts the scroll position back to 0, 0.
void ResetShellStandIn();

#endif
