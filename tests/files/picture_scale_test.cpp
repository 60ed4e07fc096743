#include "tests/support/test_seed.h"
#include "files/picture_scale.h"
#include <gtest/gtest.h>
#include <random>
#include <stdio.h>
#include <vector>

// The zoomed picture is made in parts where it is shown: every part, scaled by itself, must
// be the same part of the whole picture scaled at once, for pictures of every size from a
// pixel up, shrunk and grown, and with source rows wider than the picture.
TEST(PictureScale, EveryPartEqualsTheSamePartOfTheWhole)
{
    const unsigned seed = SeedFromEnvironment();
    printf("QUILTRA_SEED=%u\n", seed);
    std::mt19937 random(seed);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int trial = 0; trial < 400; ++trial) {
        const int sourceWidth = between(1, trial % 4 ? 90 : 400), sourceHeight = between(1, 90);
        const int stride = sourceWidth + between(0, 3);
        // From a hundredth of the picture to five times it, each way on its own.
        auto zoomed = [&](int length) { return std::max(1, length * between(1, 500) / 100); };
        // Every fifth at the picture's own size, which is copied rather than blended.
        const int width = trial % 5 ? zoomed(sourceWidth) : sourceWidth;
        const int height = trial % 5 ? zoomed(sourceHeight) : sourceHeight;
        SCOPED_TRACE(testing::Message()
                     << "seed " << seed << ", trial " << trial << ": " << sourceWidth << " x "
                     << sourceHeight << " to " << width << " x " << height);
        std::vector<unsigned char> source((size_t)stride * sourceHeight * 4);
        for (unsigned char& byte : source)
            byte = (unsigned char)between(0, 255);
        std::vector<unsigned char> whole((size_t)width * height * 4);
        ASSERT_TRUE(ScalePixels(source.data(), stride, sourceWidth, sourceHeight, width, height,
                                PixelRect{0, 0, width, height}, whole.data(), width));
        // At its own size the picture comes back as it was, made opaque.
        for (int y = 0; y < height && width == sourceWidth && height == sourceHeight; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 4; ++c)
                    ASSERT_EQ(c < 3 ? source[((size_t)y * stride + x) * 4 + c] : 255,
                              whole[((size_t)y * width + x) * 4 + c])
                        << "at (" << x << ", " << y << ")";
        for (int cut = 0; cut < 6; ++cut) {
            const int left = between(0, width - 1), top = between(0, height - 1);
            const PixelRect part = {left, top, between(left + 1, width), between(top + 1, height)};
            const int partWidth = part.right - part.left, partHeight = part.bottom - part.top;
            const int partStride = partWidth + between(0, 2);
            std::vector<unsigned char> scaled((size_t)partStride * partHeight * 4, 0x5A);
            ASSERT_TRUE(ScalePixels(source.data(), stride, sourceWidth, sourceHeight, width, height,
                                    part, scaled.data(), partStride));
            for (int y = 0; y < partHeight; ++y) {
                const unsigned char* expected = &whole[((size_t)(top + y) * width + left) * 4];
                const unsigned char* actual = &scaled[(size_t)y * partStride * 4];
                ASSERT_EQ(0, memcmp(expected, actual, (size_t)partWidth * 4))
                    << "row " << top + y << " of the part from (" << left << ", " << top << ") to ("
                    << part.right << ", " << part.bottom << ")";
            }
        }
    }
}

// The scaler's arithmetic is fixed: saved games look the same and the board is held to the
// whole picture scaled at once, so a faster scaler must give every bit it gave before. The
// digest of many fixed cases (sizes of every kind, grown and shrunk, parts and wholes) was
// taken from the plain float arithmetic, before the scaler worked on vector registers.
TEST(PictureScale, GivesTheBitsOfThePlainArithmetic)
{
    std::mt19937 random(20261210);
    auto between = [&](int low, int high) { return low + (int)(random() % (high - low + 1)); };
    uint64_t digest = 1469598103934665603u;
    for (int trial = 0; trial < 300; ++trial) {
        const int sourceWidth = between(1, trial % 10 ? 120 : 900);
        const int sourceHeight = between(1, trial % 7 ? 120 : 900);
        const int width = between(1, trial % 3 ? 5 * sourceWidth : 40);
        const int height = between(1, trial % 3 ? 5 * sourceHeight : 40);
        std::vector<unsigned char> source((size_t)sourceWidth * sourceHeight * 4);
        for (unsigned char& byte : source)
            byte = (unsigned char)(trial % 4 ? random() : random() % 2 * 255);
        const int left = between(0, width - 1), top = between(0, height - 1);
        const PixelRect part = trial % 2 ? PixelRect{0, 0, width, height}
                                         : PixelRect{left, top, between(left + 1, width),
                                                     between(top + 1, height)};
        const int partWidth = part.right - part.left;
        std::vector<unsigned char> scaled((size_t)partWidth * (part.bottom - part.top) * 4);
        ASSERT_TRUE(ScalePixels(source.data(), sourceWidth, sourceWidth, sourceHeight, width,
                                height, part, scaled.data(), partWidth));
        for (unsigned char byte : scaled)
            digest = (digest ^ byte) * 1099511628211u;
    }
    EXPECT_EQ(18051831914102407242u, digest);
}
