#include "document/explanation_text.h"

#include <vector>

namespace korvane {

namespace {

class TTeller {
public:
  explicit TTeller(const TSentenceShown& shown) : shown_(shown) {}

  std::string Tell(const TStatementExplanation& x) const {
    const std::string verdict = StatusWord(x.Status);
    if (x.Status == kUnevaluated) return verdict;
    if (x.StatementType == kAssumption) return verdict + ": it is an assumption";
    if (x.Steps.empty()) return verdict + ": it is an issue and no reason has been given for it";
    std::vector<const TStepExplanation*> counting;
    for (const TStepExplanation& step : x.Steps)
      if (step.Counts) counting.push_back(&step);
    if (x.Status == kJustified) {
      if (counting.empty()) return verdict + ": no step counts, yet its dialectical argument is justified";
      return verdict + ": " + Counting(counting, x.Steps.size());
    }
    if (!counting.empty()) return verdict + ": a step counts, yet its dialectical argument is not justified";
    if (x.Steps.size() == 1) {
      const TStepExplanation& only = x.Steps.front();
      const std::string from = only.ConnectionKind == kDefeating ? ", a defeating one from " : ", from ";
      return verdict + ": its only step" + from + Quoted(only.Reason) + ", " + Failure(only);
    }
    std::string text = verdict + ": none of its " + std::to_string(x.Steps.size()) + " steps counts: ";
    for (std::size_t i = 0; i < x.Steps.size(); ++i)
      text += (i ? "; " : "") + StepName(x.Steps[i]) + " " + Failure(x.Steps[i]);
    return text;
  }

  std::string TellStep(const TStepExplanation& step) const {
    if (step.Counts) return StepName(step) + " counts (" + Details(step) + ")";
    return StepName(step) + " " + Failure(step);
  }

  std::string TellUndercutter(const TStepExplanation& step, const TUndercutterExplanation& u) const {
    const std::string exception = "the exception " + Quoted(u.Exception);
    if (u.Blocks)
      return exception + " blocks " + StepName(step) + " (" +
             (u.Warrant ? "its undercutter warrant is stated and justified" : "its undercutter warrant is not stated") +
             "; the exception is justified)";
    std::string causes;
    if (!u.WarrantHolds) causes = "its undercutter warrant is stated but not justified";
    if (!u.ExceptionJustified)
      causes += (causes.empty() ? "the exception " : " and the exception ") + NotJustified(u.ExceptionJustifiedInStage);
    return exception + " does not block " + StepName(step) + ", as " + causes;
  }

private:
  static std::string StatusWord(TStatus status) {
    switch (status) {
      case kJustified: return "justified";
      case kUnjustified: return "unjustified";
      default: return "unevaluated";
    }
  }

  std::string Quoted(const TStatement* s) const { return "'" + (shown_ ? shown_(s->Sentence) : s->Sentence) + "'"; }

  std::string StepName(const TStepExplanation& step) const {
    return (step.ConnectionKind == kDefeating ? "the defeating step from " : "the step from ") + Quoted(step.Reason);
  }

  // "the exception 'e'", "the exceptions 'e' and 'f'", "the exceptions 'e', 'f' and 'g'".
  std::string Exceptions(const std::vector<const TStatement*>& exceptions) const {
    std::string text = exceptions.size() == 1 ? "the exception " : "the exceptions ";
    for (std::size_t i = 0; i < exceptions.size(); ++i) {
      if (i > 0) text += i + 1 == exceptions.size() ? " and " : ", ";
      text += Quoted(exceptions[i]);
    }
    return text;
  }

  // A statement justified in the stage can still fail under a step: there it is argued
  // without the step's own connection, which its justification needs.
  static std::string NotJustified(bool justifiedInStage) {
    return justifiedInStage ? "is justified only by way of this step's own connection" : "is not justified";
  }

  // What keeps a step from counting, as a predicate of the step: every condition that fails.
  std::string Failure(const TStepExplanation& step) const {
    std::vector<const TStatement*> blocking;
    for (const TUndercutterExplanation& u : step.Undercutters)
      if (u.Blocks) blocking.push_back(u.Exception);
    std::vector<std::string> causes;
    if (!step.WarrantHolds) causes.push_back("its warrant is stated but not justified");
    if (!step.ReasonJustified) causes.push_back("its reason " + NotJustified(step.ReasonJustifiedInStage));
    if (causes.empty()) return "is blocked by " + Exceptions(blocking);
    if (!blocking.empty()) causes.push_back("it is blocked by " + Exceptions(blocking));
    std::string text = "does not count, as ";
    for (std::size_t i = 0; i < causes.size(); ++i) {
      if (i > 0) text += i + 1 == causes.size() ? " and " : ", ";
      text += causes[i];
    }
    return text;
  }

  // Why a counting step counts: its warrant, then each exception that fails to block it.
  std::string Details(const TStepExplanation& step) const {
    std::string text = step.Warrant ? "its warrant is stated and justified" : "its warrant is not stated";
    if (step.Undercutters.empty()) return text + "; no exception blocks it";
    for (const TUndercutterExplanation& u : step.Undercutters) {
      text += "; the exception " + Quoted(u.Exception);
      text += u.WarrantHolds ? " " + NotJustified(u.ExceptionJustifiedInStage)
                             : " does not block it, as its undercutter warrant is not justified";
    }
    return text;
  }

  std::string Counting(const std::vector<const TStepExplanation*>& counting, std::size_t total) const {
    if (counting.size() == 1) {
      std::string text = StepName(*counting.front()) + " counts (" + Details(*counting.front()) + ")";
      if (total == 2) text += ", though its other step does not";
      if (total > 2) text += ", though its other " + std::to_string(total - 1) + " steps do not";
      return text;
    }
    std::string text = counting.size() < total
                           ? std::to_string(counting.size()) + " of its " + std::to_string(total) + " steps count, "
                       : total == 2 ? std::string("both of its steps count, ")
                                    : "all " + std::to_string(total) + " of its steps count, ";
    for (std::size_t i = 0; i < counting.size(); ++i) {
      if (i > 0) text += i + 1 == counting.size() ? " and " : ", ";
      text += "from " + Quoted(counting[i]->Reason);
      if (counting[i]->ConnectionKind == kDefeating) text += " (defeating)";
    }
    return text;
  }

  const TSentenceShown& shown_;
};

}  // namespace

std::string WhySentence(const TStatementExplanation& explanation, const TSentenceShown& shown) {
  return TTeller(shown).Tell(explanation);
}

std::string StepWhySentence(const TStepExplanation& step, const TSentenceShown& shown) {
  return TTeller(shown).TellStep(step);
}

std::string UndercutterWhySentence(const TStepExplanation& step, const TUndercutterExplanation& undercutter,
                                   const TSentenceShown& shown) {
  return TTeller(shown).TellUndercutter(step, undercutter);
}

}  // namespace korvane
