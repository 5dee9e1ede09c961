// Counts where drawn edges cross, so the map's layout can be compared with another
// program's drawing of the same line: each edge a polyline, and every proper crossing
// of two segments of different edges counted once. Edges that only meet at an end (two
// arrows into one box) do not cross.
#pragma once

#include <vector>

namespace korvane {

struct TPolylinePoint {
  double X = 0;
  double Y = 0;
};
using TPolyline = std::vector<TPolylinePoint>;

[[nodiscard]] long long CountCrossings(const std::vector<TPolyline>& edges);

}  // namespace korvane
