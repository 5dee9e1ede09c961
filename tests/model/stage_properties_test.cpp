// Properties that must hold after every move, checked over many generated move sequences.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>
#include <utility>

#include "model/warrant_sentences.h"
#include "stage_builder.h"

namespace korvane {
namespace {

using test::StageBuilder;

struct ListsSnapshot {
  std::vector<const void*> statements, connections, dialectical, maximal, arguments;
};

template <class T>
std::vector<const void*> Pointers(const TList<T>& list) {
  return std::vector<const void*>(list.begin(), list.end());
}

ListsSnapshot Snapshot(const TArgumentationStage& s) {
  return {Pointers(s.Statements), Pointers(s.ReasonConclusions), Pointers(s.DialecticalArguments),
          Pointers(s.MaximalDialecticalArguments), Pointers(s.Arguments)};
}

bool SameLists(const ListsSnapshot& a, const ListsSnapshot& b) {
  return a.statements == b.statements && a.connections == b.connections && a.dialectical == b.dialectical &&
         a.maximal == b.maximal && a.arguments == b.arguments;
}

// Checks the invariants of a built dialectical argument; returns its depth.
int CheckTree(const TDialecticalArgument* d, int depthLeft) {
  EXPECT_GE(depthLeft, 0) << "nested deeper than the stage has connections";
  if (depthLeft < 0) return 0;
  EXPECT_NE(d->Status, kUnevaluated);
  EXPECT_EQ(d->Steps.Count(), d->InitialDialecticalArguments.Count());
  int depth = 0;
  for (std::size_t i = 0; i < d->Steps.Count(); ++i) {
    const TStep* step = d->Steps[i];
    EXPECT_EQ(step->Conclusion, d->Conclusion);
    EXPECT_EQ(step->Undercutters.Count(), step->UndercuttingDialecticalArguments.Count());
    EXPECT_EQ(d->InitialDialecticalArguments[i]->Conclusion->Sentence, step->Reason->Sentence);
    depth = std::max(depth, 1 + CheckTree(d->InitialDialecticalArguments[i], depthLeft - 1));
    if (step->WarrantingDialecticalArgument)
      depth = std::max(depth, 1 + CheckTree(step->WarrantingDialecticalArgument, depthLeft - 1));
    for (std::size_t k = 0; k < step->Undercutters.Count(); ++k) {
      const TUndercutter* u = step->Undercutters[k];
      EXPECT_EQ(u->Conclusion, step->Conclusion);
      EXPECT_EQ(u->Reason, step->Reason);
      EXPECT_EQ(step->UndercuttingDialecticalArguments[k]->Conclusion->Sentence, u->Exception->Sentence);
      depth = std::max(depth, 1 + CheckTree(step->UndercuttingDialecticalArguments[k], depthLeft - 1));
      if (u->WarrantingDialecticalArgument)
        depth = std::max(depth, 1 + CheckTree(u->WarrantingDialecticalArgument, depthLeft - 1));
    }
  }
  return depth;
}

void CheckStage(const TArgumentationStage& stage) {
  std::set<std::string> sentences, ids;
  for (const TStatement* s : stage.Statements) {
    EXPECT_TRUE(sentences.insert(s->Sentence).second) << "duplicate sentence " << s->Sentence;
    EXPECT_TRUE(s->Status == kJustified || s->Status == kUnjustified) << s->Sentence;
    EXPECT_FALSE(s->Id.empty());
    EXPECT_EQ(s->Id.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_TRUE(ids.insert(s->Id).second) << "duplicate id " << s->Id;
  }
  std::set<std::pair<std::string, std::string>> pairs;
  for (const TReasonConclusion* c : stage.ReasonConclusions) {
    EXPECT_TRUE(pairs.insert({c->Reason->Sentence, c->Conclusion->Sentence}).second);
    EXPECT_NE(stage.Statements.IndexOf(c->Conclusion), std::nullopt);
    if (c->Reason->Sentence != c->Conclusion->Sentence) {
      EXPECT_NE(stage.Statements.IndexOf(c->Reason), std::nullopt);
    }
    for (const TStatement* e : c->Exceptions) EXPECT_NE(stage.Statements.IndexOf(e), std::nullopt);
  }
  ASSERT_EQ(stage.DialecticalArguments.Count(), stage.Statements.Count());
  for (std::size_t i = 0; i < stage.Statements.Count(); ++i) {
    const TDialecticalArgument* d = stage.DialecticalArguments[i];
    EXPECT_EQ(d->Conclusion, stage.Statements[i]);
    EXPECT_EQ(d->Status, stage.Statements[i]->Status);
    CheckTree(d, stage.ReasonConclusions.Count());
  }
  for (const TDialecticalArgument* m : stage.MaximalDialecticalArguments)
    EXPECT_NE(stage.DialecticalArguments.IndexOf(m), std::nullopt);
  if (stage.Statements.Count() > 0) {
    EXPECT_GT(stage.MaximalDialecticalArguments.Count(), 0u);
  }
}

class Generator {
public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // One random move on the builder's current stage, of a small pool of sentences, with
  // warrants of existing connections, repeated sentences and both roles filled by one.
  std::unique_ptr<TArgumentationStage> Move(StageBuilder& b) {
    const TArgumentationStage& stage = b.Current();
    const int kind = Pick(10);
    if (kind < 4) return stage.DoStatementMove(b.NewStatement(Sentence(stage), Type()));
    std::string reason = Sentence(stage), conclusion = Sentence(stage);
    TReasonConclusion* c = b.NewConnection(reason, Type(), conclusion, Type(), Pick(5) == 0 ? kDefeating : kSupporting);
    if (kind < 8) return stage.DoReasonConclusionMove(c);
    c->Exceptions.Add(b.NewStatement(Sentence(stage), Type()));
    return stage.DoExceptionMove(c);
  }

private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  TStatementType Type() { return Pick(2) == 0 ? kIssue : kAssumption; }
  std::string Sentence(const TArgumentationStage& stage) {
    const int count = static_cast<int>(stage.ReasonConclusions.Count());
    if (count > 0 && Pick(6) == 0) {
      const TReasonConclusion* c = stage.ReasonConclusions[Pick(count)];
      if (c->Exceptions.Count() > 0 && Pick(2) == 0)
        return UndercutterWarrantSentence(c->Exceptions[0]->Sentence, c->Reason->Sentence, c->Conclusion->Sentence);
      return StepWarrantSentence(c->Reason->Sentence, c->Conclusion->Sentence, c->ConnectionKind);
    }
    static const char* const pool[] = {"a", "b", "c", "d", "e", "f"};
    return pool[Pick(6)];
  }

  std::mt19937 random_;
};

TEST(StageProperties, HoldAfterEveryGeneratedMove) {
  for (unsigned seed = 1; seed <= 1000; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Generator generator(seed);
    StageBuilder b;
    for (int move = 0; move < 10 && b.Current().ReasonConclusions.Count() < 7; ++move) {
      const TArgumentationStage& before = b.Current();
      const ListsSnapshot snapshot = Snapshot(before);
      b.Keep(generator.Move(b));
      EXPECT_TRUE(SameLists(snapshot, Snapshot(before))) << "a move changed the lists of its receiver";
      CheckStage(b.Current());
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace korvane
