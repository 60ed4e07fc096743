#include "board/view_geometry.h"

ViewGeometry g_geometry;
