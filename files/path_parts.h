// Splitting paths in the system's ANSI code page. A byte 0x5C inside a double-byte
// character (Shift-JIS ソ, 表, ―) is not a separator, so a plain search for '\\' cuts such
// names apart.
#pragma once

// The file name part of a path: what follows the last separator ('\\', '/' or ':').
const char* FileNamePart(const char* path);

// Copies the drive and folder of a path, trailing separator included, into folder
// (capacity bytes, always zero-terminated).
void CopyFolderPart(const char* path, char* folder, int capacity);

// The first argument of a command line as Windows passes it to WinMain (the program's own
// name left out): a quoted path may hold spaces. Empty when there is none; cut to capacity
// bytes, always zero-terminated. Neither '"' nor ' ' is ever a trail byte in Shift-JIS.
void CopyFirstArgument(const char* commandLine, char* argument, int capacity);

// The extension of a file name part, from its last '.' on; empty when there is none.
const char* ExtensionPart(const char* path);
