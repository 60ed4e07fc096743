#include "shell/title_text.h"
#include <gtest/gtest.h>

static std::string Title(const char* name, bool modified, int fixed, int pieces, int zoom,
                         int wizard)
{
    char text[4096];
    FormatGameTitle(text, sizeof text, name, modified, fixed, pieces, zoom, wizard);
    return text;
}

TEST(GameTitle, ShowsFileModifiedMarkCountsZoomAndWizardUses)
{
    EXPECT_EQ("Quiltra - [cat.qlt *] (12/100 ピース) x 50% - 2 Wizard",
              Title("cat.qlt", true, 12, 100, 50, 2));
}

TEST(GameTitle, EndsAtThePercentSignWithoutWizardUse)
{
    EXPECT_EQ("Quiltra - [] (0/108 ピース) x 7%", Title("", false, 0, 108, 7, 0));
}
