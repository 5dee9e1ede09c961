#include "views/map_crossings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace korvane {

namespace {

using Index = std::size_t;

struct TSegment {
  TPolylinePoint A, B;
  Index Edge;
};

double Cross(const TPolylinePoint& o, const TPolylinePoint& a, const TPolylinePoint& b) {
  return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

// Where two segments cross inside both, not at an end; false when they only touch.
bool ProperCrossing(const TSegment& s, const TSegment& t, TPolylinePoint& at) {
  constexpr double kEpsilon = 1e-9;
  const double d1 = Cross(s.A, s.B, t.A);
  const double d2 = Cross(s.A, s.B, t.B);
  const double d3 = Cross(t.A, t.B, s.A);
  const double d4 = Cross(t.A, t.B, s.B);
  if (!(((d1 > kEpsilon && d2 < -kEpsilon) || (d1 < -kEpsilon && d2 > kEpsilon)) &&
        ((d3 > kEpsilon && d4 < -kEpsilon) || (d3 < -kEpsilon && d4 > kEpsilon))))
    return false;
  const double r = d3 / (d3 - d4);
  at = {s.A.X + (s.B.X - s.A.X) * r, s.A.Y + (s.B.Y - s.A.Y) * r};
  return true;
}

}  // namespace

long long CountCrossings(const std::vector<TPolyline>& edges) {
  std::vector<TSegment> segments;
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (Index e = 0; e < edges.size(); ++e)
    for (Index k = 0; k + 1 < edges[e].size(); ++k) {
      segments.push_back({edges[e][k], edges[e][k + 1], e});
      for (const TPolylinePoint& p : {edges[e][k], edges[e][k + 1]}) {
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
      }
    }
  if (segments.size() < 2) return 0;
  // A grid of about as many cells as segments; a pair is counted in the cell holding
  // its crossing point, so a pair sharing several cells counts once.
  const double area = std::max(1.0, (maxX - minX) * (maxY - minY));
  const double cell = std::max(1.0, std::sqrt(area / static_cast<double>(segments.size())) * 2);
  const auto column = [&](double x) { return static_cast<std::int64_t>(std::floor((x - minX) / cell)); };
  const auto row = [&](double y) { return static_cast<std::int64_t>(std::floor((y - minY) / cell)); };
  std::unordered_map<std::int64_t, std::vector<Index>> grid;
  const std::int64_t columns = column(maxX) + 1;
  for (Index i = 0; i < segments.size(); ++i) {
    const TSegment& s = segments[i];
    for (std::int64_t r = row(std::min(s.A.Y, s.B.Y)); r <= row(std::max(s.A.Y, s.B.Y)); ++r)
      for (std::int64_t c = column(std::min(s.A.X, s.B.X)); c <= column(std::max(s.A.X, s.B.X)); ++c)
        grid[r * columns + c].push_back(i);
  }
  long long crossings = 0;
  for (const auto& [id, list] : grid)
    for (Index a = 0; a < list.size(); ++a)
      for (Index b = a + 1; b < list.size(); ++b) {
        const TSegment& s = segments[list[a]];
        const TSegment& t = segments[list[b]];
        TPolylinePoint at;
        if (s.Edge == t.Edge || !ProperCrossing(s, t, at)) continue;
        if (row(at.Y) * columns + column(at.X) == id) ++crossings;
      }
  return crossings;
}

}  // namespace korvane
