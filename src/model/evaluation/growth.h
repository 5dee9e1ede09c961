// Tables indexed by statement, vertex or sentence grow by a few entries with each move.
// Sized exactly by a full evaluation, the first move after it would copy each of them
// whole (and touch fresh pages for the copy); sized with room, moves only append.
#pragma once

#include <cstddef>
#include <vector>

namespace korvane::evaluation {

/// Resizes v to n entries, new ones value, leaving room for half as many again when it must grow.
template <class T, class A>
void ResizeWithRoom(std::vector<T, A>& v, std::size_t n, const T& value) {
  if (n > v.capacity()) v.reserve(n + n / 2 + 64);
  v.resize(n, value);
}

}  // namespace korvane::evaluation
