// Where the program file lies: its data files (music, help) sit beside it.
#pragma once

// Drive and folder of the program file, with the trailing backslash; false where the
// program's path is longer than the system's limit, rather than a folder cut short.
bool GetProgramFolder(wchar_t* folder, int capacity);
