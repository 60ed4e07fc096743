#include "files/picture_scale.h"
#include <math.h>
#include <stdlib.h>

// Along one axis: every target pixel blends the same number (span) of consecutive source
// pixels from its first one on, some with weight 0, so the blending loops need no bounds.
struct Taps {
    int span;
    int* first;
    float* weights;
};

// Shrinking, a target pixel covers [start, start + scale) of the source and takes each
// source pixel by the part of it covered.
static float CoveredPart(int source, double start, double scale)
{
    double covered = fmin(source + 1.0, start + scale) - fmax(source, start);
    return covered > 0 ? (float)(covered / scale) : 0.0f;
}

// Growing, a target pixel sits at centre and takes the two nearest source pixels linearly.
static float Nearness(int source, double centre)
{
    double nearness = 1.0 - fabs(source - centre);
    return nearness > 0 ? (float)nearness : 0.0f;
}

static bool MakeTaps(Taps* taps, int sourceLength, int targetLength)
{
    bool shrinking = targetLength < sourceLength;
    double scale = (double)sourceLength / targetLength;
    taps->span = shrinking ? (int)ceil(scale) + 1 : 2;
    if (taps->span > sourceLength)
        taps->span = sourceLength;
    taps->first = (int*)malloc(sizeof(int) * targetLength);
    taps->weights = (float*)malloc(sizeof(float) * targetLength * taps->span);
    if (!taps->first || !taps->weights)
        return false;
    for (int target = 0; target < targetLength; ++target) {
        double position = shrinking
            ? target * scale
            : fmin(fmax((target + 0.5) * scale - 0.5, 0.0), sourceLength - 1.0);
        int first = (int)position;
        if (first > sourceLength - taps->span)
            first = sourceLength - taps->span;
        taps->first[target] = first;
        float* weights = &taps->weights[target * taps->span];
        for (int k = 0; k < taps->span; ++k)
            weights[k] =
                shrinking ? CoveredPart(first + k, position, scale) : Nearness(first + k, position);
    }
    return true;
}

static void FreeTaps(Taps* taps)
{
    free(taps->first);
    free(taps->weights);
}

bool ScalePixels(const unsigned char* source, int sourceStride, int sourceWidth, int sourceHeight,
                 unsigned char* target, int width, int height, int fromRow, int toRow)
{
    Taps columns = {};
    Taps rows = {};
    // One source-wide row of blue, green, red and unused sums: the source rows of a target
    // row blended, before the columns are. Four to a pixel, the blending loops run on
    // whole vector registers.
    float* blend = (float*)malloc(sizeof(float) * 4 * sourceWidth);
    bool made =
        blend && MakeTaps(&columns, sourceWidth, width) && MakeTaps(&rows, sourceHeight, height);
    for (int y = fromRow; made && y < toRow; ++y) {
        for (int i = 0; i < 4 * sourceWidth; ++i)
            blend[i] = 0;
        for (int k = 0; k < rows.span; ++k) {
            const float weight = rows.weights[y * rows.span + k];
            const unsigned char* in = source + (size_t)(rows.first[y] + k) * sourceStride * 4;
            if (weight > 0)
                for (int i = 0; i < 4 * sourceWidth; ++i)
                    blend[i] += in[i] * weight;
        }
        unsigned char* out = target + (size_t)y * width * 4;
        for (int x = 0; x < width; ++x, out += 4) {
            float sum[4] = {0, 0, 0, 0};
            const float* weights = &columns.weights[x * columns.span];
            const float* in = &blend[4 * columns.first[x]];
            for (int k = 0; k < columns.span; ++k, in += 4)
                for (int c = 0; c < 4; ++c)
                    sum[c] += in[c] * weights[k];
            out[0] = (unsigned char)(sum[0] + 0.5f);
            out[1] = (unsigned char)(sum[1] + 0.5f);
            out[2] = (unsigned char)(sum[2] + 0.5f);
            out[3] = 255;
        }
    }
    FreeTaps(&columns);
    FreeTaps(&rows);
    free(blend);
    return made;
}
