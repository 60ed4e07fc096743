// resource_tests QUILTRA_EXE [gtest options]
#include "tests/resources/resource_context.h"
#include "tests/support/test_main.h"
#include <gtest/gtest.h>

std::wstring g_quiltraExe;

class ResourceContext : public testing::Environment {
public:
    void SetUp() override { g_quiltraExe = TestPath(0, "QUILTRA_EXE"); }
};

static testing::Environment* const s_context =
    testing::AddGlobalTestEnvironment(new ResourceContext);
