// Splitting paths in the system's ANSI code page. A byte 0x5C inside a double-byte
// character (Shift-JIS ソ, 表, ―) is not a separator, so a plain search for '\\' cuts such
// names apart.
#pragma once

// The file name part of a path: what follows the last separator ('\\', '/' or ':').
const char* FileNamePart(const char* path);

// Copies the drive and folder of a path, trailing separator included, into folder
// (capacity bytes, always zero-terminated).
void CopyFolderPart(const char* path, char* folder, int capacity);

// The extension of a file name part, from its last '.' on; empty when there is none.
const char* ExtensionPart(const char* path);
