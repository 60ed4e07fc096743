#include "tests/win/picture_fixtures.h"
#include <gtest/gtest.h>

TEST(DrawPicture, ReductionAveragesFineDetail)
{
    PicturePtr checkerboard = Load(LoadPngPicture, L"checkerboard.png");
    ASSERT_TRUE(checkerboard);
    Canvas canvas(16, 16, 0);
    ASSERT_NE(
        0,
        DrawPicture(canvas.dc, 0, 0, 16, 16, checkerboard.get(), 0, 0, 64, 64, SRCCOPY, HALFTONE));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            DWORD pixel = canvas.Pixel(x, y);
            ASSERT_NEAR(128, Red(pixel), 8) << x << "," << y;
            ASSERT_NEAR(128, Green(pixel), 8) << x << "," << y;
            ASSERT_NEAR(128, Blue(pixel), 8) << x << "," << y;
        }
}

TEST(DrawPicture, SameSizeCopiesTheSourceRectangleExactly)
{
    PicturePtr rose = Load(LoadBmpPicture, L"bmp24.bmp");
    ASSERT_TRUE(rose);
    std::vector<BYTE> reference = ReferencePixels(L"bmp24.bmp");
    const DWORD marker = 0x123456;
    Canvas canvas(50, 40, marker);
    ASSERT_NE(0,
              DrawPicture(canvas.dc, 3, 4, 40, 30, rose.get(), 10, 5, 40, 30, SRCCOPY, HALFTONE));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x) {
            DWORD pixel = canvas.Pixel(x, y) & 0xFFFFFF;
            if (x < 3 || x >= 43 || y < 4 || y >= 34) {
                ASSERT_EQ(marker, pixel) << x << "," << y;
                continue;
            }
            const BYTE* expected = &reference[((y - 4 + 5) * 70 + x - 3 + 10) * 3];
            ASSERT_EQ((DWORD)(expected[0] << 16 | expected[1] << 8 | expected[2]), pixel)
                << x << "," << y;
        }
}

TEST(DrawPicture, ScalesOnlyTheSourceRectangle)
{
    PicturePtr alpha = Load(LoadPngPicture, L"alpha.png");
    PicturePtr dot = Load(LoadPngPicture, L"one_pixel.png");
    ASSERT_TRUE(alpha && dot);
    Canvas reduced(7, 3, 0);
    ASSERT_NE(0,
              DrawPicture(reduced.dc, 0, 0, 7, 3, alpha.get(), 10, 10, 20, 10, SRCCOPY, HALFTONE));
    Canvas enlarged(10, 10, 0);
    ASSERT_NE(0, DrawPicture(enlarged.dc, 0, 0, 10, 10, dot.get(), 0, 0, 1, 1, SRCCOPY, HALFTONE));
    for (int i = 0; i < 7 * 3; ++i)
        EXPECT_EQ(0xFF0000u, reduced.bits[i] & 0xFFFFFF);
    for (int i = 0; i < 10 * 10; ++i)
        EXPECT_EQ(0x336699u, enlarged.bits[i] & 0xFFFFFF);
}

TEST(DrawPicture, LargePictureFitsAndCopiesButRefusesAHugeZoom)
{
    PicturePtr large = Load(LoadJpegPicture, L"jpeg_large.jpg");
    ASSERT_TRUE(large);
    Canvas fitted(900, 675, 0);
    EXPECT_NE(
        0,
        DrawPicture(fitted.dc, 0, 0, 900, 675, large.get(), 0, 0, 4000, 3000, SRCCOPY, HALFTONE));
    // The gradient runs from navy on the left to gold on the right.
    EXPECT_GT(Blue(fitted.Pixel(5, 300)), 100);
    EXPECT_GT(Red(fitted.Pixel(895, 300)), 200);
    Canvas whole(4000, 3000, 0);
    EXPECT_NE(
        0,
        DrawPicture(whole.dc, 0, 0, 4000, 3000, large.get(), 0, 0, 4000, 3000, SRCCOPY, HALFTONE));
    EXPECT_EQ(0,
              DrawPicture(fitted.dc, 0, 0, 20000, 15000, large.get(), 0, 0, 4000, 3000, SRCCOPY,
                          HALFTONE));
}

TEST(DrawPicture, RefusesWhatCannotBeDrawn)
{
    PicturePtr rose = Load(LoadBmpPicture, L"bmp24.bmp");
    ASSERT_TRUE(rose);
    Canvas canvas(70, 46, 0);
    EXPECT_EQ(0, DrawPicture(canvas.dc, 0, 0, 70, 46, nullptr, 0, 0, 70, 46, SRCCOPY, HALFTONE));
    EXPECT_EQ(0, DrawPicture(canvas.dc, 0, 0, 70, 46, rose.get(), 1, 0, 70, 46, SRCCOPY, HALFTONE));
    EXPECT_EQ(0, DrawPicture(canvas.dc, 0, 0, 0, 46, rose.get(), 0, 0, 70, 46, SRCCOPY, HALFTONE));
    EXPECT_EQ(0,
              DrawPicture(canvas.dc, 0, 0, -70, 46, rose.get(), 0, 0, 70, 46, SRCCOPY, HALFTONE));
    ReleasePicture(nullptr);
}
