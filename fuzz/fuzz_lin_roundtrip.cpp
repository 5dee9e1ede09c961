// Arbitrary bytes as a .lin file: read into lines, interpreted on a new line, written,
// interpreted again on another new line and written again. Both written texts must be
// equal, the second reading must succeed, and nothing may be asked on the way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "fuzz_session.h"
#include "line/lin_syntax.h"

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// The exact evaluation grows exponentially with connections that form cycles; beyond
// this many blocks that can connect, one input could take minutes, so it is skipped.
constexpr std::size_t kMaxConnectingBlocks = 8;
constexpr std::size_t kMaxBytes = 8192;

std::size_t ConnectingBlocks(const std::vector<std::string>& lines) {
  std::size_t n = 0;
  for (const std::string& line : lines)
    if (line == kConclusionKeyword || line == kExceptionKeyword || line == kIfKeyword) ++n;
  return n;
}

// Interprets lines on the session's new line; false when the interpretation stopped early.
bool Interpret(TFuzzSession& f, const std::vector<std::string>& lines) {
  f.Host.Lines = lines;
  try {
    f.Session.InterpretLines();
  } catch (const TCommandError&) {
    return false;
  }
  Check(f.Session.Interactive && f.Session.RefreshViews, "the flags are set back");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxBytes) return -1;
  const std::vector<std::string> lines = SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  if (ConnectingBlocks(lines) > kMaxConnectingBlocks) return -1;

  TFuzzSession first;
  Interpret(first, lines);
  Check(first.Asker.Asked() == 0, "interpreting asks nothing");
  CheckLineShape(first.Session.Line());
  const std::vector<std::string> text = first.Session.Line().Text();

  // What a save writes and an open reads back.
  const std::string bytes = JoinLines(text);
  const std::vector<std::string> reread = SplitLines(bytes);
  Check(reread == text, "a written text reads back as the same lines");

  FailureContext() = "first text:\n" + Show(text);
  TFuzzSession second;
  Check(Interpret(second, reread), "a written text is interpreted to its end");
  Check(second.Asker.Asked() == 0, "interpreting a written text asks nothing");
  CheckLineShape(second.Session.Line());
  Check(second.Session.Line().ArgumentationMoves.Count() == first.Session.Line().ArgumentationMoves.Count(),
        "the same number of moves");
  Check(JoinLines(second.Session.Line().Text()) == bytes, "writing again gives the same text");

  // The final stages agree statement by statement, types included; statuses too, unless
  // a defeating connection (which the file writes as an ordinary one) was made.
  const TArgumentationStage& a = *first.Session.Line().CurrentStage;
  const TArgumentationStage& b = *second.Session.Line().CurrentStage;
  bool defeating = false;
  for (const TReasonConclusion* c : a.ReasonConclusions) defeating = defeating || c->ConnectionKind == kDefeating;
  Check(a.Statements.Count() == b.Statements.Count(), "the same statements");
  for (std::size_t k = 0; k < a.Statements.Count(); ++k) {
    Check(a.Statements[k]->Sentence == b.Statements[k]->Sentence, "same sentence in the same place");
    Check(a.Statements[k]->StatementType == b.Statements[k]->StatementType, "same type");
    Check(defeating || a.Statements[k]->Status == b.Statements[k]->Status, "same status");
  }
  Check(a.ReasonConclusions.Count() == b.ReasonConclusions.Count(), "the same connections");
  for (std::size_t k = 0; k < a.ReasonConclusions.Count(); ++k)
    Check(a.ReasonConclusions[k]->Exceptions.Count() == b.ReasonConclusions[k]->Exceptions.Count(),
          "the same exceptions");
  return 0;
}
