// A line of argumentation made from the fuzz bytes by the dialogs' entry points (every
// question answered Yes), then one deletion of a statement, a connection or an
// exception of its final stage. The deleted item and its own warrant must be gone and
// every other statement, connection and exception must still be there, types included.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_session.h"
#include "model/warrant_sentences.h"

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// Few sentences, so that moves meet, repeat and overrule each other.
const char* const kWords[] = {"a", "b", "c", "d", " a", "a "};
constexpr std::size_t kWordCount = sizeof kWords / sizeof *kWords;
constexpr int kMaxMoves = 14;
// Connections forming cycles make the exact evaluation grow exponentially.
constexpr int kMaxConnectingMoves = 6;

std::string Word(FuzzedDataProvider& in) { return kWords[in.ConsumeIntegralInRange<std::size_t>(0, kWordCount - 1)]; }

// A sentence: mostly a plain word, sometimes a warrant of words, sometimes fuzz bytes
// (without line ends, which no dialog or file can put into a sentence).
std::string Sentence(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: {
      const std::string r = Word(in);
      const std::string c = Word(in);
      return StepWarrantSentence(r, c, kSupporting);
    }
    case 1: {
      const std::string e = Word(in);
      const std::string r = Word(in);
      const std::string c = Word(in);
      return UndercutterWarrantSentence(e, r, c);
    }
    case 2: {
      std::string s = in.ConsumeRandomLengthString(6);
      s.erase(std::remove_if(s.begin(), s.end(), [](char ch) { return ch == '\r' || ch == '\n'; }), s.end());
      return s;
    }
    default: return Word(in);
  }
}

TStatementType Type(FuzzedDataProvider& in) { return in.ConsumeBool() ? kIssue : kAssumption; }

using TConnectionKey = std::pair<std::string, std::string>;

struct TSnapshot {
  std::map<std::string, TStatementType> Statements;
  std::map<TConnectionKey, std::set<std::string>> Connections;
};

TSnapshot Take(const TArgumentationStage& stage) {
  TSnapshot s;
  for (const TStatement* x : stage.Statements) s.Statements[x->Sentence] = x->StatementType;
  for (const TReasonConclusion* c : stage.ReasonConclusions) {
    std::set<std::string>& exceptions = s.Connections[{c->Reason->Sentence, c->Conclusion->Sentence}];
    for (const TStatement* e : c->Exceptions) exceptions.insert(e->Sentence);
  }
  return s;
}

void CheckIds(const TArgumentationStage& stage) {
  std::set<std::string> ids;
  for (const TStatement* x : stage.Statements) {
    Check(!x->Id.empty() && x->Id[0] != '0', "every statement has a positive identifier");
    Check(ids.insert(x->Id).second, "identifiers are unique");
  }
}

// What must remain after deleting: everything before, except what names a gone sentence,
// minus the deleted connection or exception itself.
TSnapshot Expected(const TSnapshot& before, const std::set<std::string>& gone, const TConnectionKey* connection,
                   const std::string* exception) {
  TSnapshot after;
  for (const auto& [sentence, type] : before.Statements)
    if (!gone.count(sentence)) after.Statements[sentence] = type;
  for (const auto& [key, exceptions] : before.Connections) {
    if (gone.count(key.first) || gone.count(key.second)) continue;
    if (connection && !exception && key == *connection) continue;
    std::set<std::string>& kept = after.Connections[key];
    for (const std::string& e : exceptions) {
      if (gone.count(e)) continue;
      if (exception && key == *connection && e == *exception) continue;
      kept.insert(e);
    }
  }
  return after;
}

// The sentences that some move names in two of its roles (a connection from x to x, an
// exception that is also the conclusion). The rewrite takes only the first role of the
// deleted sentence out, so the other may stay; and a split move states the roles in text
// order, so such a sentence may end with the other role's type. Both choices are the
// deletions' own and tested with them; here those sentences are checked less.
std::set<std::string> TwoRoleSentences(const TLineOfArgumentation& line) {
  std::set<std::string> twice;
  for (const TArgumentationMove* m : line.ArgumentationMoves) {
    std::map<std::string, int> roles;
    for (const std::string& l : m->Move)
      if (l.size() >= 5 && l.compare(0, 2, "  ") == 0 && ++roles[l.substr(5)] == 2) twice.insert(l.substr(5));
  }
  return twice;
}

std::set<std::string> Loose(const std::set<std::string>& twoRoles, const std::set<std::string>& gone) {
  std::set<std::string> loose;
  for (const std::string& g : gone)
    if (twoRoles.count(g)) loose.insert(g);
  return loose;
}

