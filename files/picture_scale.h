// Smooth resizing of 32-bit pixels. The imaging component's scaler would do, but under
// Wine it point-samples whatever filter is asked for, and a reduced picture then
// shimmers with aliasing; this gives the same smooth result on Windows and under Wine.
// No windows.h: the scaler is fuzzed natively.
#pragma once

// Resizes a rectangle of BGRX pixels (source at its first pixel, rows sourceStride pixels
// apart) into top-down rows of width x height opaque pixels: an area average along an
// axis that shrinks, a linear blend along one that grows. Only the target rows fromRow
// to toRow - 1 are written, so that parts can be scaled side by side. False when memory
// runs out.
bool ScalePixels(const unsigned char* source, int sourceStride, int sourceWidth, int sourceHeight,
                 unsigned char* target, int width, int height, int fromRow, int toRow);
