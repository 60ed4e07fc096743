// What Windows reads from Quiltra.exe before it runs a line of it: the manifest and the
// version resource.
#include "tests/resources/resource_context.h"
#include "quiltra_version.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

static std::string ManifestOf(const std::wstring& exe)
{
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return "";
    std::string text;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    if (loaded)
        text.assign((const char*)LockResource(loaded), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

static bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

TEST(ProgramIdentity,
     ManifestAsksForCommonControlsSixAsInvokerPerMonitorAwareOnWindowsSevenToEleven)
{
    std::string manifest = ManifestOf(g_quiltraExe);
    ASSERT_FALSE(manifest.empty()) << "no manifest resource 1 in " << g_quiltraExe;
    EXPECT_TRUE(Has(manifest, "<requestedExecutionLevel level=\"asInvoker\""));
    EXPECT_TRUE(Has(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_TRUE(Has(manifest, "publicKeyToken=\"6595b64144ccf1df\""));
    const char* windows[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* id : windows)
        EXPECT_TRUE(Has(manifest, (std::string("<supportedOS Id=\"") + id + "\"/>").c_str())) << id;
    // Drawn at every monitor's DPI: the system must not stretch the board's pixels.
    EXPECT_TRUE(Has(manifest, ">true/pm</dpiAware>"));
    EXPECT_TRUE(Has(manifest, ">PerMonitorV2, PerMonitor</dpiAwareness>"));
}

static std::wstring VersionString(const std::vector<char>& info, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring query = std::wstring(L"\\StringFileInfo\\041103a4\\") + name;
    if (!VerQueryValueW(info.data(), query.c_str(), (void**)&value, &length) || !length)
        return L"";
    return value;
}

TEST(ProgramIdentity, VersionResourceNamesTheProductAndVersionInJapanese)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(g_quiltraExe.c_str(), &ignored);
    ASSERT_NE(0u, size) << "no version resource in " << g_quiltraExe;
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(g_quiltraExe.c_str(), 0, size, info.data()));

    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", (void**)&translation, &length));
    ASSERT_EQ(sizeof *translation, length);
    EXPECT_EQ(0x0411, translation->language);
    EXPECT_EQ(932, translation->codePage);

    EXPECT_EQ(L"Quiltra", VersionString(info, L"ProductName"));
    EXPECT_EQ(L"" QUILTRA_VERSION_TEXT, VersionString(info, L"ProductVersion"));
    EXPECT_EQ(L"" QUILTRA_VERSION_TEXT, VersionString(info, L"FileVersion"));
    EXPECT_EQ(L"Quiltra.exe", VersionString(info, L"OriginalFilename"));
    EXPECT_EQ(L"Quiltra ジグソーパズル", VersionString(info, L"FileDescription"));
    EXPECT_NE(L"", VersionString(info, L"LegalCopyright"));

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", (void**)&fixed, &length));
    EXPECT_EQ((DWORD)MAKELONG(QUILTRA_VERSION_MINOR, QUILTRA_VERSION_MAJOR),
              fixed->dwProductVersionMS);
    EXPECT_EQ((DWORD)MAKELONG(0, QUILTRA_VERSION_PATCH), fixed->dwProductVersionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
}
