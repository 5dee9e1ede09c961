// A line exported and imported again is the same line: statements with their sentences,
// types and statuses, connections with their kinds, exceptions, stated warrants.
#include <cstdlib>
#include <filesystem>

#include "bench/line_generator.h"
#include "interchange_fixture.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using interchange::TExportFormat;
using interchange::TImportFormat;

struct TRoute {
  const char* Name;
  TExportFormat Out;
  TImportFormat In;
};
const TRoute kRoutes[] = {{"aif", TExportFormat::Aif, TImportFormat::Aif},
                          {"argdown", TExportFormat::Argdown, TImportFormat::Argdown}};

void ExpectRoundTrip(const std::vector<std::string>& lines, const TRoute& route, bool quiet = true) {
  SCOPED_TRACE(route.Name);
  auto before = Interpreted(lines);
  const interchange::TImportResult imported = ThereAndBack(lines, route.Out, route.In);
  if (quiet) {
    EXPECT_TRUE(imported.Notices.empty()) << imported.Notices.front();
  }
  auto after = Interpreted(imported.Lines);
  ExpectSameStage(*before->Session.Line().CurrentStage, *after->Session.Line().CurrentStage);
  // The imported text is a line like any other: written and read again, it is the same.
  EXPECT_EQ(SplitLines(JoinLines(after->Session.Line().Text())), after->Session.Line().Text());
}

fs::path Examples() {
  const char* root = std::getenv("KORVANE_SOURCE_DIR");
  return fs::path(root ? root : ".") / "examples";
}

TEST(RoundTrip, EveryExampleComesBackThroughEachFormat) {
  int examples = 0;
  for (const auto& entry : fs::directory_iterator(Examples())) {
    if (entry.path().extension() != ".lin") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++examples;
    for (const TRoute& route : kRoutes) ExpectRoundTrip(ReadTextFile(entry.path().string()), route);
  }
  EXPECT_GE(examples, 4);
}

// A connection from a sentence to itself, made while the sentence was new, keeps a reason
// object of its own that never entered the stage, with the type the move gave it; the
// evaluation reads that type. An import states every sentence first, so it cannot have one.
bool HasDetachedReason(const std::vector<std::string>& lines) {
  auto s = Interpreted(lines);
  const TArgumentationStage& stage = *s->Session.Line().CurrentStage;
  for (const TReasonConclusion* c : stage.ReasonConclusions)
    if (c->Reason != c->Conclusion && c->Reason->Sentence == c->Conclusion->Sentence) return true;
  return false;
}

// Small sentences, exact warrants, cycles and overruled types: the cases generated lines hold.
TEST(RoundTrip, GeneratedLinesComeBack) {
  int tried = 0;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    StageGenerator generator(seed, 6);
    const std::vector<std::string> lines = LineOfMoves(generator.Moves(14));
    if (HasDetachedReason(lines)) continue;
    ++tried;
    for (const TRoute& route : kRoutes) ExpectRoundTrip(lines, route);
  }
  EXPECT_GE(tried, 25);
}

// Each move states its own new statements when they come next, so a line made without
// repeats comes back move for move.
TEST(RoundTrip, ALineWithoutRepeatsComesBackMoveForMove) {
  const std::vector<std::string> lines = {"CONCLUSION", "  ?: c",     "REASON",     "  !: a", "",  //
                                          "EXCEPTION",  "  !: e",     "CONCLUSION", "  ?: c", "REASON", "  !: a", "",
                                          "STATEMENT",  "  ?: loose", "",                          //
                                          "CONCLUSION", "  !: a",     "REASON",     "  ?: b", "",  //
                                          "EXCEPTION",  "  ?: f",     "CONCLUSION", "  !: a", "REASON", "  ?: b", ""};
  for (const TRoute& route : kRoutes) {
    SCOPED_TRACE(route.Name);
    EXPECT_EQ(ThereAndBack(lines, route.Out, route.In).Lines, lines);
  }
}

TEST(RoundTrip, ADetachedReasonIsTheOneThingThatChanges) {
  // "a" enters as an assumption conclusion; the connection's own reason object is an issue.
  const std::vector<std::string> lines = {"CONCLUSION", "  !: a", "REASON", "  ?: a", "", "STATEMENT", "  ?: b", ""};
  ASSERT_TRUE(HasDetachedReason(lines));
  auto back = Interpreted(ThereAndBack(lines, TExportFormat::Aif, TImportFormat::Aif).Lines);
  EXPECT_FALSE(HasDetachedReason(back->Session.Line().Text()));
  EXPECT_EQ(back->Session.Line().CurrentStage->Statements.Count(), 2);
}

TEST(RoundTrip, ALongGeneratedLineComesBack) {
  const std::vector<std::string> lines = LineOfMoves(bench::LineGenerator(7).Moves(600));
  for (const TRoute& route : kRoutes) ExpectRoundTrip(lines, route);
}

// A defeating connection keeps its kind when its warrant is stated, as the rule states it.
TEST(RoundTrip, ADefeatingRuleKeepsItsKind) {
  const std::vector<std::string> lines = {
      "IF",         "it rains",     "THEN",   "IT IS DEFEATED THAT", "we walk", "EXCEPTION", "  ?: we have umbrellas",
      "CONCLUSION", "  ?: we walk", "REASON", "  ?: it rains",       ""};
  for (const TRoute& route : kRoutes) ExpectRoundTrip(lines, route);
  auto back = Interpreted(ThereAndBack(lines, TExportFormat::Aif, TImportFormat::Aif).Lines);
  EXPECT_EQ(back->Session.Line().CurrentStage->ReasonConclusions[0]->ConnectionKind, kDefeating);
}

// Bytes that are no UTF-8, signs every format escapes, blanks at the ends.
TEST(RoundTrip, AwkwardSentencesComeBack) {
  const std::vector<std::string> lines = {"CONCLUSION",
                                          "  ?: [a] <b> #tag *x* _y_ // c /* d */ {e: f} @g \\ \"q\" & 'r'",
                                          "REASON",
                                          std::string("  !: caf\xE9 cr\xE8me \x01 end"),
                                          "",
                                          "STATEMENT",
                                          "  ?:  blank at both ends ",
                                          "",
                                          "STATEMENT",
                                          "  !: #issue",
                                          ""};
  for (const TRoute& route : kRoutes) ExpectRoundTrip(lines, route);
}

// Empty and blank sentences, as conclusion, exception and in a stated warrant, come back
// without a notice: the file is Korvane's own.
TEST(RoundTrip, EmptySentencesComeBack) {
  const std::vector<std::string> lines = {"CONCLUSION", "  ?: ",  "REASON",     "  !: a", "",          //
                                          "EXCEPTION",  "  !: ",  "CONCLUSION", "  ?: b", "REASON", "  !: a", "",
                                          "STATEMENT",  "  !: (IF a, THEN )", "",                       //
                                          "STATEMENT",  "  ?:  ", ""};
  auto stage = Interpreted(lines);
  ASSERT_EQ(stage->Session.Line().CurrentStage->Statements.Count(), 5);
  for (const TRoute& route : kRoutes) ExpectRoundTrip(lines, route);
}

}  // namespace
}  // namespace korvane::test
