// A session with a scripted asker and a plain text view, and helpers to make moves.
#pragma once

#include <string>
#include <vector>

#include "document/headless_session.h"
#include "support/scripted_asker.h"

namespace korvane::test {

inline constexpr const char* CRLF = "\r\n";

struct SessionFixture : THeadlessSession<ScriptedAsker> {
  int Refreshes = 0;

  SessionFixture() {
    Session.RefreshHook = [this] { ++Refreshes; };
  }

  TLineOfArgumentation& Line() { return Session.Line(); }
  TArgumentationStage& Stage() { return *Session.Line().CurrentStage; }

  bool State(const std::string& sentence, TStatementType type) {
    return Session.PerformStatementMove(Line().NewStatement(sentence, type));
  }
  TReasonConclusion* Connection(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
                                TStatementType conclusionType) {
    TReasonConclusion* c = Line().NewReasonConclusion();
    c->Reason->Sentence = reason;
    c->Reason->StatementType = reasonType;
    c->Conclusion->Sentence = conclusion;
    c->Conclusion->StatementType = conclusionType;
    return c;
  }
  void Connect(const std::string& reason, TStatementType reasonType, const std::string& conclusion,
               TStatementType conclusionType) {
    Session.PerformReasonConclusionMove(Connection(reason, reasonType, conclusion, conclusionType));
  }
  TReasonConclusion* ExceptionConnection(const std::string& exception, TStatementType exceptionType,
                                         const std::string& reason, TStatementType reasonType,
                                         const std::string& conclusion, TStatementType conclusionType) {
    TReasonConclusion* c = Connection(reason, reasonType, conclusion, conclusionType);
    c->Exceptions.Add(Line().NewStatement(exception, exceptionType));
    return c;
  }
  void Except(const std::string& exception, TStatementType exceptionType, const std::string& reason,
              TStatementType reasonType, const std::string& conclusion, TStatementType conclusionType) {
    Session.PerformExceptionMove(
        ExceptionConnection(exception, exceptionType, reason, reasonType, conclusion, conclusionType));
  }

  /// Interprets lines on the current line, as Append does.
  void Interpret(const std::vector<std::string>& lines) {
    Host.Lines = lines;
    Session.InterpretLines();
  }

  /// The statement of the current stage with this sentence, or null.
  TStatement* Find(const std::string& sentence) {
    TStatement* found = nullptr;
    return Stage().SentenceIsStatementSentence(sentence, found) ? found : nullptr;
  }
};

}  // namespace korvane::test
