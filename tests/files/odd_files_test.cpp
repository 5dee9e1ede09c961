// Hostile and odd files through Open, Append and Save: binary bytes, text in other
// encodings, huge lines, every kind of line end, things that are not files at all, and
// paths that are not ASCII. Nothing crashes or hangs, a refusal names the file, and
// what the user had stays.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <random>
#include <thread>

#include "files/text_file.h"
#include "line/lin_syntax.h"
#include "support/file_bytes.h"
#include "support/session_fixture.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string StatementBlock(const std::string& mark, const std::string& sentence) {
  return "STATEMENT\r\n  " + mark + ": " + sentence + "\r\n\r\n";
}

class OddFiles : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("korvane-odd-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // Opens the file, then saves the document beside it and gives the saved bytes.
  std::string OpenAndSave(const std::string& path) {
    f.Session.OpenFile(path);
    EXPECT_TRUE(f.Asker.Messages.empty());
    const std::string saved = Path("saved.lin");
    f.Session.WriteFile(saved);
    return ReadBytes(saved);
  }
  // A document the user has: one move, a name, unsaved.
  void HaveADocument() {
    f.State("the user's own work", kIssue);
    f.Line().FileName = "/home/user/mine.lin";
  }
  void ExpectTheDocumentKept(const TLineOfArgumentation* before) {
    EXPECT_EQ(&f.Line(), before);
    EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  ?: the user's own work", ""}));
    EXPECT_EQ(f.Line().FileName, "/home/user/mine.lin");
    EXPECT_TRUE(f.Line().Modified);
  }
  static std::string OpenError(TSession& session, const std::string& path) {
    try {
      session.OpenFile(path);
    } catch (const TCommandError& error) {
      return error.what();
    }
    return "<opened>";
  }

  fs::path folder_;
  SessionFixture f;
};

TEST_F(OddFiles, EveryByteButTheLineEndsStaysInASentence) {
  std::string sentence;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') sentence += static_cast<char>(b);
  const std::string file = StatementBlock("?", sentence);
  EXPECT_EQ(OpenAndSave(Write("bytes.lin", file)), file);
  ASSERT_EQ(f.Stage().Statements.Count(), 1);
  EXPECT_EQ(f.Stage().Statements[0]->Sentence, sentence);
  EXPECT_EQ(f.Stage().Statements[0]->Sentence.size(), 254u);
}

TEST_F(OddFiles, ABinaryFileIsReadAsPlainLinesAndSavedAsTheirStatements) {
  std::mt19937 random(7);
  std::string bytes(16 * 1024, '\0');
  for (char& c : bytes) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
  const std::string path = Write("binary.bin", bytes);
  // What a plain line gives: a trimmed assumption, or nothing for a line of blanks and controls.
  Lines expected;
  for (const std::string& line : SplitLines(bytes)) {
    for (const char* keyword : {kStatementKeyword, kConclusionKeyword, kExceptionKeyword, kIfKeyword,
                                kStepWarrantKeyword, kUndercutterWarrantKeyword})
      ASSERT_NE(line, keyword) << "the random bytes hold a keyword line; choose another seed";
    const std::string sentence = Trim(line);
    if (sentence.empty()) continue;
    expected.insert(expected.end(), {kStatementKeyword, "  !: " + sentence, ""});
  }
  ASSERT_GT(expected.size(), 150u);
  const std::string saved = OpenAndSave(path);
  EXPECT_EQ(f.Line().Text(), expected);
  EXPECT_EQ(saved, JoinLines(expected));
  // The saved file opens to the same line.
  SessionFixture again;
  again.Session.OpenFile(Path("saved.lin"));
  EXPECT_EQ(again.Line().Text(), expected);
}

TEST_F(OddFiles, TextInOtherEncodingsIsKeptByteForByte) {
  const Lines sentences{
      "caf\xe9 cr\xe8me",               // Windows-1252
      "\x93quoted\x94 \x80 \x9f",       // Windows-1252 quotes, euro sign, a byte it leaves undefined
      "na\xc3\xafve \xe2\x9c\x93",      // valid UTF-8
      "broken \xc3\x28 sequence",       // a lead byte without its continuation
      "overlong \xc0\xaf slash",        // an overlong encoding
      "surrogate \xed\xa0\x80 half",    // an encoded UTF-16 surrogate
      "beyond \xf4\x90\x80\x80 range",  // past the last code point
      "\xef\xbb\xbfwith a byte-order mark",
  };
  std::string file;
  std::string expected;
  for (const std::string& s : sentences) {
    file += s + "\n";
    expected += StatementBlock("!", s);
  }
  EXPECT_EQ(OpenAndSave(Write("encodings.lin", file)), expected);
  ASSERT_EQ(f.Stage().Statements.Count(), static_cast<int>(sentences.size()));
  for (std::size_t k = 0; k < f.Stage().Statements.Count(); ++k)
    EXPECT_EQ(f.Stage().Statements[k]->Sentence, sentences[k]);
}

