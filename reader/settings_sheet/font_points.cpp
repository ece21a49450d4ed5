#include "reader/settings_sheet/font_points.h"

LONG MulDivRound(LONG a, LONG b, LONG divisor) {
  if (divisor == 0) return 0;
  const long long product = static_cast<long long>(a) * b;
  const long long q = product / divisor;
  const long long r = product % divisor;
  return static_cast<LONG>(r >= divisor / 2 ? q + 1 : q);
}

LONG HeightToPoints(LONG height, LONG dpi) { return MulDivRound(-72, height, dpi); }

LONG PointsToHeight(LONG points, LONG dpi) { return -MulDivRound(points, dpi, 72); }
