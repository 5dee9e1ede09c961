// One argumentation stage: the statements and connections made so far, the arguments
// they form and the evaluated dialectical argument of every statement. A move never
// changes the lists of the stage it is applied to; it returns the next stage.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "argument.h"
#include "dialectical_argument.h"
#include "evaluation_path.h"
#include "id_index.h"
#include "model_store.h"
#include "prefix_index.h"
#include "reason_conclusion.h"
#include "statement.h"

namespace korvane {

class TArgumentationStage;
using TArgumentationStages = TList<TArgumentationStage>;

class TArgumentationStage {
public:
  /// An empty stage with a store of its own (the first stage of a document).
  TArgumentationStage();
  /// An empty stage whose objects live in the given store.
  explicit TArgumentationStage(std::shared_ptr<TModelStore> store);

  /// Every statement made so far, in order of entry; sentences are unique.
  TStatements Statements;
  /// Every connection, in order of entry; unique by (reason sentence, conclusion sentence).
  TReasonConclusions ReasonConclusions;
  /// Element i belongs to statement i.
  TDialecticalArguments DialecticalArguments;
  /// Those not properly contained in another one.
  TDialecticalArguments MaximalDialecticalArguments;
  TArguments Arguments;

  // Moves. The objects passed in are handed over: the new stage may take them in.

  /// States s (an issue or an assumption); an existing sentence has its type overruled.
  [[nodiscard]] std::unique_ptr<TArgumentationStage> DoStatementMove(TStatement* s) const;
  /// Connects c's reason to its conclusion, stating both first (the conclusion before the reason).
  [[nodiscard]] std::unique_ptr<TArgumentationStage> DoReasonConclusionMove(TReasonConclusion* c) const;
  /// Adds the one exception in c's Exceptions to the connection from c's reason to its conclusion.
  [[nodiscard]] std::unique_ptr<TArgumentationStage> DoExceptionMove(TReasonConclusion* c) const;

  // Lookups, by exact sentence.

  /// True when no statement has s's sentence; otherwise existing is that statement.
  [[nodiscard]] bool IsNewStatement(const TStatement* s, TStatement*& existing) const;
  /// True when no connection joins the same two sentences; otherwise existing is the first that does.
  [[nodiscard]] bool IsNewReasonConclusion(const TReasonConclusion* c, TReasonConclusion*& existing) const;
  /// True when some statement has exactly this sentence; found is then the first such statement.
  [[nodiscard]] bool SentenceIsStatementSentence(const std::string& text, TStatement*& found) const;
  /// The lowest positive identifier that no statement of the stage carries.
  void GetNewId(std::string& id) const;

  // Arguments.

  /// Rebuilds Arguments from Statements and ReasonConclusions.
  void RecomputeArguments();
  /// The same, by the plain rules: every tree built anew (kept to check the fast one).
  void RecomputeArgumentsLiterally();
  /// True when no connection of connections has s's sentence as its reason.
  [[nodiscard]] static bool IsFinalConclusion(const TStatement* s, const TReasonConclusions& connections);
  /// True when some argument of arguments, at any depth, concludes s's sentence.
  [[nodiscard]] static bool OccursInArgument(const TStatement* s, const TArguments& arguments);
  /// Appends to arguments one supporting argument per connection of connections that concludes s.
  void ComputeSupportingArguments(TStatement* s, TArguments& arguments, const TReasonConclusions& connections);

  // Dialectical arguments and their status.

  /// Rebuilds both dialectical lists and sets every statement's Status. Throws
  /// TEvaluationLimitError, changing nothing, when the work budget would be exceeded.
  void RecomputeDialecticalArguments();
  /// The same, by the plain rules: nothing shared or cached, no budget.
  void RecomputeDialecticalArgumentsLiterally();

  /// Makes this stage, and the stages moves make from it, evaluate by the plain rules,
  /// intermediate stages of compound moves included.
  void SetLiteralEvaluation(bool literal) { path_.SetPlain(literal); }
  [[nodiscard]] bool LiteralEvaluation() const { return path_.Plain(); }
  /// Work an evaluation of this stage, and of stages moves make from it, may do beyond
  /// what is proportional to the stage's size.
  void SetWorkBudget(std::size_t budget) { budget_ = budget; }
  [[nodiscard]] std::size_t WorkBudget() const { return budget_; }
  /// Fills d, already created for s, from the given connections only, and computes its status.
  void ComputeDialecticalArgument(TStatement* s, TDialecticalArgument* d, const TReasonConclusions& connections);
  /// Computes d's Status, re-evaluating the nested dialectical arguments the rule reaches.
  static void ComputeStatusDialecticalArgument(TDialecticalArgument* d);
  [[nodiscard]] static bool IsFinal(const TDialecticalArgument* d1, const TDialecticalArgument* d2);
  [[nodiscard]] static bool IsContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2);
  [[nodiscard]] static bool IsProperlyContainedIn(const TDialecticalArgument* d1, const TDialecticalArgument* d2);

