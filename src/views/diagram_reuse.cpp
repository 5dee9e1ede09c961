#include "views/diagram_reuse.h"

#include <algorithm>

namespace korvane {

namespace {

bool SameTarget(const TDiagramTarget& a, const TDiagramTarget& b) {
  const auto store = a.Store.lock();
  return store && store == b.Store.lock() && a.Statements == b.Statements && a.Width == b.Width &&
         a.StructureOnly == b.StructureOnly && a.FontKey == b.FontKey;
}

// Moves items first to end of from to the end of to, each changed by move. The last
// layout is given up once the next is made, and each of its units is taken once.
template <class T, class Move>
void AppendMoved(std::vector<T>& from, std::size_t first, std::size_t end, std::vector<T>& to, Move move) {
  const auto begin = std::make_move_iterator(from.begin() + static_cast<std::ptrdiff_t>(first));
  const auto stop = std::make_move_iterator(from.begin() + static_cast<std::ptrdiff_t>(end));
  const std::size_t at = to.size();
  to.insert(to.end(), begin, stop);
  for (std::size_t k = at; k < to.size(); ++k) move(to[k]);
}

}  // namespace

TItemCounts ItemCounts(const TDiagramLayout& layout) {
  return {layout.Order.size(), layout.Boxes.size(), layout.Lines.size(),
          layout.Texts.size(), layout.Icons.size(), layout.Parts.size()};
}

void TDiagramReuse::GiveBack(TDiagramLayout layout) {
  if (!ended_ || ItemCounts(layout) != counts_) {
    Forget();
    return;
  }
  previous_ = std::move(layout);
  // Swapped, so the lists written next keep the room of the ones before.
  std::swap(previousUnits_, units_);
  std::swap(previousSignature_, signature_);
  usable_ = true;
  ended_ = false;
}

void TDiagramReuse::Forget() { *this = TDiagramReuse(); }

void TDiagramReuse::Begin(TDiagramTarget target, TDiagramLayout& layout, int rowHeight) {
  if (usable_ && !SameTarget(target_, target)) usable_ = false;
  if (!usable_) {
    previous_ = TDiagramLayout();
    previousUnits_.clear();
    previousSignature_.clear();
  }
  target_ = std::move(target);
  taken_.assign(previousUnits_.size(), false);
  previousByHead_.clear();
  cursor_ = 0;
  copied_ = 0;
  units_.clear();
  signature_.clear();
  ended_ = false;
  layout_ = &layout;
  rowHeight_ = rowHeight;
  pendingFirst_ = pendingEnd_ = 0;
  // Large lists cost more to get from the system than to keep.
  std::swap(layout.Boxes, spare_.Boxes);
  std::swap(layout.Lines, spare_.Lines);
  std::swap(layout.Texts, spare_.Texts);
  std::swap(layout.Icons, spare_.Icons);
  std::swap(layout.Order, spare_.Order);
  std::swap(layout.Parts, spare_.Parts);
  std::swap(layout.Spans, spare_.Spans);
}

bool TDiagramReuse::Matches(const TDiagramUnit& old, std::size_t begin) const {
  const auto oldBegin = previousSignature_.begin();
  return old.SignatureEnd - old.SignatureBegin == signature_.size() - begin &&
         std::equal(oldBegin + static_cast<std::ptrdiff_t>(old.SignatureBegin),
                    oldBegin + static_cast<std::ptrdiff_t>(old.SignatureEnd),
                    signature_.begin() + static_cast<std::ptrdiff_t>(begin));
}

const TDiagramUnit* TDiagramReuse::Match(const void* head, std::size_t begin) {
  if (!usable_) return nullptr;
  // Units mostly come in the order they came last time: look where the last one was found.
  std::size_t at = cursor_;
  if (at >= previousUnits_.size() || previousUnits_[at].Head != head) {
    if (previousByHead_.empty()) IndexPreviousHeads();
    at = FindPrevious(head);
    if (at == previousUnits_.size()) return nullptr;
  }
  cursor_ = at + 1;
  if (taken_[at] || !Matches(previousUnits_[at], begin)) return nullptr;
  return &previousUnits_[at];
}

namespace {

std::size_t Slot(const void* head, std::size_t mask) {
  return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(head) >> 3) * 0x9E3779B97F4A7C15ULL) & mask;
}

}  // namespace

