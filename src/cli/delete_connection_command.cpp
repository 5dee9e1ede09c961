// korvane-cli delete-connection FILE REASON CONCLUSION [--output OUT]
#include "cli_support.h"

namespace korvane::cli {

int RunDeleteConnection(TArgs args) {
  const std::string output = TakeOption(args, kOutputOption, "a file name");
  if (args.size() != 3) throw TUsageError("delete-connection takes a file, a reason and a conclusion");
  const std::string reason = args[1];
  const std::string conclusion = args[2];
  return RunDeletion(args[0], output, [&](TSession& session) {
    const TArgumentationStage& stage = *session.Line().CurrentStage;
    TReasonConclusion* c = session.Line().NewReasonConclusion();
    c->Reason->Sentence = SentenceArgument(stage, reason);
    c->Conclusion->Sentence = SentenceArgument(stage, conclusion);
    return session.PerformDeleteReasonConclusion(c);
  });
}

}  // namespace korvane::cli
