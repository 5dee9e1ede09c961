// What the showing view was last drawn from. The window is activated again whenever a
// dialog or a box closes; when neither the line, its stage, the view nor the room it is
// drawn in changed since, the picture it would draw is the one showing.
#pragma once

#include <QSize>
#include <cstddef>

#include "line/line_of_argumentation.h"

namespace korvane {

class TDrawnView {
public:
  /// What a redraw of view (the pressed view button) in a scroll box of size depends on.
  struct TKey {
    const TLineOfArgumentation* Line = nullptr;
    const TArgumentationStage* Stage = nullptr;
    std::size_t Moves = 0;
    std::size_t Stages = 0;
    const void* View = nullptr;
    QSize Room;
    bool StructureOnly = false;
    bool operator==(const TKey&) const = default;
  };
  [[nodiscard]] static TKey KeyOf(const TLineOfArgumentation& line, const void* view, QSize room,
                                  bool structureOnly) {
    return {&line, line.CurrentStage, line.ArgumentationMoves.Count(), line.ArgumentationStages.Count(), view, room,
            structureOnly};
  }

  void Drawn(const TKey& key) {
    key_ = key;
    valid_ = true;
  }
  /// The view was changed by other means (a text put in, an interpretation begun).
  void Forget() { valid_ = false; }
  [[nodiscard]] bool Shows(const TKey& key) const { return valid_ && key_ == key; }

private:
  TKey key_;
  bool valid_ = false;
};

}  // namespace korvane
