// An ordered list of references that owns nothing, as every list of the model is.
//
// Copies share storage: Assign makes the receiver refer to the source's buffer, and
// an append to a list that ends where its buffer ends grows that buffer in place.
// A stage copied for a move and then extended therefore costs no copy of its lists,
// and the earlier list still sees only its own length. Any other change copies first.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace korvane {

/// The text of the error a range check reports; the interpreter shows it too.
inline constexpr const char* kListIndexError = "List index out of bounds";

template <class T>
class TList {
public:
  TList() = default;

  /// Number of items.
  [[nodiscard]] std::size_t Count() const { return count_; }
  [[nodiscard]] bool Empty() const { return count_ == 0; }

  /// The item at index, with a range check.
  [[nodiscard]] T* operator[](std::size_t index) const {
    if (index >= count_) throw std::out_of_range(kListIndexError);
    return (*items_)[index];
  }
  [[nodiscard]] T* First() const { return (*this)[0]; }
  /// Throws on an empty list, like any index outside it.
  [[nodiscard]] T* Last() const {
    if (count_ == 0) throw std::out_of_range(kListIndexError);
    return (*items_)[count_ - 1];
  }

  void Add(T* item) {
    if (!items_ || (items_.use_count() > 1 && items_->size() != count_)) Detach();
    if (items_->size() != count_) items_->resize(count_);
    items_->push_back(item);
    ++count_;
  }

  void Insert(std::size_t index, T* item) {
    if (index > count_) throw std::out_of_range(kListIndexError);
    Detach();
    items_->insert(items_->begin() + static_cast<std::ptrdiff_t>(index), item);
    ++count_;
  }

  void Delete(std::size_t index) {
    if (index >= count_) throw std::out_of_range(kListIndexError);
    Detach();
    items_->erase(items_->begin() + static_cast<std::ptrdiff_t>(index));
    --count_;
  }

  /// Removes the first occurrence of item; returns its former index, or nothing when absent.
  std::optional<std::size_t> Remove(const T* item) {
    const std::optional<std::size_t> index = IndexOf(item);
    if (index) Delete(*index);
    return index;
  }

  /// The index of the first occurrence of item, or nothing when absent.
  [[nodiscard]] std::optional<std::size_t> IndexOf(const T* item) const {
    for (std::size_t i = 0; i < count_; ++i)
      if ((*items_)[i] == item) return i;
    return std::nullopt;
  }

  void Clear() {
    items_.reset();
    count_ = 0;
  }

  /// Empties the receiver and appends every reference of source, in order.
  void Assign(const TList& source) {
    if (&source == this) return;
    items_ = source.items_;
    count_ = source.count_;
  }

  /// Makes the receiver a list of exactly items, in a buffer of its own.
  void AssignItems(const std::vector<T*>& items) {
    items_ = std::make_shared<std::vector<T*>>(items);
    count_ = items.size();
  }
  /// Whether the receiver's items are the first of items, in order.
  [[nodiscard]] bool IsPrefixOf(const std::vector<T*>& items) const {
    return count_ <= items.size() &&
           (count_ == 0 ||
            std::equal(items_->begin(), items_->begin() + static_cast<std::ptrdiff_t>(count_), items.begin()));
  }

  /// The buffer this list reads from, for indexes that follow a list as it grows.
  [[nodiscard]] std::shared_ptr<const std::vector<T*>> SharedBuffer() const { return items_; }

  /// Reserves room for a list that is about to be filled from scratch.
  void Reserve(std::size_t capacity) {
    Detach();
    items_->reserve(capacity);
  }

  // Iteration goes through the shared buffer at every step, so a list that shares
  // its buffer with one being appended to stays valid while it is walked.
  class const_iterator {
  public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T* const*;
    using reference = T*;
    const_iterator() = default;
    const_iterator(const TList* list, std::size_t index) : list_(list), index_(index) {}
    T* operator*() const { return (*list_->items_)[index_]; }
    const_iterator& operator++() {
      ++index_;
      return *this;
    }
    const_iterator operator++(int) {
      auto copy = *this;
      ++index_;
      return copy;
    }
    const_iterator& operator--() {
      --index_;
      return *this;
    }
    const_iterator& operator+=(difference_type n) {
      index_ += n;
      return *this;
    }
    const_iterator operator+(difference_type n) const { return {list_, index_ + n}; }
    difference_type operator-(const const_iterator& other) const {
      return static_cast<difference_type>(index_) - static_cast<difference_type>(other.index_);
    }
    bool operator==(const const_iterator& other) const { return index_ == other.index_; }
    bool operator!=(const const_iterator& other) const { return index_ != other.index_; }

  private:
    const TList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  [[nodiscard]] const_iterator begin() const { return {this, 0}; }
  [[nodiscard]] const_iterator end() const { return {this, count_}; }

private:
  // Gives the list a buffer of its own holding exactly its items.
  void Detach() {
    if (!items_) {
      items_ = std::make_shared<std::vector<T*>>();
    } else if (items_.use_count() > 1) {
      items_ =
          std::make_shared<std::vector<T*>>(items_->begin(), items_->begin() + static_cast<std::ptrdiff_t>(count_));
    } else if (items_->size() != count_) {
      items_->resize(count_);
    }
  }

  std::shared_ptr<std::vector<T*>> items_;
  std::size_t count_ = 0;
};

}  // namespace korvane
