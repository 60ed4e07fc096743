// resource_tests QUILTRA_EXE [gtest options]
#include "tests/resources/resource_context.h"
#include "tests/e2e/driver.h"
#include <gtest/gtest.h>

std::string g_quiltraExe;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: resource_tests QUILTRA_EXE\n");
        return 2;
    }
    g_quiltraExe = WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
