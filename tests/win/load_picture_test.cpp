#include "tests/win/picture_fixtures.h"
#include <gtest/gtest.h>
#include <stdlib.h>

typedef PictureHandle (*Loader)(const wchar_t*);

struct GoodPicture {
    const wchar_t* name;
    Loader loader;
    int width;
    int height;
};

static const GoodPicture kGoodPictures[] = {
    {L"jpeg_baseline.jpg", LoadJpegPicture, 640, 480},
    {L"jpeg_progressive.jpg", LoadJpegPicture, 480, 640},
    {L"jpeg_grey.jpg", LoadJpegPicture, 70, 46},
    {L"jpeg_cmyk.jpg", LoadJpegPicture, 70, 46},
    {L"png_grey1.png", LoadPngPicture, 70, 46},
    {L"png_grey2.png", LoadPngPicture, 70, 46},
    {L"png_grey4.png", LoadPngPicture, 70, 46},
    {L"png_grey8.png", LoadPngPicture, 70, 46},
    {L"png_grey16.png", LoadPngPicture, 70, 46},
    {L"png_palette1.png", LoadPngPicture, 70, 46},
    {L"png_palette2.png", LoadPngPicture, 70, 46},
    {L"png_palette4.png", LoadPngPicture, 70, 46},
    {L"png_palette8.png", LoadPngPicture, 70, 46},
    {L"png_palette_transparent.png", LoadPngPicture, 40, 30},
    {L"png_rgb8.png", LoadPngPicture, 70, 46},
    {L"png_rgb16.png", LoadPngPicture, 70, 46},
    {L"png_greyalpha8.png", LoadPngPicture, 70, 46},
    {L"png_greyalpha16.png", LoadPngPicture, 70, 46},
    {L"png_rgba8.png", LoadPngPicture, 70, 46},
    {L"png_rgba16.png", LoadPngPicture, 70, 46},
    {L"png_interlaced.png", LoadPngPicture, 70, 46},
    {L"png_named.jpg", LoadPngPicture, 70, 46},
    {L"one_pixel.png", LoadPngPicture, 1, 1},
    {L"gif_wizard.gif", LoadGifPicture, 480, 640},
    {L"gif87a.gif", LoadGifPicture, 70, 46},
    {L"gif_transparent.gif", LoadGifPicture, 40, 30},
    {L"gif_animated.gif", LoadGifPicture, 30, 20},
    {L"bmp1.bmp", LoadBmpPicture, 70, 46},
    {L"bmp4.bmp", LoadBmpPicture, 70, 46},
    {L"bmp8.bmp", LoadBmpPicture, 70, 46},
    {L"bmp16_555.bmp", LoadBmpPicture, 70, 46},
    {L"bmp16_565.bmp", LoadBmpPicture, 70, 46},
    {L"bmp24.bmp", LoadBmpPicture, 70, 46},
    {L"bmp32.bmp", LoadBmpPicture, 70, 46},
    {L"bmp1_topdown.bmp", LoadBmpPicture, 70, 46},
    {L"bmp4_topdown.bmp", LoadBmpPicture, 70, 46},
    {L"bmp8_topdown.bmp", LoadBmpPicture, 70, 46},
    {L"bmp16_565_topdown.bmp", LoadBmpPicture, 70, 46},
    {L"bmp24_topdown.bmp", LoadBmpPicture, 70, 46},
    {L"bmp32_topdown.bmp", LoadBmpPicture, 70, 46},
};

class GoodPictureTest : public testing::TestWithParam<GoodPicture> { };

TEST_P(GoodPictureTest, LoadsAtItsSizeWithTheReferencePixels)
{
    const GoodPicture& good = GetParam();
    PicturePtr picture = Load(good.loader, good.name);
    ASSERT_TRUE(picture);
    BITMAPINFOHEADER header;
    ASSERT_TRUE(GetPictureHeader(picture.get(), &header));
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(good.width, header.biWidth);
    EXPECT_EQ(good.height, header.biHeight);
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(32, header.biBitCount);

    Canvas canvas(good.width, good.height, 0);
    ASSERT_NE(0,
              DrawPicture(canvas.dc, 0, 0, good.width, good.height, picture.get(), 0, 0, good.width,
                          good.height, SRCCOPY, HALFTONE));
    std::vector<BYTE> reference = ReferencePixels(good.name);
    ASSERT_EQ((size_t)good.width * good.height * 3, reference.size());
    int largest = 0;
    long total = 0;
    for (int i = 0; i < good.width * good.height; ++i) {
        DWORD pixel = canvas.bits[i];
        int drawn[3] = {Red(pixel), Green(pixel), Blue(pixel)};
        for (int c = 0; c < 3; ++c) {
            int difference = abs(drawn[c] - reference[i * 3 + c]);
            largest = difference > largest ? difference : largest;
            total += difference;
        }
    }
    // Decoders may round 16-bit samples and alpha differently by a step; JPEG decoders
    // differ in their transforms and chroma upsampling, so only the average is held close.
    if (good.loader == LoadJpegPicture)
        EXPECT_LE(total / (good.width * good.height * 3.0), 3.0);
    else
        EXPECT_LE(largest, 2);
}

