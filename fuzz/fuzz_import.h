// What both import targets check: any bytes either import or stop with a message; an
// imported line, exported again in the same format and imported once more, is the same line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_session.h"
#include "interchange/argument_graph.h"
#include "interchange/exports.h"
#include "interchange/importer.h"
#include "interchange/moves_from_graph.h"

namespace korvane::fuzz {

// The exact evaluation grows exponentially with connections that form cycles: inputs that
// would make more than this many are skipped, as the round-trip target skips them.
constexpr int kMaxConnections = 10;
constexpr std::size_t kMaxImportBytes = 8192;

/// The final stage of lines, interpreted on a fresh session.
inline std::unique_ptr<TFuzzSession> Replayed(const std::vector<std::string>& lines) {
  auto s = std::make_unique<TFuzzSession>();
  s->Host.Lines = lines;
  s->Session.InterpretLines();
  return s;
}

inline void CheckSameStage(const TArgumentationStage& a, const TArgumentationStage& b) {
  const interchange::TArgumentGraph x(a);
  const interchange::TArgumentGraph y(b);
  Check(x.Statements().size() == y.Statements().size(), "the same number of statements");
  for (std::size_t i = 0; i < x.Statements().size(); ++i) {
    Check(x.Statements()[i].Sentence == y.Statements()[i].Sentence, "the same sentence in the same place");
    Check(x.Statements()[i].Type == y.Statements()[i].Type, "the same type");
    Check(x.Statements()[i].Status == y.Statements()[i].Status, "the same status");
  }
  Check(x.Connections().size() == y.Connections().size(), "the same number of connections");
  for (std::size_t k = 0; k < x.Connections().size(); ++k) {
    const auto& c = x.Connections()[k];
    const auto& d = y.Connections()[k];
    Check(c.Reason == d.Reason && c.Conclusion == d.Conclusion && c.Kind == d.Kind, "the same connection");
    Check(c.Exceptions.size() == d.Exceptions.size(), "the same exceptions");
    for (std::size_t e = 0; e < c.Exceptions.size(); ++e)
      Check(c.Exceptions[e].Statement == d.Exceptions[e].Statement, "the same exception");
  }
}

template <typename TReadGraph>
int FuzzImport(const std::uint8_t* data, std::size_t size, interchange::TImportFormat format,
               interchange::TExportFormat again, TReadGraph readGraph) {
  if (size > kMaxImportBytes) return -1;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    if (interchange::MovesFromGraph(readGraph(bytes)).Connections > kMaxConnections) return -1;
  } catch (const interchange::TImportError&) {}
  interchange::TImportResult first;
  try {
    first = interchange::ImportArgumentation(bytes, format);
  } catch (const interchange::TImportError& error) {
    Check(std::string(error.what()).size() > 0, "an import that stops says why");
    return 0;
  }
  FailureContext() = "imported line:\n" + Show(first.Lines);
  auto one = Replayed(first.Lines);
  Check(one->Asker.Asked() == 0, "replaying an import asks nothing");
  const std::string text = interchange::Export(interchange::TArgumentGraph(*one->Session.Line().CurrentStage), again);
  interchange::TImportResult second;
  try {
    second = interchange::ImportArgumentation(text, format);
  } catch (const interchange::TImportError& error) {
    Fail(std::string("an export of an imported line does not import: ") + error.what());
  }
  auto two = Replayed(second.Lines);
  CheckSameStage(*one->Session.Line().CurrentStage, *two->Session.Line().CurrentStage);
  return 0;
}

}  // namespace korvane::fuzz
