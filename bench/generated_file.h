// A generated line written as a .lin file, as several benchmarks open it.
#pragma once

#include <unistd.h>

#include <string>

#include "document/session.h"
#include "line_generator.h"

namespace korvane::bench {

// Interpreting asks nothing; anything asked while a file is made is answered as Escape would.
class EscapeAsker : public TAsker {
public:
  TAnswer Ask(const TMessage& message) override { return message.Escape; }
};

inline std::string TemporaryPath(const std::string& name) {
  return "/tmp/korvane-bench-" + std::to_string(getpid()) + "-" + name + ".lin";
}

// A generated line made move by move through the session, written as a file. The stages
// are not evaluated on the way: only the file is wanted, and the largest lines would take
// minutes move by move.
inline std::string WriteGeneratedLine(int moves) {
  EscapeAsker asker;
  TPlainTextHost host;
  TSession session(asker, host);
  TLineOfArgumentation& line = session.Line();
  line.CurrentStage->SetEvaluationPostponed(true);
  for (const test::GeneratedMove& m : LineGenerator(2026).Moves(moves)) {
    if (m.kind == test::GeneratedMove::Statement) {
      session.PerformStatementMove(line.NewStatement(m.sentence, m.type));
      continue;
    }
    TReasonConclusion* c = line.NewReasonConclusion();
    test::FillConnection(*c, m);
    if (m.kind == test::GeneratedMove::ReasonConclusion) {
      session.PerformReasonConclusionMove(c);
    } else {
      c->Exceptions.Add(line.NewStatement(m.sentence, m.type));
      session.PerformExceptionMove(c);
    }
  }
  const std::string path = TemporaryPath("line-" + std::to_string(moves));
  session.WriteFile(path);
  return path;
}

}  // namespace korvane::bench
