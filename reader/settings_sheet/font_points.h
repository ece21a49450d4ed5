// Font heights in pixels and sizes in points at the screen's resolution.
#pragma once

#include "platform/types.h"

// product / divisor, rounded up when the remainder is at least half the
// divisor (a negative product is never rounded away from zero).
LONG MulDivRound(LONG a, LONG b, LONG divisor);
// round(-72 * height / dpi)
LONG HeightToPoints(LONG height, LONG dpi);
// -round(points * dpi / 72)
LONG PointsToHeight(LONG points, LONG dpi);
