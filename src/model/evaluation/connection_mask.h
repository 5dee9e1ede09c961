// Sets of used connections of one cycle, and the keys under which one evaluation keeps
// what it built. Inside a cycle a statement's value depends on which of the cycle's
// connections the path to it used; outside cycles the set is always empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace korvane::evaluation {

/// Combines a hash with one more value.
[[nodiscard]] inline std::size_t Mix(std::size_t h, std::size_t v) {
  return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
}
[[nodiscard]] inline std::size_t PtrHash(const void* p) { return std::hash<const void*>()(p); }

/// A set of used connections of one cycle, one bit per connection.
using TMask = std::vector<std::uint64_t>;

[[nodiscard]] inline bool HasBit(const TMask& m, int bit) {
  const auto word = static_cast<std::size_t>(bit) / 64;
  return word < m.size() && ((m[word] >> (bit % 64)) & 1U);
}
/// m with one more bit, widened to words.
[[nodiscard]] inline TMask WithBit(const TMask& m, int bit, std::size_t words) {
  TMask r = m;
  r.resize(words, 0);
  r[static_cast<std::size_t>(bit) / 64] |= std::uint64_t{1} << (bit % 64);
  return r;
}

/// What a value is built for: a statement object at a vertex, after these used connections.
/// Plain key data; two keys are equal when all three are.
struct TMaskKey {
  const void* object;
  int vertex;
  TMask mask;
  bool operator==(const TMaskKey& o) const { return object == o.object && vertex == o.vertex && mask == o.mask; }
};
struct TMaskKeyHash {
  std::size_t operator()(const TMaskKey& k) const {
    std::size_t h = Mix(PtrHash(k.object), static_cast<std::size_t>(k.vertex));
    for (const std::uint64_t w : k.mask) h = Mix(h, static_cast<std::size_t>(w));
    return h;
  }
};

/// The values one evaluation built, each built once.
template <class T>
using TBuiltValues = std::unordered_map<TMaskKey, T*, TMaskKeyHash>;

}  // namespace korvane::evaluation
