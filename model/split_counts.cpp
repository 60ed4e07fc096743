#include "model/split_counts.h"

#include <cmath>

namespace {

// The lists offer 2..100 and the piece table holds 100 x 100, while a picture of
// extreme shape can derive any count; clamping before the conversion also keeps a
// huge value from overflowing the int.
int RoundToListCount(double value)
{
    double rounded = std::floor(value + 0.5);
    if (rounded < 2.0)
        return 2;
    if (rounded > 100.0)
        return 100;
    return static_cast<int>(rounded);
}

}  // namespace

void SquareSplitCounts(int* columns, int* rows, int pictureWidth, int pictureHeight)
{
    int pieces = *columns * *rows;
    *columns =
        RoundToListCount(std::sqrt(static_cast<double>(pieces) * pictureWidth / pictureHeight));
    *rows = RoundToListCount(std::sqrt(static_cast<double>(pieces) * pictureHeight / pictureWidth));
}

int MatchingSplitCount(int count, int countSide, int otherSide)
{
    return RoundToListCount(static_cast<double>(count) * otherSide / countSide);
}
