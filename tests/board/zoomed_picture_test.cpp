#include "tests/support/test_seed.h"
#include "board/zoomed_picture.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <stdio.h>
#include <vector>

// Whatever the player looks at, in whatever order, the tiles give the pixels of the whole
// picture scaled at once: for parts inside one tile and across several, prepared ahead or
// not, and after the budget has made tiles give way. Zooms reach 5000 pixels a side, more
// tiles than the budget holds.
TEST(ZoomedPicture, PartsAreThoseOfTheWholePictureScaledAtOnce)
{
    const unsigned seed = SeedFromEnvironment();
    printf("QUILTRA_SEED=%u\n", seed);
    std::mt19937 random(seed);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int picture = 0; picture < 8; ++picture) {
        const int sourceWidth = between(1, 300), sourceHeight = between(1, 200);
        const int width = picture % 3 ? between(1, 900) : between(4000, 5000);
        const int height = picture % 3 ? between(1, 900) : between(3500, 4000);
        SCOPED_TRACE(testing::Message() << "seed " << seed << ": " << sourceWidth << " x "
                                        << sourceHeight << " shown " << width << " x " << height);
        std::vector<uint32_t> source((size_t)sourceWidth * sourceHeight);
        for (uint32_t& pixel : source)
            pixel = (uint32_t)random() | 0xFF000000u;
        std::vector<uint32_t> whole((size_t)width * height);
        ASSERT_TRUE(ScalePixels((const unsigned char*)source.data(), sourceWidth, sourceWidth,
                                sourceHeight, width, height, PixelRect{0, 0, width, height},
                                (unsigned char*)whole.data(), width));
        SetZoomedPicture(source.data(), sourceWidth, sourceHeight, width, height);
        for (int step = 0; step < 300; ++step) {
            // Piece-sized parts, some larger than a tile, clipped to the picture as pieces are.
            const int partWidth = between(1, 3 * kZoomedTileSide / 2);
            const int partHeight = between(1, 3 * kZoomedTileSide / 2);
            const PixelRect part =
                ZoomedClip(between(-partWidth + 1, width - 1), between(-partHeight + 1, height - 1),
                           partWidth, partHeight);
            if (step % 50 == 0) {
                std::vector<PixelRect> ahead(between(1, 2000));
                for (PixelRect& r : ahead)
                    r = ZoomedClip(between(0, width - 1), between(0, height - 1), 200, 200);
                PrepareZoomedParts(ahead.data(), ahead.size());
            }
            const ZoomedView view = ZoomedPart(part);
            ASSERT_NE(nullptr, view.image->pixels);
            ASSERT_LE(view.left, part.left);
            ASSERT_LE(view.top, part.top);
            ASSERT_GE(view.left + view.image->width, part.right);
            ASSERT_GE(view.top + view.image->height, part.bottom);
            for (int y = part.top; y < part.bottom; ++y)
                for (int x = part.left; x < part.right; ++x)
                    ASSERT_EQ(whole[(size_t)y * width + x],
                              view.image->pixels[(size_t)(y - view.top) * view.image->width +
                                                 (x - view.left)])
                        << "at (" << x << ", " << y << "), step " << step;
            ASSERT_LE(ZoomedTilesHeld() * kZoomedTileSide * kZoomedTileSide * 4,
                      kZoomedBudgetBytes);
        }
    }
    ForgetZoomedPicture();
    EXPECT_FALSE(HasZoomedPicture());
}
