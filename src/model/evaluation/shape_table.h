// The built values of a document by the hash of their shape, so that a value equal to one
// built before is found and shared. Open addressing in one array: a lookup is a probe or
// two instead of a walk through linked nodes, and a document closes without freeing a node
// per value.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::evaluation {

/// The first slot to probe for hash in a table of size slots, a power of two of at least 2:
/// Fibonacci hashing spreads the hash over the index bits, since the shape hashes mix
/// pointers, whose low bits say little.
[[nodiscard]] inline std::size_t TableHome(std::size_t hash, std::size_t size) {
  const int shift = std::countl_zero(static_cast<std::uint64_t>(size)) + 1;
  return static_cast<std::size_t>((static_cast<std::uint64_t>(hash) * 0x9E3779B97F4A7C15ull) >> shift);
}

template <class T>
class TShapeTable {
public:
  /// A value stored under hash that matches accepts, or null.
  template <class F>
  [[nodiscard]] T* Find(std::size_t hash, F&& matches) const {
    if (slots_.empty()) return nullptr;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = TableHome(hash, slots_.size()); slots_[i].value; i = (i + 1) & mask)
      if (slots_[i].hash == hash && matches(slots_[i].value)) return slots_[i].value;
    return nullptr;
  }
  /// Stores value under hash; values with equal hashes are all kept.
  void Insert(std::size_t hash, T* value) {
    if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
    std::size_t i = TableHome(hash, slots_.size());
    while (slots_[i].value) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = {hash, value};
    ++size_;
  }

private:
  struct TSlot {
    std::size_t hash = 0;
    T* value = nullptr;
  };
  void Grow() {
    std::vector<TSlot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, TSlot{});
    size_ = 0;
    for (const TSlot& s : old)
      if (s.value) Insert(s.hash, s.value);
  }

  std::vector<TSlot> slots_;  // a power of two of them, or none
  std::size_t size_ = 0;
};

}  // namespace korvane::evaluation
