// Where the program file lies: its data files (music, help) sit beside it.
#pragma once

// Drive and folder of the program file, with the trailing backslash.
void GetProgramFolder(wchar_t* folder, int capacity);
