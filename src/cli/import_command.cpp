// korvane-cli import FILE.json|FILE.argdown --output OUT.lin [--format aif|argdown]
#include <iostream>

#include "cli_support.h"
#include "files/text_file.h"
#include "interchange/importer.h"

namespace korvane::cli {

int RunImport(TArgs args) {
  const std::string output = TakeOption(args, kOutputOption, "a file name");
  const std::string name = TakeOption(args, "--format");
  if (args.size() != 1) throw TUsageError("import takes one file");
  if (output.empty()) throw TUsageError("import needs --output OUT.lin");
  const std::optional<interchange::TImportFormat> format =
      name.empty() ? interchange::ImportFormatOfPath(args[0]) : interchange::ParseImportFormat(name);
  if (!format && !name.empty()) throw TUsageError("unknown format '" + name + "' (aif or argdown)");
  if (!format) throw TUsageError("cannot tell the format from '" + args[0] + "'; name it with --format aif|argdown");
  std::string bytes;
  if (!SystemFileSystem().ReadFile(args[0], bytes)) throw CannotOpenFileError(args[0]);
  interchange::TImportResult result;
  try {
    result = interchange::ImportArgumentation(bytes, *format);
  } catch (const interchange::TImportError& error) {
    std::cerr << args[0] << ": " << error.what() << ".\n";
    return kExitFailed;
  }
  for (const std::string& notice : result.Notices) std::cerr << args[0] << ": " << notice << ".\n";
  WriteTextFile(output, result.Lines);
  return kExitOk;
}

}  // namespace korvane::cli
