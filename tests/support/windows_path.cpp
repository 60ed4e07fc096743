#include "tests/support/windows_path.h"

std::string WindowsPath(const char* path)
{
    std::string result = path;
    if (!result.empty() && result[0] == '/') {
        for (char& c : result)
            if (c == '/')
                c = '\\';
        result = "Z:" + result;
    }
    return result;
}
