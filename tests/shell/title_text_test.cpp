#include "shell/title_text.h"
#include <gtest/gtest.h>

static std::wstring Title(const wchar_t* name, bool modified, int fixed, int pieces, int zoom,
                          int wizard)
{
    wchar_t text[4096];
    FormatGameTitle(text, 4096, name, modified, fixed, pieces, zoom, wizard);
    return text;
}

TEST(GameTitle, ShowsFileModifiedMarkCountsZoomAndWizardUses)
{
    EXPECT_EQ(L"Quiltra - [cat.qlt *] (12/100 ピース) x 50% - 2 Wizard",
              Title(L"cat.qlt", true, 12, 100, 50, 2));
}

TEST(GameTitle, EndsAtThePercentSignWithoutWizardUse)
{
    EXPECT_EQ(L"Quiltra - [] (0/108 ピース) x 7%", Title(L"", false, 0, 108, 7, 0));
}

// A name no code page spells whole, an emoji among it, reaches the title as it is.
TEST(GameTitle, KeepsANameOfAnyScript)
{
    EXPECT_EQ(L"Quiltra - [Caf\u00E9 \u2615\U0001F600.qlt] (0/4 ピース) x 100%",
              Title(L"Caf\u00E9 \u2615\U0001F600.qlt", false, 0, 4, 100, 0));
}
