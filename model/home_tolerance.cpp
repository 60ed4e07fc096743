#include "model/home_tolerance.h"

#include <cmath>

#include "board/view_geometry.h"

bool IsWithinHomeTolerance(double dx, double dy)
{
    const ViewGeometry& view = g_geometry;
    return std::fabs(dx) < kHomeToleranceCells * view.cellWidth + kHomeTolerancePixels &&
        std::fabs(dy) < kHomeToleranceCells * view.cellHeight + kHomeTolerancePixels;
}
