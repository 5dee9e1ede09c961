// Why a statement has its status in a stage, read off the evaluation's own fields, so
// the account can never disagree with the verdict. For the command-line tool now and
// the window's tooltips later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/argumentation_stage.h"

namespace korvane {

/// One exception raised against a step.
struct TUndercutterExplanation {
  /// The exception, a statement of the stage.
  const TStatement* Exception = nullptr;
  /// The statement whose sentence is the undercutter warrant, or null when none has it.
  const TStatement* Warrant = nullptr;
  bool WarrantHolds = true;
  /// Whether the exception's dialectical argument under this step (built without the
  /// step's own connection) is justified.
  bool ExceptionJustified = false;
  /// Whether the exception's own dialectical argument in the stage is justified; differs
  /// from ExceptionJustified only when the exception leans on the step's connection.
  bool ExceptionJustifiedInStage = false;
  /// Its warrant holds and its exception is justified.
  bool Blocks = false;
};

/// One step towards a statement.
struct TStepExplanation {
  /// The reason, a statement of the stage.
  const TStatement* Reason = nullptr;
  TConnectionKind ConnectionKind = kSupporting;
  /// The statement whose sentence is the step warrant, or null when none has it.
  const TStatement* Warrant = nullptr;
  bool WarrantHolds = true;
  /// Whether the reason's dialectical argument under this step (built without the step's
  /// own connection) is justified.
  bool ReasonJustified = false;
  /// Whether the reason's own dialectical argument in the stage is justified; differs from
  /// ReasonJustified only when the reason leans on this step's connection.
  bool ReasonJustifiedInStage = false;
  std::vector<TUndercutterExplanation> Undercutters;
  /// Its warrant holds, its reason is justified and no undercutter blocks it.
  bool Counts = false;
};

/// A statement's status in one stage and what it rests on.
struct TStatementExplanation {
  const TStatement* Statement = nullptr;
  TStatementType StatementType = kIssue;
  /// The status of its dialectical argument in the stage.
  TStatus Status = kUnevaluated;
  std::vector<TStepExplanation> Steps;
};

/// The explanation of one statement of an evaluated stage. Throws std::invalid_argument
/// when the statement is not one of the stage's, std::logic_error when the stage has not
/// been evaluated.
[[nodiscard]] TStatementExplanation ExplainStatement(const TArgumentationStage& stage, const TStatement& statement);

/// The explanation of step index of a dialectical argument of the stage, also a nested
/// one (a reason's argument, built without the step's own connection), as a diagram draws it.
[[nodiscard]] TStepExplanation ExplainArgumentStep(const TArgumentationStage& stage,
                                                   const TDialecticalArgument& argument, std::size_t index);

/// The explanation of undercutter index of step, as a diagram draws it.
[[nodiscard]] TUndercutterExplanation ExplainStepUndercutter(const TArgumentationStage& stage, const TStep& step,
                                                             std::size_t index);

/// The explanations of all statements of an evaluated stage, in stage order.
[[nodiscard]] std::vector<TStatementExplanation> ExplainStage(const TArgumentationStage& stage);

}  // namespace korvane
