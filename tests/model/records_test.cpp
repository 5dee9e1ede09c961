#include <gtest/gtest.h>

#include "model/argument.h"
#include "model/dialectical_argument.h"
#include "model/model_store.h"

namespace korvane {
namespace {

TEST(Records, CreationDefaults) {
  TModelStore store;
  const TStatement* s = store.NewStatement();
  EXPECT_EQ(s->Sentence, "");
  EXPECT_EQ(s->Id, "");
  EXPECT_EQ(s->StatementType, kIssue);
  EXPECT_EQ(s->Status, kUnevaluated);

  const TReasonConclusion* c = store.NewReasonConclusion();
  ASSERT_NE(c->Reason, nullptr);
  ASSERT_NE(c->Conclusion, nullptr);
  EXPECT_NE(c->Reason, c->Conclusion);
  EXPECT_EQ(c->Reason->StatementType, kIssue);
  EXPECT_EQ(c->Conclusion->StatementType, kAssumption);
  EXPECT_EQ(c->ConnectionKind, kSupporting);
  EXPECT_EQ(c->Exceptions.Count(), 0);

  const TArgument* a = store.NewArgument(store.NewStatement());
  EXPECT_EQ(a->InitialArguments.Count(), 0);
  EXPECT_EQ(a->DefeatStatus, kUnevaluated);

  TDialecticalStore dialectical;
  const TDialecticalArgument* d = dialectical.NewDialecticalArgument(store.NewStatement());
  EXPECT_EQ(d->Status, kUnevaluated);
  EXPECT_EQ(d->Steps.Count(), 0);
  const TStep* step = dialectical.NewStep();
  EXPECT_EQ(step->ConnectionKind, kSupporting);
  EXPECT_EQ(step->WarrantingDialecticalArgument, nullptr);
  EXPECT_EQ(step->WarrantStatus, kWarrantHolds);
  const TUndercutter* u = dialectical.NewUndercutter();
  EXPECT_EQ(u->WarrantingDialecticalArgument, nullptr);
  EXPECT_EQ(u->WarrantStatus, kWarrantHolds);
}

TEST(Records, StoredObjectsKeepTheirAddresses) {
  TModelStore store;
  TStatement* first = store.NewStatement("first", kIssue);
  for (int i = 0; i < 10000; ++i) (void)store.NewStatement(std::to_string(i), kAssumption);
  EXPECT_EQ(first->Sentence, "first");
}

}  // namespace
}  // namespace korvane
