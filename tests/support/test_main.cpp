#include "tests/support/test_main.h"
#include "tests/support/windows_path.h"
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <vector>

static std::vector<std::wstring> s_paths;

const std::wstring& TestPath(int index, const char* what)
{
    if (index >= (int)s_paths.size()) {
        fprintf(stderr, "missing argument %d: %s\n", index + 1, what);
        exit(2);
    }
    return s_paths[index];
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The program's windows use the common controls of the manifest (version 6).
    InitCommonControls();
    // The arguments that are not gtest's, taken whole in UTF-16 from the wide command line:
    // the narrow ones are the code page's best fit.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i)
        if (wcsncmp(wide[i], L"--gtest_", 8) != 0)
            s_paths.push_back(WindowsPath(wide[i]));
    LocalFree(wide);
    return RUN_ALL_TESTS();
}
