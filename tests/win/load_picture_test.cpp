#include "tests/win/picture_fixtures.h"
#include <gtest/gtest.h>
#include <stdlib.h>

typedef PictureHandle (*Loader)(const char*);

struct GoodPicture {
    const char* name;
    Loader loader;
    int width;
    int height;
};

static const GoodPicture kGoodPictures[] = {
    {"jpeg_baseline.jpg", LoadJpegPicture, 640, 480},
    {"jpeg_progressive.jpg", LoadJpegPicture, 480, 640},
    {"jpeg_grey.jpg", LoadJpegPicture, 70, 46},
    {"jpeg_cmyk.jpg", LoadJpegPicture, 70, 46},
    {"png_grey1.png", LoadPngPicture, 70, 46},
    {"png_grey2.png", LoadPngPicture, 70, 46},
    {"png_grey4.png", LoadPngPicture, 70, 46},
    {"png_grey8.png", LoadPngPicture, 70, 46},
    {"png_grey16.png", LoadPngPicture, 70, 46},
    {"png_palette1.png", LoadPngPicture, 70, 46},
    {"png_palette2.png", LoadPngPicture, 70, 46},
    {"png_palette4.png", LoadPngPicture, 70, 46},
    {"png_palette8.png", LoadPngPicture, 70, 46},
    {"png_palette_transparent.png", LoadPngPicture, 40, 30},
    {"png_rgb8.png", LoadPngPicture, 70, 46},
    {"png_rgb16.png", LoadPngPicture, 70, 46},
    {"png_greyalpha8.png", LoadPngPicture, 70, 46},
    {"png_greyalpha16.png", LoadPngPicture, 70, 46},
    {"png_rgba8.png", LoadPngPicture, 70, 46},
    {"png_rgba16.png", LoadPngPicture, 70, 46},
    {"png_interlaced.png", LoadPngPicture, 70, 46},
    {"png_named.jpg", LoadPngPicture, 70, 46},
    {"one_pixel.png", LoadPngPicture, 1, 1},
    {"gif_wizard.gif", LoadGifPicture, 480, 640},
    {"gif87a.gif", LoadGifPicture, 70, 46},
    {"gif_transparent.gif", LoadGifPicture, 40, 30},
    {"gif_animated.gif", LoadGifPicture, 30, 20},
    {"bmp1.bmp", LoadBmpPicture, 70, 46},
    {"bmp4.bmp", LoadBmpPicture, 70, 46},
    {"bmp8.bmp", LoadBmpPicture, 70, 46},
    {"bmp16_555.bmp", LoadBmpPicture, 70, 46},
    {"bmp16_565.bmp", LoadBmpPicture, 70, 46},
    {"bmp24.bmp", LoadBmpPicture, 70, 46},
    {"bmp32.bmp", LoadBmpPicture, 70, 46},
    {"bmp1_topdown.bmp", LoadBmpPicture, 70, 46},
    {"bmp4_topdown.bmp", LoadBmpPicture, 70, 46},
    {"bmp8_topdown.bmp", LoadBmpPicture, 70, 46},
    {"bmp16_565_topdown.bmp", LoadBmpPicture, 70, 46},
    {"bmp24_topdown.bmp", LoadBmpPicture, 70, 46},
    {"bmp32_topdown.bmp", LoadBmpPicture, 70, 46},
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
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

TEST(LoadPicture, AlphaLiesOnWhite)
{
    PicturePtr png = Load(LoadPngPicture, "alpha.png");
    PicturePtr gif = Load(LoadGifPicture, "gif_transparent.gif");
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
    const char* samples[] = {"bmp24.bmp", "jpeg_grey.jpg", "png_rgb8.png", "gif87a.gif"};
    for (int loader = 0; loader < 4; ++loader)
        for (int sample = 0; sample < 4; ++sample) {
            PicturePtr picture = Load(kLoaders[loader], samples[sample]);
            EXPECT_EQ(loader == sample, picture != nullptr) << samples[sample];
        }
    EXPECT_FALSE(Load(LoadJpegPicture, "png_named.jpg"));
}

TEST(LoadPicture, BrokenFilesGiveNothing)
{
    const char* broken[] = {"missing.png",
                            "empty.jpg",
                            "text.jpg",
                            "truncated_jpeg_baseline.jpg",
                            "truncated_png_rgb8.png",
                            "truncated_gif_wizard.gif",
                            "truncated_bmp24.bmp",
                            "wrong_magic.png",
                            "wrong_magic.bmp",
                            "corrupt.png",
                            "huge.bmp"};
    for (const char* name : broken)
        for (Loader loader : kLoaders)
            EXPECT_FALSE(Load(loader, name)) << name;
}

TEST(LoadPicture, ShiftJisNamesOpen)
{
    PicturePtr picture = Load(LoadPngPicture, "ソ表―.png");
    BITMAPINFOHEADER header;
    ASSERT_TRUE(picture && GetPictureHeader(picture.get(), &header));
    EXPECT_EQ(70, header.biWidth);
    EXPECT_EQ(kPicturePng, ProbePictureType(FixturePath("ソ表―.png").c_str(), nullptr));
}

TEST(ProbePictureType, ReadsTheSignatureNotTheName)
{
    const struct {
        const char* name;
        int type;
    } cases[] = {{"bmp24.bmp", kPictureBmp},           {"bmp1_topdown.bmp", kPictureBmp},
                 {"jpeg_baseline.jpg", kPictureJpeg},  {"jpeg_progressive.jpg", kPictureJpeg},
                 {"png_rgb8.png", kPicturePng},        {"png_named.jpg", kPicturePng},
                 {"gif_wizard.gif", kPictureGif},      {"gif87a.gif", kPictureGif},
                 {"text.jpg", kPictureUnknown},        {"empty.jpg", kPictureUnknown},
                 {"wrong_magic.png", kPictureUnknown}, {"wrong_magic.bmp", kPictureUnknown},
                 {"missing.png", kPictureUnknown}};
    for (const auto& probe : cases) {
        int detail = 77;
        EXPECT_EQ(probe.type, ProbePictureType(FixturePath(probe.name).c_str(), &detail))
            << probe.name;
        EXPECT_EQ(0, detail);
    }
}
