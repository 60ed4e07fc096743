// The largest picture the program takes. No windows.h: the view's arithmetic is fuzzed
// natively over every size within these limits.
#pragma once
#include <stdint.h>

// A picture, or a scaled copy of one, beyond this (512 MB decoded) cannot share the
// 32-bit address space with the program's own bitmaps, so it is refused before
// allocating. Cameras and phones stay below it; a zoom whose bitmaps do not fit is
// refused later, when they are made.
const uint64_t kMaxPicturePixels = 128u * 1024 * 1024;

// A longer side would overflow the board's 32-bit sizes at the largest zoom.
const unsigned kMaxPictureSide = 32767;

// Negative sizes, passed as unsigned, are refused with the too large ones.
inline bool WithinPixelLimit(unsigned width, unsigned height)
{
    return width && height && width <= kMaxPictureSide && height <= kMaxPictureSide &&
        (uint64_t)width * height <= kMaxPicturePixels;
}
