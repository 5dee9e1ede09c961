// korvane-cli export and import as a user runs them: outputs, files, exit statuses, messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_fixture.h"
#include "support/file_bytes.h"

namespace {

using korvane::test::ReadBytes;
namespace fs = std::filesystem;

using TRun = korvane::test::CliRun;

class InterchangeCli : public korvane::test::CliFixture {};

TEST_F(InterchangeCli, ExportThenImportGivesTheSameEvaluatedLine) {
  for (const char* format : {"aif", "argdown"}) {
    SCOPED_TRACE(format);
    const std::string exported = Path(std::string("line.") + (format[1] == 'i' ? "json" : "argdown"));
    ASSERT_EQ(Run({"export", Example("warrants.lin"), "--format", format, "--output", exported}).Status, 0);
    const TRun imported = Run({"import", exported, "--output", Path("back.lin")});
    ASSERT_EQ(imported.Status, 0) << imported.Err;
    EXPECT_EQ(imported.Err, "");
    const std::string before = Run({"eval", Example("warrants.lin")}).Out;
    const std::string after = Run({"eval", Path("back.lin")}).Out;
    // Statements, connections and maximal arguments agree; only the text of moves differs.
    EXPECT_EQ(before.substr(0, before.find("\"text\"")), after.substr(0, after.find("\"text\"")));
  }
}

TEST_F(InterchangeCli, ExportWritesStandardOutputOrAFileAndExportsTheStageReachedWhenCutShort) {
  const TRun out = Run({"export", Example("cycle.lin"), "--format", "dot"});
  EXPECT_EQ(out.Status, 0);
  EXPECT_EQ(out.Out.rfind("digraph korvane {", 0), 0u);
  const TRun cut = Run({"export", File("cut.lin", "STATEMENT\r\n  ?: a\r\n\r\nSTATEMENT\r\n"), "--format", "aspic"});
  EXPECT_EQ(cut.Status, 1);
  EXPECT_EQ(cut.Err, "List index out of bounds.\n");
  EXPECT_NE(cut.Out.find("\"text\": \"a\""), std::string::npos) << cut.Out;
}

struct TStatusCase {
  std::vector<std::string> Args;
  int Status;
  std::string Err;
};

TEST_F(InterchangeCli, ExitStatusesAndMessages) {
  const std::string good = Example("warrants.lin");
  const std::string malformed =
      File("bad.json", "{\"nodes\": [\n  {\"nodeID\": \"1\", \"type\": \"I\" \"text\": \"a\"}]}");
  const std::string missing =
      File("missing.json",
           "{\"nodes\": [{\"nodeID\": \"1\", \"type\": \"RA\"}], \"edges\": [{\"fromID\": \"1\", \"toID\": \"99\"}]}");
  const std::string bare = File("bare.argdown", "[C]: c\n  - [X]: x\n");
  const std::vector<TStatusCase> cases = {
      {{"export", good}, 2, "korvane-cli: export needs --format\n"},
      {{"export", good, "--format", "svg"},
       2,
       "korvane-cli: unknown format 'svg' (aif, argdown, dot, graphml or aspic)\n"},
      {{"export", Path("none.lin"), "--format", "aif"}, 3, "Cannot open file " + Path("none.lin") + ".\n"},
      {{"export", good, "--format", "aif", "--output", Path("no/such/folder/x.json")},
       3,
       "Cannot create file " + Path("no/such/folder/x.json") + ".\n"},
      {{"import", malformed, "--output", Path("x.lin")},
       1,
       malformed + ": not valid JSON: line 2, column 36: unexpected string literal; expected '}'.\n"},
      {{"import", missing, "--output", Path("x.lin")}, 1, missing + ": edge 1: toID \"99\" names no node.\n"},
      {{"import", Path("none.json"), "--output", Path("x.lin")}, 3, "Cannot open file " + Path("none.json") + ".\n"},
      {{"import", good, "--output", Path("x.lin")}, 2, ""},
      {{"import", malformed}, 2, ""},
      {{"import", bare, "--output", Path("bare.lin")},
       0,
       bare + ": line 2: the attacked statement ([C] (line 1)) has no support an exception could block; the attack is "
              "left out.\n"},
  };
  for (const TStatusCase& c : cases) {
    SCOPED_TRACE(c.Args[0] + " " + c.Args[1]);
    const TRun r = Run(c.Args);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    if (!c.Err.empty() && c.Status != 2) {
      EXPECT_EQ(r.Err, c.Err);
    } else if (!c.Err.empty()) {
      EXPECT_EQ(r.Err.substr(0, r.Err.find('\n') + 1), c.Err);
    }
  }
  EXPECT_FALSE(fs::exists(Path("x.lin")));  // nothing is written for an import that stopped
  EXPECT_TRUE(fs::exists(Path("bare.lin")));
}

TEST_F(InterchangeCli, AFiftyMegabyteFileIsRefusedWithItsSize) {
  const std::string big = Path("big.json");
  {
    std::ofstream out(big, std::ios::binary);
    const std::string chunk(1 << 20, ' ');
    for (int k = 0; k < 50; ++k) out << chunk;
  }
  const TRun r = Run({"import", big, "--output", Path("big.lin")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, big + ": the file has 52428800 bytes; an import reads at most 33554432 (32 MB).\n");
}

}  // namespace
