// The lowest identifier free in a list of statements, kept up to date while the list
// grows at its tip, as the stages of a line do.
#pragma once

#include <charconv>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "statement.h"

namespace korvane {

class TIdIndex {
public:
  /// The lowest positive number that no statement of list carries as its identifier. The
  /// statements already counted must keep their identifiers; a move gives a statement its
  /// identifier before it enters a stage and never changes it afterwards.
  [[nodiscard]] long long LowestFree(const TStatements& list) {
    auto buffer = list.SharedBuffer();
    const std::size_t count = list.Count();
    if (buffer != buffer_ || counted_ > count) {
      buffer_ = std::move(buffer);
      taken_.clear();
      counted_ = 0;
      lowest_ = 1;
    }
    for (; counted_ < count; ++counted_) Take((*buffer_)[counted_]->Id);
    return lowest_;
  }

  /// The number an identifier stands for, or 0 when it is not a positive decimal number.
  [[nodiscard]] static long long NumberOf(const std::string& id) {
    long long value = 0;
    const char* first = id.data();
    const char* last = first + id.size();
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && value >= 1 ? value : 0;
  }

private:
  void Take(const std::string& id) {
    const long long value = NumberOf(id);
    if (value == 0) return;
    taken_.insert(value);
    // The lowest free number only rises as statements are added.
    while (taken_.count(lowest_) != 0) ++lowest_;
  }

  std::shared_ptr<const std::vector<TStatement*>> buffer_;
  std::size_t counted_ = 0;
  std::unordered_set<long long> taken_;
  long long lowest_ = 1;
};

}  // namespace korvane
