// Builds stages move by move for the model's tests, keeping every stage alive.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/argumentation_stage.h"

namespace korvane::test {

class StageBuilder {
public:
  StageBuilder() { stages_.push_back(std::make_unique<TArgumentationStage>(store_)); }

  [[nodiscard]] TArgumentationStage& Current() const { return *stages_.back(); }
  [[nodiscard]] TArgumentationStage& Stage(int index) const { return *stages_.at(static_cast<std::size_t>(index)); }
  [[nodiscard]] TModelStore& Store() const { return *store_; }

  TStatement* NewStatement(const std::string& sentence, TStatementType type) {
    return store_->NewStatement(sentence, type);
  }

  TReasonConclusion* NewConnection(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
                                   TStatementType conclusionType, TConnectionKind kind = kSupporting) {
    TReasonConclusion* c = store_->NewReasonConclusion();
    c->Reason->Sentence = reason;
    c->Reason->StatementType = reasonType;
    c->Conclusion->Sentence = conclusion;
    c->Conclusion->StatementType = conclusionType;
    c->ConnectionKind = kind;
    return c;
  }

  TArgumentationStage& State(const std::string& sentence, TStatementType type) {
    return Keep(Current().DoStatementMove(NewStatement(sentence, type)));
  }
  TArgumentationStage& Connect(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
                               TStatementType conclusionType, TConnectionKind kind = kSupporting) {
    return Keep(Current().DoReasonConclusionMove(NewConnection(reason, reasonType, conclusion, conclusionType, kind)));
  }
  TArgumentationStage& Except(const std::string& exception, TStatementType exceptionType, const std::string& reason,
                              TStatementType reasonType, const std::string& conclusion, TStatementType conclusionType) {
    TReasonConclusion* c = NewConnection(reason, reasonType, conclusion, conclusionType);
    c->Exceptions.Add(NewStatement(exception, exceptionType));
    return Keep(Current().DoExceptionMove(c));
  }

  /// The current stage's statement with this sentence, or null.
  [[nodiscard]] TStatement* Find(const std::string& sentence) const {
    TStatement* found = nullptr;
    return Current().SentenceIsStatementSentence(sentence, found) ? found : nullptr;
  }
  /// The current stage's dialectical argument of the statement with this sentence, or null.
  [[nodiscard]] TDialecticalArgument* Dialectical(const std::string& sentence) const {
    const TArgumentationStage& stage = Current();
    for (std::size_t i = 0; i < stage.Statements.Count(); ++i)
      if (stage.Statements[i]->Sentence == sentence) return stage.DialecticalArguments[i];
    return nullptr;
  }
  [[nodiscard]] TStatus StatusOf(const std::string& sentence) const { return Find(sentence)->Status; }

  TArgumentationStage& Keep(std::unique_ptr<TArgumentationStage> stage) {
    stages_.push_back(std::move(stage));
    return Current();
  }

private:
  std::shared_ptr<TModelStore> store_ = std::make_shared<TModelStore>();
  std::vector<std::unique_ptr<TArgumentationStage>> stages_;
};

}  // namespace korvane::test
