// What the interchange tests share: lines made from texts or generated moves, export and
// import through the library, and the comparison of two final stages.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/headless_session.h"
#include "files/text_file.h"
#include "interchange/argument_graph.h"
#include "interchange/exports.h"
#include "interchange/importer.h"
#include "support/stage_generator.h"

namespace korvane::test {

/// A session whose line holds the moves of lines.
inline std::unique_ptr<THeadlessSession<>> Interpreted(const std::vector<std::string>& lines) {
  auto s = std::make_unique<THeadlessSession<>>();
  s->Host.Lines = lines;
  s->Session.InterpretLines();
  return s;
}

/// The text of a line made by the generated moves through the entry points.
inline std::vector<std::string> LineOfMoves(const std::vector<GeneratedMove>& moves) {
  THeadlessSession<> s;
  TLineOfArgumentation& line = s.Session.Line();
  for (const GeneratedMove& m : moves) {
    if (m.kind == GeneratedMove::Statement) {
      s.Session.PerformStatementMove(line.NewStatement(m.sentence, m.type));
      continue;
    }
    TReasonConclusion* c = line.NewReasonConclusion();
    FillConnection(*c, m);
    // The file keeps no kind; a line read back has only supporting connections.
    c->ConnectionKind = kSupporting;
    if (m.kind == GeneratedMove::ReasonConclusion) {
      s.Session.PerformReasonConclusionMove(c);
    } else {
      c->Exceptions.Add(line.NewStatement(m.sentence, m.type));
      s.Session.PerformExceptionMove(c);
    }
  }
  return line.Text();
}

/// Exports the final stage of lines and imports the result again.
inline interchange::TImportResult ThereAndBack(const std::vector<std::string>& lines, interchange::TExportFormat out,
                                               interchange::TImportFormat in) {
  auto session = Interpreted(lines);
  const std::string text = interchange::Export(interchange::TArgumentGraph(*session->Session.Line().CurrentStage), out);
  return interchange::ImportArgumentation(text, in);
}

/// Statements (sentence, type, status), connections (ends, kind) and exceptions agree, in order.
inline void ExpectSameStage(const TArgumentationStage& a, const TArgumentationStage& b) {
  const interchange::TArgumentGraph x(a);
  const interchange::TArgumentGraph y(b);
  ASSERT_EQ(x.Statements().size(), y.Statements().size());
  for (std::size_t i = 0; i < x.Statements().size(); ++i) {
    SCOPED_TRACE("statement " + std::to_string(i + 1));
    EXPECT_EQ(x.Statements()[i].Sentence, y.Statements()[i].Sentence);
    EXPECT_EQ(x.Statements()[i].Type, y.Statements()[i].Type);
    EXPECT_EQ(x.Statements()[i].Status, y.Statements()[i].Status);
  }
  ASSERT_EQ(x.Connections().size(), y.Connections().size());
  for (std::size_t k = 0; k < x.Connections().size(); ++k) {
    SCOPED_TRACE("connection " + std::to_string(k + 1));
    const interchange::TGraphConnection& c = x.Connections()[k];
    const interchange::TGraphConnection& d = y.Connections()[k];
    EXPECT_EQ(c.Reason, d.Reason);
    EXPECT_EQ(c.Conclusion, d.Conclusion);
    EXPECT_EQ(c.Kind, d.Kind);
    EXPECT_EQ(c.Warrant, d.Warrant);
    ASSERT_EQ(c.Exceptions.size(), d.Exceptions.size());
    for (std::size_t e = 0; e < c.Exceptions.size(); ++e) {
      EXPECT_EQ(c.Exceptions[e].Statement, d.Exceptions[e].Statement);
      EXPECT_EQ(c.Exceptions[e].Warrant, d.Exceptions[e].Warrant);
    }
  }
}

}  // namespace korvane::test
