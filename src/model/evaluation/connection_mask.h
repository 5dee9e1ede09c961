// Sets of used connections of one cycle, and the keys under which one evaluation keeps
// what it built. Inside a cycle a statement's value depends on which of the cycle's
// connections the path to it used; outside cycles the set is always empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "model/evaluation/shape_table.h"

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

/// The values one evaluation built, each built once. A cycle makes many values, so they are
/// kept in one array in the order built, found through an open-addressed index of small
/// slots; both are kept from one evaluation to the next, and starting again only moves on
/// the generation that marks a slot as this evaluation's.
template <class T>
class TBuiltValues {
public:
  /// Forgets every value.
  void Clear() {
    // A table grown by a large cycle is handed back once evaluations have long stopped
    // filling it; an evaluation also clears the table it does not use.
    idle_ = slots_.size() > 4096 && entries_.size() * 16 < slots_.size() ? idle_ + 1 : 0;
    entries_.clear();
    if (idle_ > 16) {
      slots_ = std::vector<TSlot>();
      entries_ = std::vector<TEntry>();
      idle_ = 0;
    }
    if (++generation_ != 0) return;
    for (TSlot& slot : slots_) slot.generation = 0;  // wrapped round: no slot may look current
    generation_ = 1;
  }
  /// The value built for key, or null.
  [[nodiscard]] T* Find(const TMaskKey& key) const {
    if (slots_.empty()) return nullptr;
    const std::size_t hash = TMaskKeyHash()(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = TableHome(hash, slots_.size()); slots_[i].generation == generation_; i = (i + 1) & mask) {
      const TEntry& e = entries_[slots_[i].entry];
      if (e.hash == hash && e.key == key) return e.value;
    }
    return nullptr;
  }
  /// Stores the value built for a key that has none.
  void Insert(TMaskKey key, T* value) {
    if ((entries_.size() + 1) * 4 > slots_.size() * 3) Grow();
    const std::size_t hash = TMaskKeyHash()(key);
    Place(hash, static_cast<std::uint32_t>(entries_.size()));
    entries_.push_back({hash, std::move(key), value});
  }

private:
  struct TSlot {
    unsigned generation = 0;
    std::uint32_t entry = 0;
  };
  struct TEntry {
    std::size_t hash;
    TMaskKey key;
    T* value;
  };
  void Place(std::size_t hash, std::uint32_t entry) {
    std::size_t i = TableHome(hash, slots_.size());
    while (slots_[i].generation == generation_) i = (i + 1) & (slots_.size() - 1);
    slots_[i] = {generation_, entry};
  }
  void Grow() {
    slots_.assign(slots_.empty() ? 256 : slots_.size() * 2, TSlot{});
    for (std::size_t e = 0; e < entries_.size(); ++e) Place(entries_[e].hash, static_cast<std::uint32_t>(e));
  }

  std::vector<TSlot> slots_;     // a power of two of them, or none
  std::vector<TEntry> entries_;  // this evaluation's, in the order built
  int idle_ = 0;                 // clears in a row that found the table mostly empty
  unsigned generation_ = 1;
};

}  // namespace korvane::evaluation