void TDiagramReuse::IndexPreviousHeads() {
  std::size_t size = 16;
  while (size < 2 * previousUnits_.size()) size *= 2;
  previousByHead_.assign(size, {nullptr, 0});
  for (std::size_t k = 0; k < previousUnits_.size(); ++k) {
    const void* head = previousUnits_[k].Head;
    std::size_t slot = Slot(head, size - 1);
    while (previousByHead_[slot].first && previousByHead_[slot].first != head) slot = (slot + 1) & (size - 1);
    if (!previousByHead_[slot].first) previousByHead_[slot] = {head, k};  // the first unit of a head stays
  }
}

std::size_t TDiagramReuse::FindPrevious(const void* head) const {
  const std::size_t mask = previousByHead_.size() - 1;
  for (std::size_t slot = Slot(head, mask); previousByHead_[slot].first; slot = (slot + 1) & mask)
    if (previousByHead_[slot].first == head) return previousByHead_[slot].second;
  return previousUnits_.size();
}

void TDiagramReuse::Copy(const TDiagramUnit& unit, int rows) {
  ++copied_;
  const auto index = static_cast<std::size_t>(&unit - previousUnits_.data());
  taken_[index] = true;
  if (pendingEnd_ > pendingFirst_ && index == pendingEnd_ && rows == pendingRows_ &&
      unit.Begin == previousUnits_[pendingEnd_ - 1].End) {
    ++pendingEnd_;
    return;
  }
  Flush();
  pendingFirst_ = index;
  pendingEnd_ = index + 1;
  pendingRows_ = rows;
}

TItemCounts TDiagramReuse::Counts() const {
  TItemCounts counts = ItemCounts(*layout_);
  if (pendingEnd_ > pendingFirst_)
    for (std::size_t list = 0; list < counts.size(); ++list)
      counts[list] += previousUnits_[pendingEnd_ - 1].End[list] - previousUnits_[pendingFirst_].Begin[list];
  return counts;
}

void TDiagramReuse::Flush() {
  if (pendingEnd_ == pendingFirst_) return;
  const TItemCounts& from = previousUnits_[pendingFirst_].Begin;
  const TItemCounts& to = previousUnits_[pendingEnd_ - 1].End;
  pendingFirst_ = pendingEnd_ = 0;
  TDiagramLayout& layout = *layout_;
  const int dy = pendingRows_ * rowHeight_;
  const TItemCounts base = ItemCounts(layout);
  const auto offset = [&](std::size_t list) { return static_cast<int>(base[list]) - static_cast<int>(from[list]); };
  const std::array<int, 4> shifts{offset(1), offset(2), offset(3), offset(4)};
  AppendMoved(previous_.Order, from[0], to[0], layout.Order,
              [&](TDiagramItem& item) { item.Index += shifts[static_cast<std::size_t>(item.Kind)]; });
  AppendMoved(previous_.Boxes, from[1], to[1], layout.Boxes, [&](TDiagramBox& box) { box.Rect.translate(0, dy); });
  AppendMoved(previous_.Lines, from[2], to[2], layout.Lines, [&](TDiagramLine& line) {
    line.From.ry() += dy;
    line.To.ry() += dy;
  });
  AppendMoved(previous_.Texts, from[3], to[3], layout.Texts, [&](TDiagramText& text) { text.Position.ry() += dy; });
  AppendMoved(previous_.Icons, from[4], to[4], layout.Icons, [&](TDiagramIcon& icon) { icon.Position.ry() += dy; });
  const int boxShift = shifts[0];
  AppendMoved(previous_.Parts, from[5], to[5], layout.Parts, [&](TDiagramPart& part) {
    part.Area.translate(0, dy);
    if (part.Box >= 0) part.Box += boxShift;
  });
}

void TDiagramReuse::End() {
  Flush();
  counts_ = ItemCounts(*layout_);
  layout_ = nullptr;
  ended_ = true;
  usable_ = false;
  spare_ = std::move(previous_);
  spare_.ClearDrawing();
  previous_ = TDiagramLayout();
  previousUnits_.clear();
  previousSignature_.clear();
  previousByHead_.clear();
}

}  // namespace korvane
