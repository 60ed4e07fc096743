#include "tests/support/test_main.h"
#include "tests/support/windows_path.h"
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

static std::vector<std::string> s_paths;

const std::string& TestPath(int index, const char* what)
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
    for (int i = 1; i < argc; ++i)
        s_paths.push_back(WindowsPath(argv[i]));
    return RUN_ALL_TESTS();
}
