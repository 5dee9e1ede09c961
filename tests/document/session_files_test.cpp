// Open, Append and writing through the session.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/text_file.h"
#include "support/session_fixture.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class SessionFiles : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("korvane-session-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  fs::path folder_;
  SessionFixture f;
};

TEST_F(SessionFiles, OpenReplaysTheFileOnANewLine) {
  f.State("old", kIssue);
  const std::string path = Write("a.lin", "STATEMENT\r\n  !: a\r\n\r\nb\n");
  f.Session.OpenFile(path);
  EXPECT_EQ(f.Line().FileName, path);
  EXPECT_FALSE(f.Line().Modified);
  EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  !: a", "", "STATEMENT", "  !: b", ""}));
  EXPECT_EQ(f.Find("old"), nullptr);
}

TEST_F(SessionFiles, OpenOfAnUnreadableFileKeepsTheDocument) {
  f.State("kept", kIssue);
  f.Line().FileName = "mine.lin";
  TLineOfArgumentation* before = &f.Line();
  const std::string missing = (folder_ / "missing.lin").string();
  EXPECT_THROW(f.Session.OpenFile(missing), TCommandError);
  EXPECT_EQ(&f.Line(), before);
  EXPECT_EQ(f.Line().FileName, "mine.lin");
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
}

TEST_F(SessionFiles, OpenStoppedByTheListErrorKeepsMovesAndModified) {
  const std::string path = Write("cut.lin", "a\r\nSTATEMENT\r\n");
  try {
    f.Session.OpenFile(path);
    FAIL();
  } catch (const TCommandError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds");
  }
  EXPECT_EQ(f.Line().FileName, path);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 1);
  EXPECT_TRUE(f.Line().Modified);
}

// Progress is reported from line 0 up to the end; a false answer stops an opening and
// brings back the document it was to replace, but does not stop an Append.
TEST_F(SessionFiles, ProgressReportsTheLinesAndCancelOnlyStopsAnOpening) {
  std::string bytes;
  for (int i = 0; i < 50; ++i) bytes += "sentence " + std::to_string(i) + "\r\n";
  const std::string path = Write("many.lin", bytes);
  std::vector<std::size_t> seen;
  bool goOn = true;
  f.Session.Progress = [&](std::size_t examined, std::size_t total) {
    EXPECT_EQ(total, 50u);
    seen.push_back(examined);
    return goOn;
  };
  f.Session.OpenFile(path);
  EXPECT_EQ(seen, (std::vector<std::size_t>{0, 10, 20, 30, 40, 50}));
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 50);

  f.State("mine", kIssue);
  f.Line().FileName = "mine.lin";
  TLineOfArgumentation* before = &f.Line();
  seen.clear();
  goOn = false;
  EXPECT_THROW(f.Session.OpenFile(path), TOpeningCancelled);
  EXPECT_EQ(seen, (std::vector<std::size_t>{0, 50}));
  EXPECT_EQ(&f.Line(), before);
  EXPECT_EQ(f.Line().FileName, "mine.lin");
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 51);
  EXPECT_EQ(f.Host.Lines, f.Line().Text()) << "the text view shows the document again";
  EXPECT_TRUE(f.Session.Interactive);

  seen.clear();
  f.Session.AppendFile(path);
  EXPECT_EQ(seen, (std::vector<std::size_t>{0, 10, 20, 30, 40, 50})) << "an Append runs to its end";
}

TEST_F(SessionFiles, AppendAddsMovesAndKeepsFileName) {
  f.State("a", kIssue);
  f.Line().FileName = "doc.lin";
  const std::string path = Write("b.lin", "STATEMENT\r\n  ?: a\r\n\r\n");
  f.Session.AppendFile(path);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
  EXPECT_EQ(f.Line().FileName, "doc.lin");
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_THROW(f.Session.AppendFile((folder_ / "none").string()), TCommandError);
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 2);
}

TEST_F(SessionFiles, WriteFileLeavesNameAndModifiedAlone) {
  f.State("s", kIssue);
  f.Line().FileName = "New.lin";
  const std::string path = (folder_ / "out.lin").string();
  f.Session.WriteFile(path);
  EXPECT_EQ(f.Line().FileName, "New.lin");
  EXPECT_TRUE(f.Line().Modified);
  EXPECT_EQ(ReadTextFile(path), (Lines{"STATEMENT", "  ?: s", ""}));
}

// The window's busy state hangs on these two calls: each interpretation makes exactly one of
// each, the end after the flags are back and before the one refresh, also when it stops.
TEST(SessionInterpretation, BeginsAndEndsOnceOnEveryWayOut) {
  struct TRecordingHost : TPlainTextHost {
    std::vector<std::string> Calls;
    void InterpretationBegins() override { Calls.push_back("begins"); }
    void InterpretationEnds() override { Calls.push_back("ends"); }
  };
  for (const Lines& text : {Lines{"a", "b"}, Lines{"a", "CONCLUSION", "  ?: c"}}) {
    ScriptedAsker asker;
    TRecordingHost host;
    TSession session(asker, host);
    session.RefreshHook = [&] {
      EXPECT_TRUE(session.Interactive && session.RefreshViews);
      host.Calls.push_back("refresh");
    };
    host.Lines = text;
    const bool stopped = text.size() == 3;
    if (stopped)
      EXPECT_THROW(session.InterpretLines(), TCommandError);
    else
      session.InterpretLines();
    EXPECT_EQ(host.Calls, (Lines{"begins", "ends", "refresh"}));
  }
}

}  // namespace
}  // namespace korvane::test
