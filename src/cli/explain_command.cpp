// korvane-cli explain FILE [SENTENCE]: why each statement has its status, for people.
#include <iostream>

#include "cli_support.h"
#include "document/explanation_text.h"

namespace korvane::cli {

namespace {

void PrintExplanation(const TStatementExplanation& explanation) {
  std::cout << TerminalText(interchange::AsUtf8(explanation.Statement->Sentence)) << ": "
            << TerminalText(WhySentence(explanation, interchange::AsUtf8)) << '\n';
}

}  // namespace

int RunExplain(TArgs args) {
  if (args.empty() || args.size() > 2) throw TUsageError("explain takes a file and at most one sentence");
  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(args[0]));
  // The stage reached is still explained, as eval still prints it.
  if (!error.empty()) std::cerr << error << ".\n";
  const TArgumentationStage& stage = *cli.Session.Line().CurrentStage;
  if (args.size() == 1) {
    for (const TStatementExplanation& explanation : ExplainStage(stage)) PrintExplanation(explanation);
  } else {
    const TStatement* statement = FindSentence(stage, args[1]);
    if (!statement) {
      std::cerr << "korvane-cli: '" << TerminalText(interchange::AsUtf8(args[1]))
                << "' is not a statement of the line\n";
      return kExitFailed;
    }
    PrintExplanation(ExplainStatement(stage, *statement));
  }
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