INSTANTIATE_TEST_SUITE_P(Variants, GoodPictureTest, testing::ValuesIn(kGoodPictures),
                         [](const testing::TestParamInfo<GoodPicture>& info) {
                             std::string name;
                             for (const wchar_t* c = info.param.name; *c; ++c)
                                 name += *c == L'.' ? '_' : (char)*c;
                             return name;
                         });

TEST(LoadPicture, AlphaLiesOnWhite)
{
    PicturePtr png = Load(LoadPngPicture, L"alpha.png");
    PicturePtr gif = Load(LoadGifPicture, L"gif_transparent.gif");
    ASSERT_TRUE(png && gif);
    for (PictureHandle picture : {png.get(), gif.get()}) {
        Canvas canvas(40, 30, 0);
        ASSERT_NE(0,
                  DrawPicture(canvas.dc, 0, 0, 40, 30, picture, 0, 0, 40, 30, SRCCOPY, HALFTONE));
        EXPECT_EQ(0xFFFFFFu, canvas.Pixel(0, 0) & 0xFFFFFF);
        EXPECT_EQ(0xFF0000u, canvas.Pixel(15, 15) & 0xFFFFFF);
        if (picture == png.get()) {
            DWORD halfBlue = canvas.Pixel(20, 27);
            EXPECT_NEAR(128, Red(halfBlue), 2);
            EXPECT_NEAR(128, Green(halfBlue), 2);
            EXPECT_EQ(255, Blue(halfBlue));
        }
    }
}

static const Loader kLoaders[] = {LoadBmpPicture, LoadJpegPicture, LoadPngPicture, LoadGifPicture};

TEST(LoadPicture, EachLoaderTakesOnlyItsOwnFormat)
{
    const wchar_t* samples[] = {L"bmp24.bmp", L"jpeg_grey.jpg", L"png_rgb8.png", L"gif87a.gif"};
    for (int loader = 0; loader < 4; ++loader)
        for (int sample = 0; sample < 4; ++sample) {
            PicturePtr picture = Load(kLoaders[loader], samples[sample]);
            EXPECT_EQ(loader == sample, picture != nullptr) << samples[sample];
        }
    EXPECT_FALSE(Load(LoadJpegPicture, L"png_named.jpg"));
}

TEST(LoadPicture, BrokenFilesGiveNothing)
{
    const wchar_t* broken[] = {L"missing.png",
                               L"empty.jpg",
                               L"text.jpg",
                               L"truncated_jpeg_baseline.jpg",
                               L"truncated_png_rgb8.png",
                               L"truncated_gif_wizard.gif",
                               L"truncated_bmp24.bmp",
                               L"wrong_magic.png",
                               L"wrong_magic.bmp",
                               L"corrupt.png",
                               L"huge.bmp"};
    for (const wchar_t* name : broken)
        for (Loader loader : kLoaders)
            EXPECT_FALSE(Load(loader, name)) << name;
}

TEST(LoadPicture, ShiftJisNamesOpen)
{
    PicturePtr picture = Load(LoadPngPicture, L"ソ表―.png");
    BITMAPINFOHEADER header;
    ASSERT_TRUE(picture && GetPictureHeader(picture.get(), &header));
    EXPECT_EQ(70, header.biWidth);
    EXPECT_EQ(kPicturePng, ProbePictureType(FixturePath(L"ソ表―.png").c_str(), nullptr));
}

TEST(ProbePictureType, ReadsTheSignatureNotTheName)
{
    const struct {
        const wchar_t* name;
        int type;
    } cases[] = {{L"bmp24.bmp", kPictureBmp},           {L"bmp1_topdown.bmp", kPictureBmp},
                 {L"jpeg_baseline.jpg", kPictureJpeg},  {L"jpeg_progressive.jpg", kPictureJpeg},
                 {L"png_rgb8.png", kPicturePng},        {L"png_named.jpg", kPicturePng},
                 {L"gif_wizard.gif", kPictureGif},      {L"gif87a.gif", kPictureGif},
                 {L"text.jpg", kPictureUnknown},        {L"empty.jpg", kPictureUnknown},
                 {L"wrong_magic.png", kPictureUnknown}, {L"wrong_magic.bmp", kPictureUnknown},
                 {L"missing.png", kPictureUnknown}};
    for (const auto& probe : cases) {
        int detail = 77;
        EXPECT_EQ(probe.type, ProbePictureType(FixturePath(probe.name).c_str(), &detail))
            << probe.name;
        EXPECT_EQ(0, detail);
    }
}
