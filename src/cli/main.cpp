// korvane-cli: the headless companion. One subcommand per file; this only dispatches.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli_support.h"
#ifdef KORVANE_RENDER
#include "render_command.h"
#endif

namespace {

using namespace korvane;
using namespace korvane::cli;

struct TCommand {
  const char* Name;
  const char* Usage;
  int (*Run)(TArgs);
};

const TCommand kCommands[] = {
    {"eval", "eval FILE [--expanded-arguments]", RunEval},
    {"explain", "explain FILE [SENTENCE]", RunExplain},
    {"delete-statement", "delete-statement FILE SENTENCE [--output OUT.lin]", RunDeleteStatement},
    {"delete-connection", "delete-connection FILE REASON CONCLUSION [--output OUT.lin]", RunDeleteConnection},
    {"delete-exception", "delete-exception FILE EXCEPTION REASON CONCLUSION [--output OUT.lin]", RunDeleteException},
    {"export", "export FILE --format aif|argdown|dot|graphml|aspic [--output OUT]", RunExport},
    {"import", "import FILE.json|FILE.argdown --output OUT.lin [--format aif|argdown]", RunImport},
#ifdef KORVANE_RENDER
    {"render", kRenderUsage, RunRender},
#endif
};

void PrintHelp(std::ostream& out) {
  out << "Usage: korvane-cli COMMAND ARGUMENTS\n"
         "Reads a line of argumentation (.lin, or - for standard input), makes its moves\n"
         "and prints the evaluated line as one JSON object. Every question is answered Yes.\n"
         "explain prints instead, one line per statement, its sentence and why it has its\n"
         "status; with SENTENCE only that statement's. Sentences given as arguments may be\n"
         "typed as the JSON shows them.\n\n"
         "Commands:\n";
  for (const TCommand& command : kCommands) out << "  korvane-cli " << command.Usage << '\n';
  out << "  korvane-cli --help\n\n"
         "Exit status: 0 done, 1 interpretation stopped, deletion refused or SENTENCE\n"
         "not a statement, 2 wrong usage, 3 a file cannot be read or written.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return kExitOk;
  }
  for (const TCommand& command : kCommands) {
    if (args[0] != command.Name) continue;
    try {
      return command.Run(TArgs(args.begin() + 1, args.end()));
    } catch (const TUsageError& error) {
      std::cerr << "korvane-cli: " << error.what() << "\nUsage: korvane-cli " << command.Usage << '\n';
      return kExitUsage;
    } catch (const TCommandError& error) {
      std::cerr << error.what() << ".\n";
      return kExitFile;
    }
  }
  std::cerr << "korvane-cli: unknown command '" << args[0] << "'\n";
  PrintHelp(std::cerr);
  return kExitUsage;
}
