#include "files/path_parts.h"
#include <string.h>

const wchar_t* FileNamePart(const wchar_t* path)
{
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/' || *p == L':')
            name = p + 1;
    }
    return name;
}

void CopyFolderPart(const wchar_t* path, wchar_t* folder, int capacity)
{
    int length = (int)(FileNamePart(path) - path);
    if (length > capacity - 1)
        length = capacity - 1;
    wmemcpy(folder, path, length);
    folder[length] = 0;
}

const wchar_t* ExtensionPart(const wchar_t* path)
{
    const wchar_t* name = FileNamePart(path);
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot ? dot : name + wcslen(name);
}

static bool CopyUnits(const wchar_t* text, size_t length, wchar_t* buffer, int capacity)
{
    if (length >= (size_t)capacity) {
        buffer[0] = 0;
        return false;
    }
    wmemcpy(buffer, text, length);
    buffer[length] = 0;
    return true;
}

bool CopyFirstArgument(const wchar_t* commandLine, wchar_t* argument, int capacity)
{
    const wchar_t* p = commandLine;
    while (*p == L' ' || *p == L'\t')
        ++p;
    const bool quoted = *p == L'"';
    if (quoted)
        ++p;
    size_t length = 0;
    while (p[length] && (quoted ? p[length] != L'"' : p[length] != L' ' && p[length] != L'\t'))
        ++length;
    return CopyUnits(p, length, argument, capacity);
}

bool CopyWholePath(const wchar_t* path, wchar_t* buffer, int capacity)
{
    return CopyUnits(path, wcslen(path), buffer, capacity);
}
