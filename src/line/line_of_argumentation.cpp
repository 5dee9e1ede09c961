#include "line_of_argumentation.h"

#include <atomic>
#include <utility>

#include "line/lin_syntax.h"
#include "model/evaluation/evaluator.h"

namespace korvane {

namespace {

// The part of a question about a statement whose type a move will overrule.
std::string OverruledPart(const char* role, const std::string& sentence) {
  return std::string(role) + sentence + "' already exists. " + kLineBreak + "Its type was different and " +
         "will be overruled. ";
}

// True when s's sentence is in the stage with another type than s carries.
bool ExistsWithOtherType(const TArgumentationStage& stage, const TStatement* s) {
  TStatement* existing = nullptr;
  return !stage.IsNewStatement(s, existing) && existing->StatementType != s->StatementType;
}

void AppendPart(std::string& text, const std::string& part) {
  if (!text.empty()) text += kLineBreak;
  text += part;
}

// Each line gets the next, so a serial names one line for as long as the program runs.
std::atomic<std::uint64_t> lineSerials{0};

}  // namespace

TLineOfArgumentation::TLineOfArgumentation(const bool& interactive, TAsker& asker)
    : interactive_(interactive), asker_(asker), serial_(++lineSerials) {
  stages_.push_back(std::make_unique<TArgumentationStage>());
  CurrentStage = stages_.back().get();
  ArgumentationStages.Add(CurrentStage);
  // Append releases every stage a move starts from, so what only it holds may be extended.
  CurrentStage->Store().Evaluator().SetEarlierStagesReleased(true);
}

TLineOfArgumentation::~TLineOfArgumentation() = default;

TStatement* TLineOfArgumentation::NewStatement(std::string sentence, TStatementType type) {
  return CurrentStage->Store().NewStatement(std::move(sentence), type);
}

TReasonConclusion* TLineOfArgumentation::NewReasonConclusion() { return CurrentStage->Store().NewReasonConclusion(); }

void TLineOfArgumentation::Append(std::unique_ptr<TArgumentationStage> next, std::vector<std::string> lines) {
  auto move = std::make_unique<TArgumentationMove>();
  move->PreStage = CurrentStage;
  move->PostStage = next.get();
  move->Move = std::move(lines);
  // Room first, so that nothing below can fail once the line starts to change; growing
  // by half again keeps a long line's appends from copying every time.
  if (stages_.size() == stages_.capacity()) stages_.reserve(stages_.size() + stages_.size() / 2 + 16);
  if (moves_.size() == moves_.capacity()) moves_.reserve(moves_.size() + moves_.size() / 2 + 16);
  stages_.push_back(std::move(next));
  moves_.push_back(std::move(move));
  ArgumentationMoves.Add(moves_.back().get());
  ArgumentationStages.Add(stages_.back().get());
  // Nothing shows an earlier stage's evaluation; it is computed again when asked for.
  CurrentStage->ReleaseEvaluation();
  CurrentStage = stages_.back().get();
  Modified = true;
}

bool TLineOfArgumentation::DoStatementMove(TStatement* s) {
  TStatement* existing = nullptr;
  if (!CurrentStage->IsNewStatement(s, existing) && interactive_) {
    // Required as is: leading line breaks and trailing blanks (pinned by tests/line/line_of_argumentation_test.cpp).
    const std::string first = "The statement '" + s->Sentence + "' already exists. " + kLineBreak;
    if (existing->StatementType == s->StatementType) {
      asker_.Ask(WarningMessage(kLineBreak + first + "It cannot be added again. ", {TAnswer::OK}));
      return false;
    }
    const std::string question = kLineBreak + first + "Its type was different and " + "will be overruled. " +
                                 kLineBreak + "Do you really want to add it again? ";
    if (asker_.Ask(ConfirmationMessage(question)) != TAnswer::Yes) return false;
  }
  // The line is written from the statement passed in, before the stage may drop it.
  std::vector<std::string> lines = StatementMoveLines(*s);
  // The stage is computed before anything changes here: if it fails, the line stays as it was.
  Append(CurrentStage->DoStatementMove(s), std::move(lines));
  return true;
}

void TLineOfArgumentation::DoReasonConclusionMove(TReasonConclusion* c) {
  std::string text;
  if (ExistsWithOtherType(*CurrentStage, c->Reason))
    AppendPart(text, OverruledPart("The reason '", c->Reason->Sentence));
  if (ExistsWithOtherType(*CurrentStage, c->Conclusion))
    AppendPart(text, OverruledPart("The conclusion '", c->Conclusion->Sentence));
  if (!text.empty() && interactive_) {
    text += kLineBreak + std::string("Do you really want to add the ") + "reason and the conclusion?";
    if (asker_.Ask(ConfirmationMessage(text)) != TAnswer::Yes) return;
  }
  // Read before the stage replaces the ends by its own objects.
  std::vector<std::string> lines = ReasonConclusionMoveLines(*c->Conclusion, *c->Reason);
  Append(CurrentStage->DoReasonConclusionMove(c), std::move(lines));
}

void TLineOfArgumentation::DoExceptionMove(TReasonConclusion* c) {
  TStatement* const e = c->Exceptions.First();
  std::string text;
  // Required as is: asks exception, reason, conclusion (pinned by tests/line/line_of_argumentation_test.cpp).
  if (ExistsWithOtherType(*CurrentStage, e)) AppendPart(text, OverruledPart("The exception '", e->Sentence));
  if (ExistsWithOtherType(*CurrentStage, c->Reason))
    AppendPart(text, OverruledPart("The reason '", c->Reason->Sentence));
  if (ExistsWithOtherType(*CurrentStage, c->Conclusion))
    AppendPart(text, OverruledPart("The conclusion '", c->Conclusion->Sentence));
  if (!text.empty() && interactive_) {
    text += kLineBreak + std::string("Do you really want to add the ") + "exception, the reason and the conclusion?";
    if (asker_.Ask(ConfirmationMessage(text)) != TAnswer::Yes) return;
  }
  std::vector<std::string> lines = ExceptionMoveLines(*e, *c->Conclusion, *c->Reason);
  Append(CurrentStage->DoExceptionMove(c), std::move(lines));
}

std::vector<std::string> TLineOfArgumentation::Text() const {
  std::vector<std::string> text;
  AppendText(0, text);
  return text;
}

void TLineOfArgumentation::AppendText(std::size_t first, std::vector<std::string>& text) const {
  for (std::size_t i = first; i < ArgumentationMoves.Count(); ++i) {
    const std::vector<std::string>& lines = ArgumentationMoves[i]->Move;
    text.insert(text.end(), lines.begin(), lines.end());
  }
}

}  // namespace korvane
