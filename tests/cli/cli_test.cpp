// korvane-cli, run as a user runs it: output, exit statuses, files.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/file_bytes.h"

namespace {

using korvane::test::ReadBytes;

namespace fs = std::filesystem;

struct Result {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class Cli : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("korvane-cli-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string File(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  static std::string Example(const std::string& name) {
    return std::string(KORVANE_SOURCE_DIR_PATH) + "/examples/" + name;
  }

  Result Run(const std::vector<std::string>& args, const std::string& input = "") {
    std::string command = Quote(KORVANE_CLI_PATH);
    for (const std::string& a : args) command += " " + Quote(a);
    const std::string in = File("stdin", input);
    command += " <" + Quote(in) + " >" + Quote((folder_ / "out").string()) + " 2>" + Quote((folder_ / "err").string());
    Result r;
    const int raw = std::system(command.c_str());
    r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.Out = ReadBytes(folder_ / "out");
    r.Err = ReadBytes(folder_ / "err");
    return r;
  }

  fs::path folder_;
};

TEST_F(Cli, EvalPrintsTheWholeStage) {
  const Result r = Run({"eval", Example("sale_of_goods.lin")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "{\"error\": null,\n"
            " \"statements\": [\n"
            "  {\"id\": \"1\", \"sentence\": \"the buyer knew of the defect\", \"type\": \"issue\", \"status\": \"unjustified\"},\n"
            "  {\"id\": \"2\", \"sentence\": \"the buyer may return them\", \"type\": \"issue\", \"status\": \"justified\"},\n"
            "  {\"id\": \"3\", \"sentence\": \"the goods are defective\", \"type\": \"assumption\", \"status\": \"justified\"},\n"
            "  {\"id\": \"4\", \"sentence\": \"(IF the goods are defective, THEN the buyer may return them)\", \"type\": \"assumption\", \"status\": \"justified\"}],\n"
            " \"connections\": [\n"
            "  {\"reason\": \"3\", \"conclusion\": \"2\", \"exceptions\": [\"1\"]}],\n"
            " \"maximal\": [\"2\"],\n"
            " \"arguments\": [\n"
            "  [\"1\", []],\n"
            "  [\"2\", [[\"3\", []]]],\n"
            "  [\"4\", []]],\n"
            " \"text\": [\n"
            "  \"EXCEPTION\",\n  \"  ?: the buyer knew of the defect\",\n  \"CONCLUSION\",\n  \"  ?: the buyer may return them\",\n"
            "  \"REASON\",\n  \"  ?: the goods are defective\",\n  \"\",\n"
            "  \"STATEMENT\",\n  \"  !: the goods are defective\",\n  \"\",\n"
            "  \"STATEMENT\",\n  \"  !: (IF the goods are defective, THEN the buyer may return them)\",\n  \"\"]}\n");
  EXPECT_EQ(r.Err, "");
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
  EXPECT_NE(r.Out.find("\"sentence\": \"\xc3\xa9t\xc3\xa9\""), std::string::npos);  // Latin-1 bytes made UTF-8
  EXPECT_EQ(r.Out.find("\xe9t"), std::string::npos);  // no invalid UTF-8 in the output
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
  EXPECT_EQ(r.Err, "The statement 'e'\nis not yet an exception blocking the connection\nbetween the reason 'r'\n"
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

TEST_F(Cli, OutputThatCannotBeWrittenExitsThree) {
  const Result r = Run({"delete-statement", Example("cycle.lin"), "the tenant pays the rent", "--output",
                        (folder_ / "no" / "such.lin").string()});
  EXPECT_EQ(r.Status, 3);
  EXPECT_EQ(r.Err, "Cannot create file " + (folder_ / "no" / "such.lin").string() + ".\n");
}

}  // namespace
