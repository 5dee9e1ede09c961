// korvane-cli export FILE --format aif|argdown|dot|graphml|aspic [--output OUT]
#include <iostream>

#include "cli_support.h"
#include "files/text_file.h"
#include "interchange/argument_graph.h"
#include "interchange/exports.h"

namespace korvane::cli {

int RunExport(TArgs args) {
  const std::string output = TakeOption(args, kOutputOption, "a file name");
  const std::string name = TakeOption(args, "--format");
  if (name.empty()) throw TUsageError("export needs --format");
  const std::optional<interchange::TExportFormat> format = interchange::ParseExportFormat(name);
  if (!format) throw TUsageError("unknown format '" + name + "' (aif, argdown, dot, graphml or aspic)");
  if (args.size() != 1) throw TUsageError("export takes one file");
  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(args[0]));
  // The stage reached is exported even when the interpretation stopped.
  if (!error.empty()) std::cerr << error << ".\n";
  const std::string text = interchange::Export(interchange::TArgumentGraph(*cli.Session.Line().CurrentStage), *format);
  if (output.empty())
    std::cout << text << std::flush;
  else
    WriteBytesFile(output, text);
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
