// Marks on vertices that are cleared all at once by taking a new stamp, so a walk over a
// few vertices of a large stage costs nothing for the rest.
#pragma once

#include <cassert>
#include <cstddef>
#include <vector>

namespace korvane::evaluation {

class TVertexMarks {
public:
  /// A stamp no vertex carries yet, with room for marks on count vertices.
  [[nodiscard]] int NewStamp(std::size_t count) {
    if (marks_.size() < count) marks_.resize(count, 0);
    return ++stamp_;
  }
  /// Marks v with stamp.
  void Set(int v, int stamp) { marks_[Slot(v)] = stamp; }
  /// The last stamp v was marked with, or 0.
  [[nodiscard]] int Get(int v) const { return marks_[Slot(v)]; }
  /// Whether v is marked with stamp.
  [[nodiscard]] bool Has(int v, int stamp) const { return marks_[Slot(v)] == stamp; }

private:
  [[nodiscard]] std::size_t Slot(int v) const {
    assert(v >= 0 && static_cast<std::size_t>(v) < marks_.size());
    return static_cast<std::size_t>(v);
  }
  std::vector<int> marks_;
  int stamp_ = 0;
};

}  // namespace korvane::evaluation
