#include "files/path_parts.h"
#include "files/lead_byte.h"
#include <string.h>

const char* FileNamePart(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (IsLeadByte((unsigned char)*p)) {
            if (!p[1])
                break;
            ++p;
        } else if (*p == '\\' || *p == '/' || *p == ':') {
            name = p + 1;
        }
    }
    return name;
}

void CopyFolderPart(const char* path, char* folder, int capacity)
{
    int length = (int)(FileNamePart(path) - path);
    if (length > capacity - 1)
        length = capacity - 1;
    memcpy(folder, path, length);
    folder[length] = 0;
}

const char* ExtensionPart(const char* path)
{
    const char* name = FileNamePart(path);
    const char* dot = nullptr;
    for (const char* p = name; *p; ++p) {
        if (IsLeadByte((unsigned char)*p)) {
            if (!p[1])
                break;
            ++p;
        } else if (*p == '.') {
            dot = p;
        }
    }
    return dot ? dot : name + strlen(name);
}

void CopyFirstArgument(const char* commandLine, char* argument, int capacity)
{
    const char* p = commandLine;
    while (*p == ' ' || *p == '\t')
        ++p;
    const bool quoted = *p == '"';
    if (quoted)
        ++p;
    int length = 0;
    while (p[length] && (quoted ? p[length] != '"' : p[length] != ' ' && p[length] != '\t'))
        ++length;
    if (length > capacity - 1)
        length = capacity - 1;
    memcpy(argument, p, length);
    argument[length] = 0;
}
