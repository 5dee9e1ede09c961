// A hash index over a list of the model, shared by every list that shares its buffer.
//
// The stages of a line copy their lists with Assign and append at the tip, so they all
// hold prefixes of one buffer. While the index holds that buffer too, no list can change
// an item of it in place (any change but an append at the tip copies first), so an entry
// found at a position below a list's count is that list's item.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "list.h"

namespace korvane {

template <class T, class KeyOf>
class TPrefixIndex {
public:
  /// The first item with this key in list, or null.
  [[nodiscard]] T* Find(const TList<T>& list, const std::string& key) {
    Follow(list);
    const auto found = first_.find(key);
    if (found == first_.end() || found->second >= list.Count()) return nullptr;
    return list[found->second];
  }

  /// True when the index follows this list's buffer (or both are empty).
  [[nodiscard]] bool Follows(const TList<T>& list) const { return list.SharedBuffer() == buffer_; }

private:
  void Follow(const TList<T>& list) {
    auto buffer = list.SharedBuffer();
    if (buffer != buffer_) {
      buffer_ = std::move(buffer);
      first_.clear();
      indexed_ = 0;
    }
    if (!buffer_) return;
    // Items appended since the last look; the buffer may hold more than this list.
    for (; indexed_ < buffer_->size(); ++indexed_) first_.emplace(KeyOf()((*buffer_)[indexed_]), indexed_);
  }

  std::shared_ptr<const std::vector<T*>> buffer_;
  std::size_t indexed_ = 0;
  std::unordered_map<std::string, std::size_t> first_;
};

}  // namespace korvane
