#include "model/position_units.h"

double PixelsToPosition(double pixels, double range)
{
    return range > 0 ? pixels / range : 0.0;
}

double ClampPosition(double position)
{
    if (!(position >= 0))
        position = 0;
    if (position > 1)
        position = 1;
    return position;
}
