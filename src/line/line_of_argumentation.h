// The document: the moves made so far, each with the stage before and after it.
// A line only grows; every move appends its post-stage.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "line/messages.h"
#include "model/argumentation_stage.h"

namespace korvane {

class TArgumentationMove {
public:
  TArgumentationStage* PreStage = nullptr;
  TArgumentationStage* PostStage = nullptr;
  /// The move in the file syntax: a keyword line, sentence lines, and one empty line.
  std::vector<std::string> Move;
};

using TArgumentationMoves = TList<TArgumentationMove>;

class TLineOfArgumentation {
public:
  /// interactive is the program-wide flag, read at every move; asker answers the questions.
  TLineOfArgumentation(const bool& interactive, TAsker& asker);
  TLineOfArgumentation(const TLineOfArgumentation&) = delete;
  TLineOfArgumentation& operator=(const TLineOfArgumentation&) = delete;
  ~TLineOfArgumentation();

  TArgumentationMoves ArgumentationMoves;
  /// The empty first stage, then one post-stage per move. Only the current stage keeps
  /// its evaluation; an earlier one has it again after EnsureEvaluated.
  TArgumentationStages ArgumentationStages;
  /// Always the last of ArgumentationStages.
  TArgumentationStage* CurrentStage = nullptr;
  bool Modified = false;
  std::string FileName;

  // The objects passed in are handed over; they must have been made by NewStatement or
  // NewReasonConclusion of this line.

  /// False when the user declined, or the statement exists with the same type (interactive only).
  bool DoStatementMove(TStatement* s);
  void DoReasonConclusionMove(TReasonConclusion* c);
  void DoExceptionMove(TReasonConclusion* c);

  /// A new statement owned by this document.
  [[nodiscard]] TStatement* NewStatement(std::string sentence, TStatementType type);
  /// A new connection (a new issue reason, a new assumption conclusion) owned by this document.
  [[nodiscard]] TReasonConclusion* NewReasonConclusion();

  /// The Move lines of all moves, oldest first: the text of the line of argumentation.
  [[nodiscard]] std::vector<std::string> Text() const;
  /// Appends to text the Move lines of the moves from the first-th on.
  void AppendText(std::size_t first, std::vector<std::string>& text) const;
  /// Distinct for every line made in the process: a text kept for one line is never taken
  /// for another's. A line's moves are only ever appended to.
  [[nodiscard]] std::uint64_t Serial() const { return serial_; }

private:
  // Records a made move: its lines, the current stage as pre-stage, next as post-stage.
  void Append(std::unique_ptr<TArgumentationStage> next, std::vector<std::string> lines);

  const bool& interactive_;
  TAsker& asker_;
  const std::uint64_t serial_;
  std::vector<std::unique_ptr<TArgumentationStage>> stages_;
  std::vector<std::unique_ptr<TArgumentationMove>> moves_;
};

}  // namespace korvane
