// How a stage is evaluated, as one value: the rules its moves follow and what its lists
// hold now. Every transition is listed here; nothing else changes either part.
//
//   Rules, passed on to every stage a move makes:
//     Fast       each move's stage is evaluated by the document's evaluator, which shares
//                work with the stage the move started from.
//     Plain      each move's stage is evaluated by the plain rules, the intermediate stages
//                of compound moves included: the check the fast evaluation is held to.
//     Postponed  a replay: no move is evaluated and every stage made is released, since
//                nothing shows the stages in between; EvaluatePostponed evaluates the last.
//   Lists:
//     Evaluated  hold this stage's evaluation (or will, once the move making it ends).
//     Deferred   an intermediate stage of a compound move: the move's final stage
//                overwrites every status and drops these lists, so it evaluates instead.
//     Released   emptied, since a line shows its current stage only; EnsureEvaluated
//                fills them again.
//
//   Transitions:
//     a new stage                        Fast, Evaluated
//     SetPlain(true)                     any rules -> Plain
//     SetPlain(false)                    Plain -> Fast
//     SetPostponed(true)                 Fast -> Postponed; Plain ignores it
//     SetPostponed(false)                Postponed -> Fast
//     ForMove (a move copies the stage)  same rules; Deferred stays Deferred, else Evaluated
//     Defer (a compound move begins)     Evaluated or Deferred -> Deferred
//     ResumeAs (a compound move ends)    Deferred -> the receiver's: Deferred or Evaluated
//     AtEndOfMove                        Plain, or Fast and not Deferred: Evaluate;
//                                        Postponed and not Deferred: Release; else Leave
//     Release                            Evaluated or Released -> Released
//     Refilled (EnsureEvaluated)         Released -> Evaluated
//     PostponedEvaluated                 Released -> Evaluated, and Postponed -> Fast
//
//   Cannot happen: Deferred and Released at once (an intermediate stage is never kept,
//   and a released one is never an intermediate); postponing under the plain rules.
#pragma once

#include <cassert>
#include <cstdint>

namespace korvane {

class TEvaluationPath {
public:
  enum class TRules : std::uint8_t { Fast, Plain, Postponed };
  enum class TLists : std::uint8_t { Evaluated, Deferred, Released };
  /// What the end of a move does with the stage it made.
  enum class TFinish : std::uint8_t { Evaluate, Release, Leave };

  [[nodiscard]] TRules Rules() const { return rules_; }
  [[nodiscard]] TLists Lists() const { return lists_; }
  [[nodiscard]] bool Plain() const { return rules_ == TRules::Plain; }
  [[nodiscard]] bool Postponing() const { return rules_ == TRules::Postponed; }
  [[nodiscard]] bool Deferred() const { return lists_ == TLists::Deferred; }
  [[nodiscard]] bool Released() const { return lists_ == TLists::Released; }

  void SetPlain(bool plain) {
    if (plain)
      rules_ = TRules::Plain;
    else if (rules_ == TRules::Plain)
      rules_ = TRules::Fast;
  }
  void SetPostponed(bool postponed) {
    if (postponed && rules_ == TRules::Fast)
      rules_ = TRules::Postponed;
    else if (!postponed && rules_ == TRules::Postponed)
      rules_ = TRules::Fast;
  }

  /// The path of the stage a move makes from this one.
  [[nodiscard]] TEvaluationPath ForMove() const {
    TEvaluationPath next;
    next.rules_ = rules_;
    next.lists_ = Deferred() ? TLists::Deferred : TLists::Evaluated;
    return next;
  }
  void Defer() {
    assert(lists_ != TLists::Released);
    lists_ = TLists::Deferred;
  }
  /// A compound move's stage, once its inner moves are made, is finished as the receiver's would be.
  void ResumeAs(const TEvaluationPath& receiver) {
    assert(lists_ == TLists::Deferred && rules_ == receiver.rules_);
    lists_ = receiver.Deferred() ? TLists::Deferred : TLists::Evaluated;
  }
  [[nodiscard]] TFinish AtEndOfMove() const {
    assert(lists_ != TLists::Released);
    if (rules_ == TRules::Plain) return TFinish::Evaluate;
    if (Deferred()) return TFinish::Leave;
    return rules_ == TRules::Postponed ? TFinish::Release : TFinish::Evaluate;
  }

  void Release() {
    assert(lists_ != TLists::Deferred);
    lists_ = TLists::Released;
  }
  void Refilled() {
    assert(lists_ == TLists::Released);
    lists_ = TLists::Evaluated;
  }
  void PostponedEvaluated() {
    assert(lists_ == TLists::Released && rules_ != TRules::Plain);
    rules_ = TRules::Fast;
    lists_ = TLists::Evaluated;
  }

private:
  TRules rules_ = TRules::Fast;
  TLists lists_ = TLists::Evaluated;
};

}  // namespace korvane
