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

// The one table of commands and options: --help prints it, and the manual page is made
// from --help, so neither can drift from the other.
struct TCommand {
  const char* Name;
  const char* Usage;
  const char* Summary;
  int (*Run)(TArgs);
};

const TCommand kCommands[] = {
    {"eval", "eval FILE [--expanded-arguments]",
     "Make the moves of FILE and print the evaluated line as one JSON object; each argument once, referred to by "
     "index, or with --expanded-arguments every argument tree written out.",
     RunEval},
    {"explain", "explain FILE [SENTENCE]",
     "Print each statement's sentence and why it has its status; with SENTENCE, only that statement's.", RunExplain},
    {"delete-statement", "delete-statement FILE SENTENCE [--output OUT.lin]",
     "Delete the statement and all its occurrences; print the rebuilt line.", RunDeleteStatement},
    {"delete-connection", "delete-connection FILE REASON CONCLUSION [--output OUT.lin]",
     "Delete the connection from REASON to CONCLUSION and its stated step warrant; print the rebuilt line.",
     RunDeleteConnection},
    {"delete-exception", "delete-exception FILE EXCEPTION REASON CONCLUSION [--output OUT.lin]",
     "Delete EXCEPTION of that connection and its stated undercutter warrant; print the rebuilt line.",
     RunDeleteException},
    {"export", "export FILE --format aif|argdown|dot|graphml|aspic [--output OUT]",
     "Write the stage reached as AIF, Argdown, DOT, GraphML or ASPIC+ (JSON).", RunExport},
    {"import", "import FILE.json|FILE.argdown --output OUT.lin [--format aif|argdown]",
     "Read an AIF or Argdown file and write it as a .lin file of moves; what a line cannot hold is named on "
     "standard error.",
     RunImport},
#ifdef KORVANE_RENDER
    {"render", kRenderUsage,
     "Draw a diagram of the final stage as the window draws it at that width, into a PNG, SVG or PDF file.",
     RunRender},
#endif
};

struct TOption {
  const char* Name;
  const char* Summary;
};

const TOption kOptions[] = {
    {"--output FILE", "Deletions: save the rebuilt line too. export: write there, not to standard output. import, "
                        "render: the file to write."},
    {"--expanded-arguments", "eval: write every argument tree out in full instead of once each, referred to by "
                             "index (the output can grow exponentially with cycles)."},
    {"--format FORMAT", "export: aif, argdown, dot, graphml or aspic. import: aif or argdown (else by extension)."},
#ifdef KORVANE_RENDER
    {"--view VIEW", "render: dialectical, statements or map (the whole argumentation as one graph)."},
    {"--width PIXELS", "render: the width the diagram is drawn at (not needed for the map)."},
    {"--structure-only", "render: black, without icons."},
    {"--scale N", "render: a PNG image at N times the density, 1 to 4."},
#endif
    {"-h, --help", "Print this help."},
};

void PrintHelp(std::ostream& out) {
  out << "Usage: korvane-cli COMMAND ARGUMENTS\n"
         "Reads a line of argumentation (.lin, or - for standard input), makes its moves\n"
         "and prints the evaluated line as one JSON object. Every question is answered Yes.\n"
         "explain prints instead, one line per statement, its sentence and why it has its\n"
         "status; with SENTENCE only that statement's. Sentences given as arguments may be\n"
         "typed as the JSON shows them.\n\n"
         "Commands:\n";
  for (const TCommand& command : kCommands)
    out << "  korvane-cli " << command.Usage << "\n        " << command.Summary << '\n';
  out << "  korvane-cli --help\n        Print this help.\n\nOptions:\n";
  for (const TOption& option : kOptions) {
    const std::string name = option.Name;
    out << "  " << name << std::string(name.size() < 20 ? 20 - name.size() : 2, ' ') << option.Summary << '\n';
  }
  out << "\nExit status:\n"
         "  0   done\n"
         "  1   interpretation stopped (the stage reached is still printed), deletion refused or\n"
         "      SENTENCE not a statement\n"
         "  2   wrong usage\n"
         "  3   a file cannot be read or written\n";
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
