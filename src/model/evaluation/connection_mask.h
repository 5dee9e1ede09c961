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

/// The values one evaluation built, each built once. Open addressing in one array that
/// is kept from one evaluation to the next: a cycle makes many values, and starting again
/// only moves on the generation that marks a slot as this evaluation's.
template <class T>
class TBuiltValues {
public:
  /// Forgets every value.
  void Clear() {
    // A table grown by a large cycle is handed back once evaluations stop filling it.
    if (slots_.size() > 4096 && size_ * 16 < slots_.size()) {
      slots_ = std::vector<TSlot>();
      mask_ = 0;
      shift_ = 64;
    }
    size_ = 0;
    if (++generation_ != 0) return;
    for (TSlot& s : slots_) s.generation = 0;  // wrapped round: no slot may look current
    generation_ = 1;
  }
  /// The value built for key, or null.
  [[nodiscard]] T* Find(const TMaskKey& key) const {
    if (slots_.empty()) return nullptr;
    const std::size_t hash = TMaskKeyHash()(key);
    for (std::size_t i = TableHome(hash, shift_); Live(slots_[i]); i = (i + 1) & mask_)
      if (slots_[i].hash == hash && slots_[i].key == key) return slots_[i].value;
    return nullptr;
  }
  /// Stores the value built for a key that has none.
  void Insert(TMaskKey key, T* value) {
    if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
    Place(TMaskKeyHash()(key), std::move(key), value);
  }

private:
  struct TSlot {
    std::size_t hash = 0;
    unsigned generation = 0;
    TMaskKey key{nullptr, 0, TMask()};
    T* value = nullptr;
  };
  [[nodiscard]] bool Live(const TSlot& s) const { return s.generation == generation_; }
  void Place(std::size_t hash, TMaskKey&& key, T* value) {
    std::size_t i = TableHome(hash, shift_);
    while (Live(slots_[i])) i = (i + 1) & mask_;
    slots_[i].hash = hash;
    slots_[i].generation = generation_;
    slots_[i].key = std::move(key);
    slots_[i].value = value;
    ++size_;
  }
  void Grow() {
    std::vector<TSlot> old;
    old.swap(slots_);
    slots_.resize(old.empty() ? 256 : old.size() * 2);
    mask_ = slots_.size() - 1;
    shift_ = 64;
    for (std::size_t n = slots_.size(); n > 1; n >>= 1) --shift_;
    size_ = 0;
    for (TSlot& s : old)
      if (Live(s)) Place(s.hash, std::move(s.key), s.value);
  }

  std::vector<TSlot> slots_;
  std::size_t mask_ = 0;
  int shift_ = 64;
  std::size_t size_ = 0;
  unsigned generation_ = 1;
};

}  // namespace korvane::evaluation
