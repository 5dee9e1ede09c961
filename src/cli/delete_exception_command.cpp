// korvane-cli delete-exception FILE EXCEPTION REASON CONCLUSION [--output OUT]
#include "cli_support.h"

namespace korvane::cli {

int RunDeleteException(TArgs args) {
  const std::string output = TakeOption(args, kOutputOption, "a file name");
  if (args.size() != 4) throw TUsageError("delete-exception takes a file, an exception, a reason and a conclusion");
  const std::string exception = args[1];
  const std::string reason = args[2];
  const std::string conclusion = args[3];
  return RunDeletion(args[0], output, [&](TSession& session) {
    const TArgumentationStage& stage = *session.Line().CurrentStage;
    TReasonConclusion* c = session.Line().NewReasonConclusion();
    c->Reason->Sentence = SentenceArgument(stage, reason);
    c->Conclusion->Sentence = SentenceArgument(stage, conclusion);
    c->Exceptions.Add(session.Line().NewStatement(SentenceArgument(stage, exception), kIssue));
    return session.PerformDeleteException(c);
  });
}

}  // namespace korvane::cli
