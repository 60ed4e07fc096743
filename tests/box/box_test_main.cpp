#include "tests/box/box_fixture.h"
#include "shell/settings.h"

// The box class keeps the brush and cursor of its first registration, so the shell's
// handles are made once for the whole run.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    LoadSettings(GetModuleHandleA(nullptr));
    CreateSolidBrushes();
    RegisterTestWindowClasses();
    return RUN_ALL_TESTS();
}