void Compare(const TSnapshot& expected, const TSnapshot& actual, const std::set<std::string>& loose,
             const std::set<std::string>& twoRoles) {
  const auto isLoose = [&](const std::string& s) { return loose.count(s) > 0; };
  for (const auto& [sentence, type] : expected.Statements) {
    const auto found = actual.Statements.find(sentence);
    if (found == actual.Statements.end()) Fail("statement lost: '" + sentence + "'");
    if (found->second != type && !twoRoles.count(sentence)) Fail("statement changed its type: '" + sentence + "'");
  }
  for (const auto& [sentence, type] : actual.Statements)
    if (!expected.Statements.count(sentence) && !isLoose(sentence)) Fail("statement not deleted: '" + sentence + "'");
  for (const auto& [key, exceptions] : expected.Connections) {
    const auto found = actual.Connections.find(key);
    if (found == actual.Connections.end()) Fail("connection lost: '" + key.first + "' -> '" + key.second + "'");
    std::set<std::string> kept = found->second;
    for (const std::string& l : loose) kept.erase(l);
    if (kept != exceptions) Fail("exceptions changed: '" + key.first + "' -> '" + key.second + "'");
  }
  for (const auto& [key, exceptions] : actual.Connections)
    if (!expected.Connections.count(key) && !isLoose(key.first) && !isLoose(key.second))
      Fail("connection not deleted: '" + key.first + "' -> '" + key.second + "'");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  TFuzzSession f;
  TSession& session = f.Session;
  TLineOfArgumentation* line = &session.Line();
  line->FileName = "fuzz.lin";

  const int moves = in.ConsumeIntegralInRange(1, kMaxMoves);
  int connecting = 0;
  for (int k = 0; k < moves && in.remaining_bytes() > 0; ++k) {
    const int kind = in.ConsumeIntegralInRange(0, 2);
    if (kind == 0 || connecting >= kMaxConnectingMoves) {
      const std::string s = Sentence(in);
      session.PerformStatementMove(line->NewStatement(s, Type(in)));
      continue;
    }
    ++connecting;
    TReasonConclusion* c = line->NewReasonConclusion();
    c->Reason->Sentence = Sentence(in);
    c->Reason->StatementType = Type(in);
    c->Conclusion->Sentence = Sentence(in);
    c->Conclusion->StatementType = Type(in);
    if (kind == 1) {
      session.PerformReasonConclusionMove(c);
    } else {
      const std::string e = Sentence(in);
      c->Exceptions.Add(line->NewStatement(e, Type(in)));
      session.PerformExceptionMove(c);
    }
  }
  CheckLineShape(*line);

  const std::vector<std::string> textBefore = line->Text();
  const TArgumentationStage& stage = *line->CurrentStage;
  const TSnapshot before = Take(stage);
  const int what = in.ConsumeIntegralInRange(0, 2);
  const int askedBefore = f.Asker.Asked();
  bool done = false;
  TSnapshot expected;
  std::set<std::string> loose;
  const std::set<std::string> twoRoles = TwoRoleSentences(*line);
  if (what == 0) {
    if (stage.Statements.Count() == 0) return 0;
    const TStatement* x = stage.Statements[in.ConsumeIntegralInRange<std::size_t>(0, stage.Statements.Count() - 1)];
    expected = Expected(before, {x->Sentence}, nullptr, nullptr);
    loose = Loose(twoRoles, {x->Sentence});
    done = session.PerformDeleteStatement(const_cast<TStatement*>(x));
  } else if (what == 1) {
    if (stage.ReasonConclusions.Count() == 0) return 0;
    TReasonConclusion* c =
        stage.ReasonConclusions[in.ConsumeIntegralInRange<std::size_t>(0, stage.ReasonConclusions.Count() - 1)];
    const TConnectionKey key{c->Reason->Sentence, c->Conclusion->Sentence};
    const std::string warrant = StepWarrantSentence(key.first, key.second, kSupporting);
    expected = Expected(before, {warrant}, &key, nullptr);
    loose = Loose(twoRoles, {warrant});
    done = session.PerformDeleteReasonConclusion(c);
  } else {
    std::vector<std::pair<const TReasonConclusion*, const TStatement*>> blocked;
    for (const TReasonConclusion* c : stage.ReasonConclusions)
      for (const TStatement* e : c->Exceptions) blocked.emplace_back(c, e);
    if (blocked.empty()) return 0;
    const auto [existing, e] = blocked[in.ConsumeIntegralInRange<std::size_t>(0, blocked.size() - 1)];
    const TConnectionKey key{existing->Reason->Sentence, existing->Conclusion->Sentence};
    const std::string exception = e->Sentence;
    TReasonConclusion* c = line->NewReasonConclusion();
    c->Reason->Sentence = key.first;
    c->Conclusion->Sentence = key.second;
    c->Exceptions.Add(line->NewStatement(exception, kIssue));
    const std::string warrant = UndercutterWarrantSentence(exception, key.first, key.second);
    expected = Expected(before, {warrant}, &key, &exception);
    loose = Loose(twoRoles, {warrant});
    done = session.PerformDeleteException(c);
  }
  Check(done, "a deletion of what the stage holds is made");
  Check(f.Asker.Asked() - askedBefore == 1, "a deletion asks exactly one question");

  const TLineOfArgumentation& rebuilt = session.Line();
  FailureContext() = "before:\n" + Show(textBefore) + "after:\n" + Show(rebuilt.Text());
  Check(rebuilt.Modified, "a rebuilt line is modified");
  Check(rebuilt.FileName == "fuzz.lin", "a rebuilt line keeps its file name");
  CheckLineShape(rebuilt);
  CheckIds(*rebuilt.CurrentStage);
  Compare(expected, Take(*rebuilt.CurrentStage), loose, twoRoles);
  return 0;
}