TEST_F(OddFiles, LinesOfSeveralMegabytesAreWholeSentences) {
  std::string huge(6 * 1024 * 1024, 'x');
  for (std::size_t k = 0; k < huge.size(); k += 97) huge[k] = ' ';
  huge.front() = 'A';
  huge.back() = 'Z';
  const std::string reason(3 * 1024 * 1024, 'r');
  // A huge block sentence, a huge plain line with blanks around it, and a connection
  // between huge sentences (whose warrant is longer still).
  const std::string file =
      StatementBlock("?", huge) + "   " + huge + "  \t\r\n" + "IF\r\n" + reason + "\r\nTHEN\r\n" + huge + "\r\n\r\n";
  const std::string saved = OpenAndSave(Write("huge.lin", file));
  const std::string warrant = "(IF " + reason + ", THEN " + huge + ")";
  EXPECT_EQ(saved, StatementBlock("?", huge) + StatementBlock("!", huge) + StatementBlock("!", warrant) +
                       "CONCLUSION\r\n  ?: " + huge + "\r\nREASON\r\n  ?: " + reason + "\r\n\r\n");
  EXPECT_EQ(f.Stage().Statements.Count(), 3);
  EXPECT_EQ(f.Stage().ReasonConclusions.Count(), 1);
}

TEST_F(OddFiles, AFileWithoutAnyLineEndIsOneLine) {
  const std::string line(5 * 1024 * 1024, 'w');
  EXPECT_EQ(OpenAndSave(Write("one-line.lin", line)), StatementBlock("!", line));
}

// A long file of plain lines: each one an assumption, in file order, numbered in order.
TEST_F(OddFiles, AHundredThousandPlainLinesAreThatManyStatements) {
  constexpr int kCount = 100000;
  std::string file;
  for (int k = 0; k < kCount; ++k) file += "plain sentence " + std::to_string(k) + (k % 3 ? "\r\n" : "\n");
  const std::string saved = OpenAndSave(Write("plain.lin", file));
  ASSERT_EQ(f.Stage().Statements.Count(), kCount);
  for (int k = 0; k < kCount; k += 997) {
    EXPECT_EQ(f.Stage().Statements[k]->Sentence, "plain sentence " + std::to_string(k));
    EXPECT_EQ(f.Stage().Statements[k]->Id, std::to_string(k + 1));
    EXPECT_EQ(f.Stage().Statements[k]->StatementType, kAssumption);
  }
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 3 * kCount);
}

// 100,000 lines that make no move: blanks, control characters, skipped warrant blocks.
TEST_F(OddFiles, AHundredThousandLinesWithoutMovesAreReadToTheEnd) {
  std::string file;
  for (int k = 0; k < 100000; k += 4) file += "   \r\nSTEP WARRANT\r\nSTATEMENT\r\n\t\x01\x1f\r\n";
  f.Session.OpenFile(Write("empty-ish.lin", file));
  EXPECT_EQ(f.Line().ArgumentationMoves.Count(), 0);
  EXPECT_FALSE(f.Line().Modified);
  // The progress line: one dot to begin with, one more at every tenth line examined; the
  // line after "STEP WARRANT" is skipped unexamined, and so are lines 10, 30, 50, ...
  ASSERT_EQ(f.Host.Lines.size(), 2u);
  EXPECT_EQ(f.Host.Lines[0], "Interpreting file");
  EXPECT_EQ(f.Host.Lines[1].size(), 1u + 100000 / 20);
}

struct LineEndCase {
  const char* Name;
  std::string File;
  Lines Text;
};

void PrintTo(const LineEndCase& c, std::ostream* os) { *os << c.Name; }

class LineEnds : public OddFiles, public ::testing::WithParamInterface<LineEndCase> {};

TEST_P(LineEnds, AreAllLineEndsAndSavedAsCrLf) {
  const std::string saved = OpenAndSave(Write("ends.lin", GetParam().File));
  EXPECT_EQ(f.Line().Text(), GetParam().Text);
  EXPECT_EQ(saved, JoinLines(GetParam().Text));
}

