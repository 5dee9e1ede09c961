// Where the model's objects live. Lists only refer to objects; a store owns them and
// frees them all at once, so no structure is ever torn down recursively (a chain of
// a hundred thousand connections makes trees that deep).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "argument.h"
#include "dialectical_argument.h"
#include "reason_conclusion.h"
#include "stage_history.h"
#include "statement.h"

namespace korvane {

class TEvaluator;

/// A pool of objects of one class with stable addresses.
template <class T>
class TPool {
public:
  T* Make() { return &items_.emplace_back(); }
  [[nodiscard]] std::size_t Size() const { return items_.size(); }

private:
  std::deque<T> items_;
};

/// Statements, connections and arguments of one document. The stages of a line of
/// argumentation share one store, and so share these objects; they live until the
/// last stage holding the store is gone.
class TModelStore {
public:
  /// An issue with an empty sentence and no identifier, unevaluated.
  TStatement* NewStatement() { return statements_.Make(); }
  TStatement* NewStatement(std::string sentence, TStatementType type) {
    TStatement* s = statements_.Make();
    s->Sentence = std::move(sentence);
    s->StatementType = type;
    return s;
  }
  /// A supporting connection from a new issue to a new assumption, without exceptions.
  TReasonConclusion* NewReasonConclusion() {
    TReasonConclusion* c = connections_.Make();
    c->Reason = NewStatement();
    c->Conclusion = NewStatement();
    c->Conclusion->StatementType = kAssumption;
    return c;
  }
  TArgument* NewArgument(TStatement* conclusion) {
    TArgument* a = arguments_.Make();
    a->Conclusion = conclusion;
    return a;
  }

  [[nodiscard]] std::size_t StatementCount() const { return statements_.Size(); }

  /// A change a move made in place to an object that stages share: a statement's type
  /// overruled, or exceptions added to a connection (or taken back by a rollback).
  struct TInPlaceChange {
    TStatement* statement;
    TReasonConclusion* connection;
  };
  /// Moves note every such change, so the evaluation need not look at every object to
  /// find them; nothing else about an object changes once it is in a stage.
  void NoteChanged(TStatement* s) { changes_.push_back({s, nullptr}); }
  void NoteChanged(TReasonConclusion* c) { changes_.push_back({nullptr, c}); }
  [[nodiscard]] const std::vector<TInPlaceChange>& Changes() const { return changes_; }
  [[nodiscard]] std::size_t ArgumentCount() const { return arguments_.Size(); }
  /// The same changes with the values before and after, kept for the moves that were made.
  [[nodiscard]] TStageHistory& History() { return history_; }

  /// The evaluator of this document; it also owns the dialectical arguments that the
  /// stages of the document share.
  [[nodiscard]] TEvaluator& Evaluator();

private:
  std::shared_ptr<TEvaluator> evaluator_;
  std::vector<TInPlaceChange> changes_;
  TStageHistory history_;
  TPool<TStatement> statements_;
  TPool<TReasonConclusion> connections_;
  TPool<TArgument> arguments_;
};

/// The dialectical arguments, steps and undercutters that an evaluation builds.
class TDialecticalStore {
public:
  TDialecticalArgument* NewDialecticalArgument(TStatement* conclusion) {
    TDialecticalArgument* d = arguments_.Make();
    d->Conclusion = conclusion;
    return d;
  }
  TStep* NewStep() { return steps_.Make(); }
  TUndercutter* NewUndercutter() { return undercutters_.Make(); }

  [[nodiscard]] std::size_t DialecticalArgumentCount() const { return arguments_.Size(); }

private:
  TPool<TDialecticalArgument> arguments_;
  TPool<TStep> steps_;
  TPool<TUndercutter> undercutters_;
};

}  // namespace korvane
