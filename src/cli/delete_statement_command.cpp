// korvane-cli delete-statement FILE SENTENCE [--output OUT]
#include "cli_support.h"

namespace korvane::cli {

int RunDeleteStatement(TArgs args) {
  const std::string output = TakeOption(args, kOutputOption, "a file name");
  if (args.size() != 2) throw TUsageError("delete-statement takes a file and a sentence");
  const std::string sentence = args[1];
  return RunDeletion(args[0], output, [&](TSession& session) {
    const std::string x = SentenceArgument(*session.Line().CurrentStage, sentence);
    return session.PerformDeleteStatement(session.Line().NewStatement(x, kIssue));
  });
}

}  // namespace korvane::cli