  // A line keeps the evaluation of its current stage only: nothing shows an earlier one,
  // and keeping them all would cost memory in proportion to moves times statements.

  /// Empties both dialectical lists and Arguments, until EnsureEvaluated fills them again.
  void ReleaseEvaluation();
  /// Fills the lists ReleaseEvaluation emptied with exactly what this stage's move put
  /// there: types and exceptions that later moves changed in place are seen as they were
  /// then. Every Status is left as it is. Throws TEvaluationLimitError only where the
  /// evaluation's nesting limit is reached, which a stage made by a move never reaches.
  void EnsureEvaluated();
  [[nodiscard]] bool EvaluationReleased() const { return path_.Released(); }

  /// While set, moves from this stage, and from the stages they make, are not evaluated:
  /// each stage made is as if released, and EvaluatePostponed evaluates the last one. A
  /// replay of a whole file uses it, since nothing shows the stages in between. Ignored
  /// under the plain rules.
  void SetEvaluationPostponed(bool postponed) { path_.SetPostponed(postponed); }
  /// Evaluates a stage made while evaluation was postponed (both dialectical lists,
  /// Arguments and every Status) exactly as its move would have, and lets later moves from
  /// it evaluate again. Throws TEvaluationLimitError like a move, and then stays released.
  void EvaluatePostponed() { EvaluatePostponed(budget_); }
  /// The same, with budget in place of the stage's work budget.
  void EvaluatePostponed(std::size_t budget);

  /// The rules this stage's moves follow and what its lists hold.
  [[nodiscard]] const TEvaluationPath& EvaluationPath() const { return path_; }

  /// The store that owns this stage's statements, connections and arguments.
  [[nodiscard]] TModelStore& Store() const { return *store_; }
  [[nodiscard]] const std::shared_ptr<TModelStore>& SharedStore() const { return store_; }
  /// The store of the dialectical arguments this stage built.
  [[nodiscard]] TDialecticalStore& DialecticalStore();

private:
  friend class TMoveRollback;
  struct TStatementKey {
    std::string operator()(const TStatement* s) const { return s->Sentence; }
  };
  struct TConnectionKey {
    std::string operator()(const TReasonConclusion* c) const {
      return std::to_string(c->Reason->Sentence.size()) + ':' + c->Reason->Sentence + c->Conclusion->Sentence;
    }
  };
  using TStatementIndex = TPrefixIndex<TStatement, TStatementKey>;
  using TConnectionIndex = TPrefixIndex<TReasonConclusion, TConnectionKey>;

  /// A new stage with the receiver's statements, connections and arguments, and no dialectical arguments.
  [[nodiscard]] std::unique_ptr<TArgumentationStage> CopyForMove() const;
  /// The last step of a move: evaluates, unless an enclosing move will evaluate its result.
  void FinishMove();
  [[nodiscard]] TStatement* FindStatement(const std::string& sentence) const;
  /// What GetNewId finds, from an index that follows the list as moves extend it.
  [[nodiscard]] std::string NextId() const;
  /// Arguments as the moves up to this stage left them, for EnsureEvaluated.
  void RestoreArguments(TEvaluator* evaluator, std::size_t budget);

  std::shared_ptr<TModelStore> store_;
  std::shared_ptr<TDialecticalStore> dialectical_store_;
  TEvaluationPath path_;
  std::size_t budget_;
  // During a move, the stage it started from (lists equal to its own share storage).
  const TArgumentationStage* origin_ = nullptr;
  // The store's history mark once this stage's move was made.
  std::size_t historyMark_ = 0;
  // Statements the last rebuild of Arguments saw: a statement move since only appended
  // the one-node argument of its statement.
  std::size_t argumentStatements_ = 0;
  // The evaluator that refilled released lists owns what they hold.
  std::shared_ptr<TEvaluator> recomputedBy_;
  mutable std::shared_ptr<TStatementIndex> statement_index_;
  mutable std::shared_ptr<TIdIndex> id_index_;
  mutable std::shared_ptr<TConnectionIndex> connection_index_;
};

}  // namespace korvane
