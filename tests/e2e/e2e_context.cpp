// e2e_tests QUILTRA_EXE WORK_FOLDER FIXTURE_FOLDER [gtest options]
#include "tests/e2e/e2e_context.h"
#include "tests/support/test_main.h"
#include <windows.h>
#include <gtest/gtest.h>

std::wstring g_quiltraExe;
std::wstring g_workFolder;
std::wstring g_fixtures;

class E2eContext : public testing::Environment {
public:
    void SetUp() override
    {
        g_quiltraExe = TestPath(0, "QUILTRA_EXE");
        g_workFolder = TestPath(1, "WORK_FOLDER");
        g_fixtures = TestPath(2, "FIXTURE_FOLDER");
        CreateDirectoryW(g_workFolder.c_str(), nullptr);
    }
};

static testing::Environment* const s_context = testing::AddGlobalTestEnvironment(new E2eContext);
