#include "lines_interpreter.h"

#include <string>
#include <vector>

#include "line/lin_syntax.h"
#include "model/evaluation_limit.h"
#include "model/list.h"
#include "model/warrant_sentences.h"

namespace korvane {

namespace {

class TInterpreter {
public:
  TInterpreter(TMoveTarget& target, const std::vector<std::string>& lines) : target_(target), lines_(lines) {}

  [[nodiscard]] std::size_t Count() const { return lines_.size(); }

  // Interprets the block that starts at line i; returns the next line to examine.
  // Every line a block needs is read before the block makes a move.
  std::size_t Block(std::size_t i) {
    const std::string& first = lines_[i];
    if (first == kStatementKeyword) return StatementBlock(i);
    if (first == kConclusionKeyword) return ConclusionBlock(i);
    if (first == kExceptionKeyword) return ExceptionBlock(i);
    if (first == kStepWarrantKeyword || first == kUndercutterWarrantKeyword) return i + 2;
    if (first == kIfKeyword) return Rule(i);
    const std::string sentence = Trim(first);
    if (!sentence.empty()) target_.PerformStatementMove(Line().NewStatement(sentence, kAssumption));
    return i + 1;
  }

private:
  TLineOfArgumentation& Line() const { return target_.Line(); }

  const std::string& At(std::size_t index) const {
    // Required as is: this text for a block cut short (pinned by tests/files/interpreter_test.cpp).
    if (index >= lines_.size()) throw TCommandError(TCommandErrorKind::Interpretation, kListIndexError);
    return lines_[index];
  }

  std::size_t StatementBlock(std::size_t i) {
    const std::string& sentenceLine = At(i + 1);
    TStatement* s = Line().NewStatement(std::string(), kIssue);
    ReadSentenceLine(sentenceLine, *s);
    target_.PerformStatementMove(s);
    return i + 2;
  }

  std::size_t ConclusionBlock(std::size_t i) {
    const std::string& conclusion = At(i + 1);
    if (At(i + 2) != kReasonKeyword) return i + 1;
    const std::string& reason = At(i + 3);
    TReasonConclusion* c = Line().NewReasonConclusion();
    ReadSentenceLine(conclusion, *c->Conclusion);
    ReadSentenceLine(reason, *c->Reason);
    target_.PerformReasonConclusionMove(c);
    return i + 4;
  }

  std::size_t ExceptionBlock(std::size_t i) {
    const std::string& exception = At(i + 1);
    if (At(i + 2) != kConclusionKeyword) return i + 1;
    const std::string& conclusion = At(i + 3);
    if (At(i + 4) != kReasonKeyword) return i + 1;
    const std::string& reason = At(i + 5);
    TReasonConclusion* c = Line().NewReasonConclusion();
    TStatement* e = Line().NewStatement(std::string(), kIssue);
    ReadSentenceLine(exception, *e);
    ReadSentenceLine(conclusion, *c->Conclusion);
    ReadSentenceLine(reason, *c->Reason);
    c->Exceptions.Add(e);
    target_.PerformExceptionMove(c);
    return i + 6;
  }

  std::size_t Rule(std::size_t i) {
    const std::string reason = Trim(At(i + 1));
    if (At(i + 2) != kThenKeyword) return i + 1;
    if (At(i + 3) == kDefeatedKeyword) {
      const std::string conclusion = Trim(At(i + 4));
      RuleMoves(reason, conclusion, kDefeating);
      return i + 5;
    }
    const std::string conclusion = Trim(At(i + 3));
    // Required as is: reads past the conclusion, even at the end (pinned by tests/files/interpreter_test.cpp).
    if (At(i + 4) == kUnlessKeyword) {
      const std::string exception = Trim(At(i + 5));
      TReasonConclusion* c = Connection(reason, conclusion, kSupporting);
      c->Exceptions.Add(Line().NewStatement(exception, kIssue));
      target_.PerformExceptionMove(c);
      return i + 6;
    }
    RuleMoves(reason, conclusion, kSupporting);
    return i + 4;
  }

  // A rule without exception states its step warrant as an assumption, then connects.
  void RuleMoves(const std::string& reason, const std::string& conclusion, TConnectionKind kind) {
    target_.PerformStatementMove(Line().NewStatement(StepWarrantSentence(reason, conclusion, kind), kAssumption));
    target_.PerformReasonConclusionMove(Connection(reason, conclusion, kind));
  }

  TReasonConclusion* Connection(const std::string& reason, const std::string& conclusion, TConnectionKind kind) {
    TReasonConclusion* c = Line().NewReasonConclusion();
    c->Reason->Sentence = reason;
    c->Reason->StatementType = kIssue;
    c->Conclusion->Sentence = conclusion;
    c->Conclusion->StatementType = kIssue;
    c->ConnectionKind = kind;
    return c;
  }

  TMoveTarget& target_;
  const std::vector<std::string>& lines_;
};

}  // namespace

void InterpretTextLines(const std::vector<std::string>& lines, TMoveTarget& target,
                        const std::function<void(std::size_t line)>& progress) {
  TInterpreter interpreter(target, lines);
  try {
    std::size_t i = 0;
    while (i < interpreter.Count()) {
      if (i % 10 == 0) progress(i);
      i = interpreter.Block(i);
    }
  } catch (const TEvaluationLimitError& error) {
    throw TCommandError(TCommandErrorKind::Interpretation, error.what());
  }
}

}  // namespace korvane
