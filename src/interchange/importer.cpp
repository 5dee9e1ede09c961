#include "interchange/importer.h"

#include <stdexcept>

#include "document/headless_session.h"
#include "interchange/aif_import.h"
#include "interchange/argdown_import.h"
#include "interchange/moves_from_graph.h"

namespace korvane::interchange {

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
  if (s.size() < end.size()) return false;
  for (std::size_t i = 0; i < end.size(); ++i) {
    const char c = s[s.size() - end.size() + i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != end[i]) return false;
  }
  return true;
}

// The line is made the way opening a file makes it, so no stage is built any other way,
// and an import that would not open is caught here rather than by the user.
void Replay(const TImportedLine& line) {
  THeadlessSession<> headless;
  headless.Host.Lines = line.Lines;
  try {
    headless.Session.InterpretLines();
  } catch (const TCommandError& error) {
    throw TImportError(std::string("the imported moves could not be made: ") + error.what());
  }
  const TArgumentationStage& stage = *headless.Session.Line().CurrentStage;
  // Not the file's fault but ours: the moves do not say what the graph said.
  if (stage.Statements.Count() != line.Statements || stage.ReasonConclusions.Count() != line.Connections)
    throw std::logic_error("the imported moves made " + std::to_string(stage.Statements.Count()) + " statements and " +
                           std::to_string(stage.ReasonConclusions.Count()) + " connections instead of " +
                           std::to_string(line.Statements) + " and " + std::to_string(line.Connections));
}

}  // namespace

std::optional<TImportFormat> ParseImportFormat(const std::string& name) {
  if (name == "aif") return TImportFormat::Aif;
  if (name == "argdown") return TImportFormat::Argdown;
  return std::nullopt;
}

std::optional<TImportFormat> ImportFormatOfPath(const std::string& path) {
  if (EndsWith(path, ".json")) return TImportFormat::Aif;
  if (EndsWith(path, ".argdown") || EndsWith(path, ".ad")) return TImportFormat::Argdown;
  return std::nullopt;
}

TImportResult ImportArgumentation(const std::string& bytes, TImportFormat format) {
  if (bytes.size() > kMaxImportBytes)
    throw TImportError("the file has " + std::to_string(bytes.size()) + " bytes; an import reads at most " +
                       std::to_string(kMaxImportBytes) + " (32 MB)");
  const TImportGraph graph = format == TImportFormat::Aif ? ReadAif(bytes) : ReadArgdown(bytes);
  TImportedLine line = MovesFromGraph(graph);
  Replay(line);
  return {std::move(line.Lines), std::move(line.Notices)};
}

}  // namespace korvane::interchange
