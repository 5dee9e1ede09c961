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

/// A set of used connections of one cycle, one bit per connection, in as many words as
/// the cycle needs. The first word is held inline: most cycles have at most 64
/// connections, and a mask is made for every value built inside one.
class TMask {
public:
  /// No words at all: the set outside cycles.
  [[nodiscard]] bool empty() const { return size_ == 0; }
  [[nodiscard]] std::size_t size() const { return size_; }
  [[nodiscard]] std::uint64_t Word(std::size_t i) const { return i == 0 ? first_ : more_[i - 1]; }
  [[nodiscard]] bool Has(int bit) const {
    const auto word = static_cast<std::size_t>(bit) / 64;
    return word < size_ && ((Word(word) >> (bit % 64)) & 1U);
  }
  /// Widens the set to words words and adds bit.
  void Add(int bit, std::size_t words) {
    if (words > size_) {
      more_.resize(words - 1, 0);
      size_ = words;
    }
    const auto word = static_cast<std::size_t>(bit) / 64;
    const std::uint64_t flag = std::uint64_t{1} << (bit % 64);
    if (word == 0)
      first_ |= flag;
    else
      more_[word - 1] |= flag;
  }
  bool operator==(const TMask& o) const = default;

private:
  std::size_t size_ = 0;
  std::uint64_t first_ = 0;
  std::vector<std::uint64_t> more_;
};

[[nodiscard]] inline bool HasBit(const TMask& m, int bit) { return m.Has(bit); }
/// m with one more bit, widened to words.
[[nodiscard]] inline TMask WithBit(const TMask& m, int bit, std::size_t words) {
  TMask r = m;
  r.Add(bit, words);
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
    for (std::size_t i = 0; i < k.mask.size(); ++i) h = Mix(h, static_cast<std::size_t>(k.mask.Word(i)));
    return h;
  }
};

/// The values one evaluation built, each built once.
template <class T>
using TBuiltValues = std::unordered_map<TMaskKey, T*, TMaskKeyHash>;

}  // namespace korvane::evaluation
