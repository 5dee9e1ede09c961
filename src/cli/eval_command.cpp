// korvane-cli eval FILE: the evaluated line that a file describes.
#include <iostream>

#include "cli_support.h"

namespace korvane::cli {

int RunEval(TArgs args) {
  if (args.size() != 1) throw TUsageError("eval takes one file");
  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(args[0]));
  if (!error.empty()) std::cerr << error << ".\n";
  WriteJson(std::cout, cli.Session.Line(), error);
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
