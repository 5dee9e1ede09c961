// korvane-cli, run as a user runs it: output, exit statuses, files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/cli_fixture.h"
#include "support/file_bytes.h"

namespace {

using korvane::test::ReadBytes;

namespace fs = std::filesystem;

using Result = korvane::test::CliRun;

class Cli : public korvane::test::CliFixture {};

TEST_F(Cli, EvalPrintsTheWholeStage) {
  const Result r = Run({"eval", Example("sale_of_goods.lin")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(
      r.Out,
      "{\"error\": null,\n"
      " \"statements\": [\n"
      "  {\"id\": \"1\", \"sentence\": \"the buyer knew of the defect\", \"type\": \"issue\", \"status\": "
      "\"unjustified\", "
      "\"steps\": [], \"why\": \"unjustified: it is an issue and no reason has been given for it\"},\n"
      "  {\"id\": \"2\", \"sentence\": \"the buyer may return them\", \"type\": \"issue\", \"status\": \"justified\", "
      "\"steps\": [{\"reason\": \"3\", \"kind\": \"supporting\", \"warrant\": {\"statement\": \"4\", \"holds\": true}, "
      "\"reason_justified\": true, \"undercutters\": [{\"exception\": \"1\", \"warrant\": {\"statement\": null, "
      "\"holds\": true}, \"blocks\": false}], \"counts\": true}], \"why\": \"justified: the step from 'the goods are "
      "defective' counts (its warrant is stated and justified; the exception 'the buyer knew of the defect' is not "
      "justified)\"},\n"
      "  {\"id\": \"3\", \"sentence\": \"the goods are defective\", \"type\": \"assumption\", \"status\": "
      "\"justified\", "
      "\"steps\": [], \"why\": \"justified: it is an assumption\"},\n"
      "  {\"id\": \"4\", \"sentence\": \"(IF the goods are defective, THEN the buyer may return them)\", \"type\": "
      "\"assumption\", \"status\": \"justified\", \"steps\": [], \"why\": \"justified: it is an assumption\"}],\n"
      " \"connections\": [\n"
      "  {\"reason\": \"3\", \"conclusion\": \"2\", \"exceptions\": [\"1\"]}],\n"
      " \"maximal\": [\"2\"],\n"
      " \"arguments\": [\n"
      "  [\"1\", []],\n"
      "  [\"3\", []],\n"
      "  [\"2\", [1]],\n"
      "  [\"4\", []]],\n"
      " \"stage_arguments\": [0, 2, 3],\n"
      " \"text\": [\n"
      "  \"EXCEPTION\",\n  \"  ?: the buyer knew of the defect\",\n  \"CONCLUSION\",\n  \"  ?: the buyer may return "
      "them\",\n"
      "  \"REASON\",\n  \"  ?: the goods are defective\",\n  \"\",\n"
      "  \"STATEMENT\",\n  \"  !: the goods are defective\",\n  \"\",\n"
      "  \"STATEMENT\",\n  \"  !: (IF the goods are defective, THEN the buyer may return them)\",\n  \"\"]}\n");
  EXPECT_EQ(r.Err, "");
}

TEST_F(Cli, EvalWritesTheTreesOutInFullWhenAsked) {
  const Result r = Run({"eval", "--expanded-arguments", Example("sale_of_goods.lin")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find(" \"maximal\": [\"2\"],\n"
                       " \"arguments\": [\n"
                       "  [\"1\", []],\n"
                       "  [\"2\", [[\"3\", []]]],\n"
                       "  [\"4\", []]],\n"
                       " \"text\": ["),
            std::string::npos)
      << r.Out;
}

TEST_F(Cli, EveryExampleEvaluates) {
  for (const char* name : {"sale_of_goods.lin", "warrants.lin", "defeating_rule.lin", "cycle.lin"}) {
    const Result r = Run({"eval", Example(name)});
    EXPECT_EQ(r.Status, 0) << name << r.Err;
    EXPECT_NE(r.Out.find("\"error\": null"), std::string::npos) << name;
  }
}

TEST_F(Cli, EvalReadsStandardInputAndEscapes) {
  const Result r = Run({"eval", "-"}, std::string("a\"b\\c\x01\r\n\xe9t\xe9\r\n\xc3\xa9t\xc3\xa9\n"));
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("\"sentence\": \"a\\\"b\\\\c\""), std::string::npos) << r.Out;  // \x01 is trimmed
  EXPECT_NE(r.Out.find("\"sentence\": \"\xc3\xa9t\xc3\xa9\""), std::string::npos);     // Latin-1 bytes made UTF-8
  EXPECT_EQ(r.Out.find("\xe9t"), std::string::npos);                                   // no invalid UTF-8 in the output
}

TEST_F(Cli, EvalStoppedByAnErrorPrintsTheStageReached) {
  const Result r = Run({"eval", File("cut.lin", "a\r\nSTATEMENT\r\n")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out.rfind("{\"error\": \"List index out of bounds\"", 0), 0u) << r.Out;
  EXPECT_NE(r.Out.find("\"sentence\": \"a\""), std::string::npos);
  EXPECT_EQ(r.Err, "List index out of bounds.\n");
}

TEST_F(Cli, UsageAndFileErrors) {
  EXPECT_EQ(Run({}).Status, 2);
  EXPECT_EQ(Run({"frobnicate"}).Status, 2);
  EXPECT_EQ(Run({"eval"}).Status, 2);
  EXPECT_EQ(Run({"eval", "a", "b"}).Status, 2);
  EXPECT_EQ(Run({"delete-statement", "a"}).Status, 2);
  EXPECT_EQ(Run({"delete-statement", "a", "b", "--output"}).Status, 2);
  const Result help = Run({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("delete-exception FILE EXCEPTION REASON CONCLUSION"), std::string::npos);
  const std::string missing = (folder_ / "missing.lin").string();
  const Result r = Run({"eval", missing});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Cannot open file " + missing + ".\n");
  EXPECT_EQ(r.Out, "");
}

TEST_F(Cli, DeleteStatementWritesTheRebuiltText) {
  const std::string original = "STATEMENT\r\n  ?: x\r\n\r\nCONCLUSION\r\n  ?: x\r\nREASON\r\n  !: y\r\n\r\n";
  const std::string in = File("in.lin", original);
  const std::string out = (folder_ / "out.lin").string();
  const Result r = Run({"delete-statement", in, "x", "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out), "STATEMENT\r\n  !: y\r\n\r\n");
  EXPECT_NE(r.Out.find("{\"id\": \"1\", \"sentence\": \"y\", \"type\": \"assumption\""), std::string::npos) << r.Out;
  EXPECT_EQ(ReadBytes(in), original);  // the input is left alone
}

TEST_F(Cli, RefusedDeletionsExitOneWithTheirMessage) {
  const std::string in = File("in.lin", "IF\r\nr\r\nTHEN\r\nc\r\n\r\n");
  Result r = Run({"delete-statement", in, "nothing"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "The statement 'nothing' has not yet been made and cannot be deleted.\n");
  EXPECT_EQ(r.Out, "");
  r = Run({"delete-connection", in, "c", "r"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "The statement 'c' is not yet a reason for the statement 'r'.\n");
  r = Run({"delete-exception", in, "e", "r", "c"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err,
            "The statement 'e'\nis not yet an exception blocking the connection\nbetween the reason 'r'\n"
            "and the conclusion c'.\n");
}

TEST_F(Cli, DeleteConnectionAndException) {
  Result r = Run({"delete-connection", Example("cycle.lin"), "the tenant pays the rent",
                  "the landlord keeps the house in repair"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("\"connections\": [\n  {\"reason\": \"2\", \"conclusion\": \"1\", \"exceptions\": []}],"),
            std::string::npos)
      << r.Out;
  EXPECT_EQ(r.Out.find("(IF the tenant pays the rent, THEN"), std::string::npos);

  const std::string out = (folder_ / "out.lin").string();
  r = Run({"delete-exception", Example("sale_of_goods.lin"), "the buyer knew of the defect", "the goods are defective",
           "the buyer may return them", "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out).rfind("STATEMENT\r\n  ?: the buyer knew of the defect\r\n\r\nCONCLUSION\r\n", 0), 0u);
  EXPECT_NE(r.Out.find("\"exceptions\": []"), std::string::npos);
}

TEST_F(Cli, EvalGivesEachStepAndWhyInIds) {
  // A defeating rule, a stated warrant that fails, and an exception blocked by its own failing warrant.
  const std::string in = File("steps.lin",
                              "IF\r\nr\r\nTHEN\r\nIT IS DEFEATED THAT\r\nc\r\n"
                              "STATEMENT\r\n  !: r\r\n\r\n"
                              "EXCEPTION\r\n  !: e\r\nCONCLUSION\r\n  ?: c\r\nREASON\r\n  !: r\r\n\r\n"
                              "STATEMENT\r\n  ?: (THAT e, IS AN EXCEPTION TO THE RULE THAT, IF r, THEN c)\r\n\r\n"
                              "CONCLUSION\r\n  ?: c\r\nREASON\r\n  ?: q\r\n\r\n"
                              "STATEMENT\r\n  ?: (IF q, THEN c)\r\n\r\n");
  const Result r = Run({"eval", in});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(
      r.Out.find("{\"id\": \"2\", \"sentence\": \"c\", \"type\": \"issue\", \"status\": \"justified\", \"steps\": ["
                 "{\"reason\": \"3\", \"kind\": \"defeating\", \"warrant\": {\"statement\": \"1\", \"holds\": true}, "
                 "\"reason_justified\": true, \"undercutters\": [{\"exception\": \"4\", \"warrant\": {\"statement\": "
                 "\"5\", \"holds\": false}, \"blocks\": false}], \"counts\": true}, "
                 "{\"reason\": \"6\", \"kind\": \"supporting\", \"warrant\": {\"statement\": \"7\", \"holds\": false}, "
                 "\"reason_justified\": false, \"undercutters\": [], \"counts\": false}], "
                 "\"why\": \"justified: the defeating step from 'r' counts (its warrant is stated and justified; the "
                 "exception 'e' does not block it, as its undercutter warrant is not justified), though its other "
                 "step does not\"}"),
      std::string::npos)
      << r.Out;
}

TEST_F(Cli, ExplainPrintsOneLinePerStatement) {
  Result r = Run({"explain", Example("sale_of_goods.lin")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "the buyer knew of the defect: unjustified: it is an issue and no reason has been given for it\n"
            "the buyer may return them: justified: the step from 'the goods are defective' counts (its warrant is "
            "stated and justified; the exception 'the buyer knew of the defect' is not justified)\n"
            "the goods are defective: justified: it is an assumption\n"
            "(IF the goods are defective, THEN the buyer may return them): justified: it is an assumption\n");
  EXPECT_EQ(r.Err, "");

  r = Run({"explain", Example("cycle.lin"), "the tenant pays the rent"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind("the tenant pays the rent: ", 0), 0u) << r.Out;
  EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 1);

  r = Run({"explain", Example("cycle.lin"), "the moon is made of cheese"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(r.Err, "korvane-cli: 'the moon is made of cheese' is not a statement of the line\n");

  EXPECT_EQ(Run({"explain"}).Status, 2);
  EXPECT_EQ(Run({"explain", "a", "b", "c"}).Status, 2);
  const std::string missing = (folder_ / "missing.lin").string();
  r = Run({"explain", missing});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Cannot open file " + missing + ".\n");
  EXPECT_NE(Run({"--help"}).Out.find("explain FILE [SENTENCE]"), std::string::npos);
}

TEST_F(Cli, ExplainStoppedByAnErrorExplainsTheStageReached) {
  const Result r = Run({"explain", File("cut.lin", "IF\r\na\r\nTHEN\r\nb\r\n\r\nSTATEMENT\r\n")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "List index out of bounds.\n");
  EXPECT_EQ(r.Out,
            "(IF a, THEN b): justified: it is an assumption\n"
            "b: unjustified: its only step, from 'a', does not count, as its reason is not justified\n"
            "a: unjustified: it is an issue and no reason has been given for it\n");
}

TEST_F(Cli, SentencesAreShownReadablyAndControlCharactersEscaped) {
  const std::string in = File("odd.lin",
                              "STATEMENT\r\n  ?: caf\xe9\r\n\r\nSTATEMENT\r\n  !: tab\there\r\n\r\n"
                              "CONCLUSION\r\n  ?: caf\xe9\r\nREASON\r\n  !: x\x85y\r\n\r\n");
  const Result r = Run({"explain", in});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "caf\xc3\xa9: justified: the step from 'x\\u0085y' counts (its warrant is not stated; no "
            "exception blocks it)\n"
            "tab\\u0009here: justified: it is an assumption\n"
            "x\\u0085y: justified: it is an assumption\n");
  const Result json = Run({"eval", in});
  // Inside the why the sentence is already UTF-8, so its C1 character stands unescaped, as JSON allows.
  EXPECT_NE(json.Out.find("\"why\": \"justified: the step from 'x\xc2\x85y' counts"), std::string::npos) << json.Out;
}

// Each sentence argument may be typed as the JSON shows it; the exact bytes win.
TEST_F(Cli, SentenceArgumentsAsTheJsonShowsThem) {
  const std::string latin = File("latin.lin",
                                 "EXCEPTION\r\n  ?: d\xe9j\xe0\r\nCONCLUSION\r\n  ?: caf\xe9\r\n"
                                 "REASON\r\n  !: cr\xe8me\r\n\r\n");
  const std::string cafe = "caf\xc3\xa9", creme = "cr\xc3\xa8me", deja = "d\xc3\xa9j\xc3\xa0";
  const std::string out = (folder_ / "out.lin").string();

  Result r = Run({"explain", latin, cafe});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out.rfind(cafe + ": justified: the step from '" + creme + "' counts", 0), 0u) << r.Out;

  r = Run({"delete-exception", latin, deja, creme, cafe, "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out),
            "STATEMENT\r\n  ?: d\xe9j\xe0\r\n\r\nCONCLUSION\r\n  ?: caf\xe9\r\nREASON\r\n  !: cr\xe8me\r\n\r\n");

  r = Run({"delete-connection", latin, creme, cafe, "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out).find("CONCLUSION"), std::string::npos);

  r = Run({"delete-statement", latin, cafe, "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out).find("caf"), std::string::npos);

  // The Latin-1 bytes themselves still name it, and a sentence stored as UTF-8 is matched exactly first.
  EXPECT_EQ(Run({"delete-statement", latin, "caf\xe9"}).Status, 0);
  const std::string both = File("both.lin", "STATEMENT\r\n  ?: caf\xe9\r\n\r\nSTATEMENT\r\n  !: " + cafe + "\r\n\r\n");
  r = Run({"delete-statement", both, cafe, "--output", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadBytes(out), "STATEMENT\r\n  ?: caf\xe9\r\n\r\n");

  r = Run({"delete-statement", latin, "cafe"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "The statement 'cafe' has not yet been made and cannot be deleted.\n");
}

TEST_F(Cli, DeletionOnAFileWhoseReadingStopped) {
  const std::string cut = File("cut.lin",
                               "STATEMENT\r\n  ?: x\r\n\r\nCONCLUSION\r\n  ?: x\r\nREASON\r\n  !: y\r\n\r\n"
                               "STATEMENT\r\n");
  const std::string out = (folder_ / "out.lin").string();
  Result r = Run({"delete-statement", cut, "x", "--output", out});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "List index out of bounds.\n");
  EXPECT_EQ(r.Out.rfind("{\"error\": null,\n \"statements\": [\n  {\"id\": \"1\", \"sentence\": \"y\"", 0), 0u)
      << r.Out;
  EXPECT_EQ(ReadBytes(out), "STATEMENT\r\n  !: y\r\n\r\n");

  r = Run({"delete-connection", cut, "y", "x"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "List index out of bounds.\n");
  EXPECT_NE(r.Out.find("\"connections\": [],"), std::string::npos) << r.Out;

  // A refusal after such a reading: both go to standard error, nothing to standard output.
  r = Run({"delete-statement", cut, "z"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "List index out of bounds.\nThe statement 'z' has not yet been made and cannot be deleted.\n");
  EXPECT_EQ(r.Out, "");
}

TEST_F(Cli, OutputThatCannotBeWrittenExitsThree) {
  const Result r = Run({"delete-statement", Example("cycle.lin"), "the tenant pays the rent", "--output",
                        (folder_ / "no" / "such.lin").string()});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Cannot create file " + (folder_ / "no" / "such.lin").string() + ".\n");
}

}  // namespace
