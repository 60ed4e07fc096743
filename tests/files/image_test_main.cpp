// image_library_tests FIXTURE_FOLDER [gtest options]; the folder as a Unix path under Wine.
#include "tests/files/picture_fixtures.h"
#include <gtest/gtest.h>
#include <stdio.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: image_library_tests FIXTURE_FOLDER\n");
        return 2;
    }
    // Wine maps the Unix root to drive Z:.
    g_fixtureFolder = std::string("Z:") + argv[1];
    for (char& c : g_fixtureFolder)
        if (c == '/')
            c = '\\';
    return RUN_ALL_TESTS();
}
