#include "files/picture_scale.h"
#include <algorithm>
#include <emmintrin.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

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

// The four channels of one source pixel as floats.
static __m128 PixelFloats(const unsigned char* pixel)
{
    const __m128i zero = _mm_setzero_si128();
    int word;
    memcpy(&word, pixel, 4);
    const __m128i bytes = _mm_cvtsi32_si128(word);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
}

static void WeighFourPixels(const unsigned char* pixels, float weight, __m128 weighed[4])
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_loadu_si128((const __m128i*)pixels);
    const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
    const __m128i words[4] = {_mm_unpacklo_epi16(low, zero), _mm_unpackhi_epi16(low, zero),
                              _mm_unpacklo_epi16(high, zero), _mm_unpackhi_epi16(high, zero)};
    const __m128 w = _mm_set1_ps(weight);
    for (int p = 0; p < 4; ++p)
        weighed[p] = _mm_mul_ps(_mm_cvtepi32_ps(words[p]), w);
}

// Blends the weighed source rows of one target row over count pixels: each channel summed
// row by row in the rows' order, as plain float arithmetic would, four pixels at a time.
// Every target row has at least one source row: the first starts the sums.
static void BlendRows(const unsigned char* const* in, const float* weights, int rowCount, int count,
                      float* blend)
{
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128 sum[4];
        WeighFourPixels(in[0] + 4 * i, weights[0], sum);
        for (int k = 1; k < rowCount; ++k) {
            __m128 weighed[4];
            WeighFourPixels(in[k] + 4 * i, weights[k], weighed);
            for (int p = 0; p < 4; ++p)
                sum[p] = _mm_add_ps(sum[p], weighed[p]);
        }
        for (int p = 0; p < 4; ++p)
            _mm_storeu_ps(blend + 4 * (i + p), sum[p]);
    }
    for (; i < count; ++i) {
        __m128 sum = _mm_mul_ps(PixelFloats(in[0] + 4 * i), _mm_set1_ps(weights[0]));
        for (int k = 1; k < rowCount; ++k)
            sum = _mm_add_ps(sum, _mm_mul_ps(PixelFloats(in[k] + 4 * i), _mm_set1_ps(weights[k])));
        _mm_storeu_ps(blend + 4 * i, sum);
    }
}

// The channels of a blended pixel rounded to the nearest whole numbers.
static __m128i Rounded(__m128 sum)
{
    return _mm_cvttps_epi32(_mm_add_ps(sum, _mm_set1_ps(0.5f)));
}

// Blends the columns of one target row into its opaque pixels, four at a time.
static void BlendColumns(const Taps& columns, int taps, const float* blend, int firstColumn,
                         int count, unsigned char* out)
{
    const __m128i opaque = _mm_set1_epi32((int)0xFF000000u);
    __m128i whole[4];
    for (int x = 0; x < count; ++x) {
        const float* weights = &columns.weights[x * columns.span];
        const float* in = &blend[4 * (columns.first[x] - firstColumn)];
        __m128 sum = _mm_mul_ps(_mm_loadu_ps(in), _mm_set1_ps(weights[0]));
        for (int k = 1; k < taps; ++k)
            sum = _mm_add_ps(sum, _mm_mul_ps(_mm_loadu_ps(in + 4 * k), _mm_set1_ps(weights[k])));
        whole[x % 4] = Rounded(sum);
        if (x % 4 == 3) {
            const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(whole[0], whole[1]),
                                                   _mm_packs_epi32(whole[2], whole[3]));
            _mm_storeu_si128((__m128i*)(out + 4 * (x - 3)), _mm_or_si128(bytes, opaque));
        }
    }
    for (int x = count - count % 4; x < count; ++x) {
        const __m128i bytes =
            _mm_packus_epi16(_mm_packs_epi32(whole[x % 4], whole[x % 4]), whole[x % 4]);
        const int word = _mm_cvtsi128_si32(_mm_or_si128(bytes, opaque));
        memcpy(out + 4 * x, &word, 4);
    }
}

// The taps up to the last one that weighs anything somewhere along the part: a tap of
// weight 0 adds nothing to a sum of pixels, so leaving it out changes no bit.
static int WeighingTaps(const Taps& taps, int count)
{
    int used = 1;
    for (int i = 0; i < count; ++i)
        for (int k = taps.span - 1; k >= used; --k)
            if (taps.weights[i * taps.span + k] > 0) {
                used = k + 1;
                break;
            }
    return used;
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
    const int columnTaps = made ? WeighingTaps(columns, partWidth) : 0;
    // One row of blue, green, red and unused sums over those columns: the source rows of a
    // target row blended, before the columns are.
    float* blend = made ? (float*)malloc(sizeof(float) * 4 * usedColumns) : nullptr;
    made = made && blend;
    const unsigned char* left = source + (size_t)firstColumn * 4;
    // The source rows a target row blends that weigh anything, and their weights.
    const unsigned char** in = (const unsigned char**)malloc(sizeof(*in) * rows.span);
    float* inWeights = (float*)malloc(sizeof(float) * rows.span);
    made = made && in && inWeights;
    for (int y = 0; made && y < partHeight; ++y) {
        int rowCount = 0;  // at least one: every target pixel covers some source pixel
        for (int k = 0; k < rows.span; ++k) {
            const float weight = rows.weights[y * rows.span + k];
            if (weight > 0) {
                in[rowCount] = left + (size_t)(rows.first[y] + k) * sourceStride * 4;
                inWeights[rowCount++] = weight;
            }
        }
        // Tiles read short pieces of many rows, which the processor does not foresee: ask
        // for the rows the next target row adds while this one is blended.
        if (y + 1 < partHeight)
            for (int row = std::max(rows.first[y + 1], rows.first[y] + rows.span);
                 row < rows.first[y + 1] + rows.span; ++row)
                for (int byte = 0; byte < usedColumns * 4; byte += 64)
                    _mm_prefetch((const char*)left + (size_t)row * sourceStride * 4 + byte,
                                 _MM_HINT_T0);
        BlendRows(in, inWeights, rowCount, usedColumns, blend);
        BlendColumns(columns, columnTaps, blend, firstColumn, partWidth,
                     target + (size_t)y * targetStride * 4);
    }
    FreeTaps(&columns);
    FreeTaps(&rows);
    free(blend);
    free(in);
    free(inWeights);
    return made;
}
