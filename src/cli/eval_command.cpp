// korvane-cli eval FILE [--expanded-arguments]: the evaluated line that a file describes.
#include <algorithm>
#include <iostream>

#include "cli_support.h"

namespace korvane::cli {

int RunEval(TArgs args) {
  const auto expanded = std::find(args.begin(), args.end(), std::string("--expanded-arguments"));
  const bool expandedArguments = expanded != args.end();
  if (expandedArguments) args.erase(expanded);
  if (args.size() != 1) throw TUsageError("eval takes one file");
  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(args[0]));
  if (!error.empty()) std::cerr << error << ".\n";
  WriteJson(std::cout, cli.Session.Line(), error, expandedArguments);
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
