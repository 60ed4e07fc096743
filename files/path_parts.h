// Splitting paths. Paths are UTF-16 inside the program, where a separator can never be
// part of another character, as it could be in a double-byte code page.
#pragma once
#include <wchar.h>

// A path's capacity in the program's buffers, terminator included: the system's own limit
// (MAX_PATH). A longer path is refused, never cut short.
const int kPathCapacity = 260;

// The file name part of a path: what follows the last separator ('\\', '/' or ':').
const wchar_t* FileNamePart(const wchar_t* path);

// Copies the drive and folder of a path, trailing separator included, into folder
// (capacity units, always zero-terminated; cut short where it does not fit).
void CopyFolderPart(const wchar_t* path, wchar_t* folder, int capacity);

// The first argument of a command line as Windows passes it to the program's entry (its
// own name left out): a quoted path may hold spaces. Empty when there is none; false, with
// argument empty, when it does not fit in capacity units with its terminator.
bool CopyFirstArgument(const wchar_t* commandLine, wchar_t* argument, int capacity);

// The extension of a file name part, from its last '.' on; empty when there is none.
const wchar_t* ExtensionPart(const wchar_t* path);

// Copies path into a buffer of capacity units; false, with the buffer empty, when it does
// not fit whole.
bool CopyWholePath(const wchar_t* path, wchar_t* buffer, int capacity);
