// A map from object addresses to small numbers, looked up in the inner loops of the
// containment tests: open addressing in one array, so a lookup is a probe or two instead
// of a walk through a bucket's nodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvane::evaluation {

template <class T, class V = int>
class TPointerMap {
public:
  /// The value stored for p, or missing.
  [[nodiscard]] V Find(const T* p, V missing) const {
    if (slots_.empty()) return missing;
    for (std::size_t i = Home(p);; i = (i + 1) & mask_) {
      if (slots_[i].key == p) return slots_[i].value;
      if (!slots_[i].key) return missing;
    }
  }
  /// Stores value for p unless p has one.
  void Emplace(const T* p, V value) {
    bool added = false;
    SlotFor(p, value, added);
  }
  /// The value stored for p, made fresh if p had none.
  V& operator[](const T* p) {
    bool added = false;
    return SlotFor(p, V{}, added).value;
  }

  /// Gives p the value mark; false when it had that value already. Used as a set that a
  /// new mark empties at once.
  bool MarkOnce(const T* p, int mark) {
    bool added = false;
    TSlot& slot = SlotFor(p, mark, added);
    if (!added && slot.value == mark) return false;
    slot.value = mark;
    return true;
  }

private:
  struct TSlot {
    const T* key = nullptr;
    V value{};
  };
  [[nodiscard]] std::size_t Home(const T* p) const {
    // Objects are aligned, so the low bits say nothing; the multiplication spreads the rest.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p));
    return static_cast<std::size_t>(((bits >> 3) * 0x9E3779B97F4A7C15ull) >> 20) & mask_;
  }
  // p's slot, made with value (and added set) if p had none.
  TSlot& SlotFor(const T* p, V value, bool& added) {
    if ((size_ + 1) * 4 > slots_.size() * 3) Grow();
    for (std::size_t i = Home(p);; i = (i + 1) & mask_) {
      added = !slots_[i].key;
      if (added) {
        slots_[i] = {p, value};
        ++size_;
      }
      if (slots_[i].key == p) return slots_[i];
    }
  }
  void Grow() {
    std::vector<TSlot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, TSlot{});
    mask_ = slots_.size() - 1;
    size_ = 0;
    for (const TSlot& s : old)
      if (s.key) Emplace(s.key, s.value);
  }

  std::vector<TSlot> slots_;
  std::size_t mask_ = 0;
  std::size_t size_ = 0;
};

}  // namespace korvane::evaluation
