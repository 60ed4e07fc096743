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

// The taps of the target pixels from to to - 1 of a targetLength-long axis: each the same
// whatever part of the axis is asked for.
static bool MakeTaps(Taps* taps, int sourceLength, int targetLength, int from, int to)
{
    bool shrinking = targetLength < sourceLength;
    double scale = (double)sourceLength / targetLength;
    taps->span = shrinking ? (int)ceil(scale) + 1 : 2;
    if (taps->span > sourceLength)
        taps->span = sourceLength;
    taps->first = (int*)malloc(sizeof(int) * (to - from));
    taps->weights = (float*)malloc(sizeof(float) * (to - from) * taps->span);
    if (!taps->first || !taps->weights)
        return false;
    for (int target = from; target < to; ++target) {
        double position = shrinking
            ? target * scale
            : fmin(fmax((target + 0.5) * scale - 0.5, 0.0), sourceLength - 1.0);
        int first = (int)position;
        if (first > sourceLength - taps->span)
            first = sourceLength - taps->span;
        taps->first[target - from] = first;
        float* weights = &taps->weights[(target - from) * taps->span];
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
                 int width, int height, const PixelRect& part, unsigned char* target,
                 int targetStride)
{
    const int partWidth = part.right - part.left, partHeight = part.bottom - part.top;
    if (partWidth <= 0 || partHeight <= 0)
        return true;
    // At the picture's own size every pixel takes its source pixel with weight 1 and its
    // neighbour with weight 0: the blend gives the source back, so copy it.
    if (width == sourceWidth && height == sourceHeight) {
        for (int y = 0; y < partHeight; ++y) {
            const unsigned char* in =
                source + ((size_t)(part.top + y) * sourceStride + part.left) * 4;
            unsigned char* out = target + (size_t)y * targetStride * 4;
            for (int x = 0; x < 4 * partWidth; x += 4) {
                out[x] = in[x];
                out[x + 1] = in[x + 1];
                out[x + 2] = in[x + 2];
                out[x + 3] = 255;
            }
        }
        return true;
    }
    Taps columns = {};
    Taps rows = {};
    bool made = MakeTaps(&columns, sourceWidth, width, part.left, part.right) &&
        MakeTaps(&rows, sourceHeight, height, part.top, part.bottom);
    // The source columns the part's columns blend: taps start in order along an axis.
    const int firstColumn = made ? columns.first[0] : 0;
    const int usedColumns = made ? columns.first[partWidth - 1] + columns.span - firstColumn : 0;
    // One row of blue, green, red and unused sums over those columns: the source rows of a
    // target row blended, before the columns are. Four to a pixel, the blending loops run
    // on whole vector registers.
    float* blend = made ? (float*)malloc(sizeof(float) * 4 * usedColumns) : nullptr;
    made = made && blend;
    const unsigned char* left = source + (size_t)firstColumn * 4;
    for (int y = 0; made && y < partHeight; ++y) {
        for (int i = 0; i < 4 * usedColumns; ++i)
            blend[i] = 0;
        for (int k = 0; k < rows.span; ++k) {
            const float weight = rows.weights[y * rows.span + k];
            const unsigned char* in = left + (size_t)(rows.first[y] + k) * sourceStride * 4;
            if (weight > 0)
                for (int i = 0; i < 4 * usedColumns; ++i)
                    blend[i] += in[i] * weight;
        }
        unsigned char* out = target + (size_t)y * targetStride * 4;
        for (int x = 0; x < partWidth; ++x, out += 4) {
            float sum[4] = {0, 0, 0, 0};
            const float* weights = &columns.weights[x * columns.span];
            const float* in = &blend[4 * (columns.first[x] - firstColumn)];
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
