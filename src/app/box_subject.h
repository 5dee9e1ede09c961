// What a place of a diagram stands for, as sentences and types rather than pointers into
// a stage, so that it can outlive the stage it was found in: the menu of a box and the
// Why? window keep it while moves replace the stage.
#pragma once

#include <QPoint>
#include <cstdint>
#include <string>

#include "model/argumentation_stage.h"

namespace korvane {

class TDiagramPaintBox;

struct TBoxSubject {
  enum class TKind : std::uint8_t { None, Statement, Step, Undercutter } Kind = TKind::None;
  /// Statement: its sentence and type.
  std::string Sentence;
  TStatementType Type = kIssue;
  /// Step and Undercutter: the connection's sentences and types; Undercutter: the exception.
  std::string Reason;
  TStatementType ReasonType = kAssumption;
  std::string Conclusion;
  TStatementType ConclusionType = kIssue;
  std::string Exception;
};

/// The subject at pos, a point of the paint box: a box first (through the paint box's own
/// hit test), else a step's connector or an undercutter's line. Types are those the
/// current stage gives the sentences, as the dialogs would follow them.
[[nodiscard]] TBoxSubject SubjectAt(const TDiagramPaintBox& paintBox, QPoint pos, const TArgumentationStage& stage);

}  // namespace korvane
