// Smooth resizing of 32-bit pixels. The imaging component's scaler would do, but under
// Wine it point-samples whatever filter is asked for, and a reduced picture then
// shimmers with aliasing; this gives the same smooth result on Windows and under Wine.
// No windows.h: the scaler is fuzzed natively.
#pragma once

// A rectangle [left, right) x [top, bottom) of pixels.
struct PixelRect {
    int left, top, right, bottom;
};

// Resizes a rectangle of BGRX pixels (source at its first pixel, rows sourceStride pixels
// apart) to width x height opaque pixels: an area average along an axis that shrinks, a
// linear blend along one that grows. Only the part of the result is made, into top-down
// rows targetStride pixels apart from target; every target pixel is computed from the
// source alone, so a part equals, bit for bit, the same part cut out of the whole result,
// and parts can be scaled side by side. Reads only the source pixels the part needs. False
// when memory runs out.
bool ScalePixels(const unsigned char* source, int sourceStride, int sourceWidth, int sourceHeight,
                 int width, int height, const PixelRect& part, unsigned char* target,
                 int targetStride);