INSTANTIATE_TEST_SUITE_P(
    Mixed, LineEnds,
    ::testing::Values(LineEndCase{"lf", "STATEMENT\n  ?: a\n\n", {"STATEMENT", "  ?: a", ""}},
                      LineEndCase{"cr", "STATEMENT\r  ?: a\r\r", {"STATEMENT", "  ?: a", ""}},
                      LineEndCase{"mixed",
                                  "STATEMENT\n  ?: a\rCONCLUSION\r\n  ?: a\nREASON\r  !: b\n\r\nc",
                                  {"STATEMENT", "  ?: a", "", "CONCLUSION", "  ?: a", "REASON", "  !: b", "",
                                   "STATEMENT", "  !: c", ""}},
                      // LF then CR is two line ends; the empty line between is skipped as a plain line.
                      LineEndCase{"lf cr", "x\n\ry\n\r", {"STATEMENT", "  !: x", "", "STATEMENT", "  !: y", ""}},
                      LineEndCase{
                          "last block without a line end", "STATEMENT\r\n  !: last", {"STATEMENT", "  !: last", ""}},
                      LineEndCase{"last line ends in a lone cr", "STATEMENT\r\n  ?: z\r", {"STATEMENT", "  ?: z", ""}},
                      LineEndCase{"line ends only", "\r\n\n\r\r\r\n", {}}, LineEndCase{"empty file", "", {}}),
    [](const ::testing::TestParamInfo<LineEndCase>& info) {
      std::string name = info.param.Name;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST_F(OddFiles, ARuleCutShortByTheEndOfTheFileStopsWithTheListErrorAndKeepsTheMovesBefore) {
  const std::string path = Write("cut.lin", "first\r\nIF\r\nreason\r\nTHEN\r\nconclusion");
  EXPECT_EQ(OpenError(f.Session, path), "List index out of bounds");
  EXPECT_EQ(f.Line().Text(), (Lines{"STATEMENT", "  !: first", ""}));
  EXPECT_EQ(f.Line().FileName, path);
  EXPECT_TRUE(f.Session.Interactive);
  EXPECT_TRUE(f.Session.RefreshViews);
}

TEST_F(OddFiles, WhatIsNotAReadableFileIsRefusedAndTheDocumentStays) {
  HaveADocument();
  const TLineOfArgumentation* before = &f.Line();
  fs::create_directories(Path("a folder.lin"));
  Write("file", "x");
  for (const std::string& path : {Path("a folder.lin"), Path("missing.lin"), Path("file/inside.lin"), std::string()}) {
    EXPECT_EQ(OpenError(f.Session, path), "Cannot open file " + path);
    ExpectTheDocumentKept(before);
    try {
      f.Session.AppendFile(path);
      ADD_FAILURE() << "appended " << path;
    } catch (const TCommandError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
    ExpectTheDocumentKept(before);
  }
  EXPECT_TRUE(fs::is_directory(Path("a folder.lin")));
}

// A device that never ends and a pipe nobody writes to would make a read run forever.
TEST_F(OddFiles, DevicesAndPipesAreRefusedWithoutWaiting) {
  HaveADocument();
  const TLineOfArgumentation* before = &f.Line();
  const std::string fifo = Path("pipe.lin");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), std::string("/dev/null"), fifo}) {
    std::promise<std::string> result;
    std::future<std::string> done = result.get_future();
    TSession& session = f.Session;
    std::thread reader([&] { result.set_value(OpenError(session, path)); });
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << "opening " << path << " does not return";
      // Let a reader that waits for a writer go, so the test can end.
      const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (w >= 0) ::close(w);
      reader.join();
      continue;
    }
    reader.join();
    EXPECT_EQ(done.get(), "Cannot open file " + path);
    ExpectTheDocumentKept(before);
  }
}

TEST_F(OddFiles, SavingOverAFolderIsRefusedAndTheFolderStays) {
  HaveADocument();
  fs::create_directories(Path("folder.lin"));
  Write("folder.lin/inside", "kept");
  for (const std::string& path : {Path("folder.lin"), Path("missing/x.lin"), Path("folder.lin/inside/x.lin")}) {
    try {
      f.Session.WriteFile(path);
      ADD_FAILURE() << "wrote " << path;
    } catch (const TCommandError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
  }
  EXPECT_EQ(ReadBytes(Path("folder.lin/inside")), "kept");
  EXPECT_FALSE(fs::exists(Path("missing")));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("folder.lin")), fs::directory_iterator()), 1);
}

TEST_F(OddFiles, PathsThatAreNotAsciiWorkAndAppearExactlyInErrors) {
  // UTF-8 names, and a name in Windows-1252 that is not valid UTF-8.
  const std::string utf8Folder = Path("Akten \xc3\xbc\xc3\x9f \xe2\x9c\x93");
  fs::create_directories(utf8Folder);
  for (const std::string& path : {utf8Folder + "/Fall \xc3\xa4 1.lin", Path("caf\xe9.lin")}) {
    SessionFixture session;
    std::ofstream(path, std::ios::binary) << StatementBlock("?", "a");
    session.Session.OpenFile(path);
    EXPECT_EQ(session.Line().FileName, path);
    session.State("b", kAssumption);
    session.Session.WriteFile(path);
    EXPECT_EQ(ReadBytes(path), StatementBlock("?", "a") + StatementBlock("!", "b"));
    const std::string missing = path + ".missing";
    EXPECT_EQ(OpenError(session.Session, missing), "Cannot open file " + missing);
  }
}

}  // namespace
}  // namespace korvane::test
