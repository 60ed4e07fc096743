// e2e_tests QUILTRA_EXE WORK_FOLDER FIXTURE_FOLDER [gtest options]
#include "tests/e2e/driver.h"
#include "tests/e2e/e2e_context.h"
#include <gtest/gtest.h>

std::string g_quiltraExe;
std::string g_workFolder;
std::string g_fixtures;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 4) {
        fprintf(stderr, "usage: e2e_tests QUILTRA_EXE WORK_FOLDER FIXTURE_FOLDER\n");
        return 2;
    }
    g_quiltraExe = WindowsPath(argv[1]);
    g_workFolder = WindowsPath(argv[2]);
    g_fixtures = WindowsPath(argv[3]);
    CreateDirectoryA(g_workFolder.c_str(), nullptr);
    return RUN_ALL_TESTS();
}
