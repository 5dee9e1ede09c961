// Reading and writing text files: line ends, exact bytes, and failures that lose nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/text_file.h"
#include "line/messages.h"
#include "support/file_bytes.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

class TempFolder : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("korvane-files-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  [[nodiscard]] std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  [[nodiscard]] int FileCount() const {
    return static_cast<int>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }
  fs::path folder_;
};

TEST(SplitLines, AcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("a\rb\r"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines("a\r\r\nb\n\r"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitLines(std::string("a\0b\r\n\xe9", 6)), (Lines{std::string("a\0b", 3), "\xe9"}));
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({"STATEMENT", "  ?: s", ""}), "STATEMENT\r\n  ?: s\r\n\r\n");
}

TEST_F(TempFolder, WriteThenReadKeepsEveryByte) {
  const Lines lines{"STATEMENT", std::string("  ?: \0\x01\xff x ", 10), ""};
  WriteTextFile(Path("a.lin"), lines);
  EXPECT_EQ(ReadBytes(Path("a.lin")), JoinLines(lines));
  EXPECT_EQ(ReadTextFile(Path("a.lin")), lines);
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(TempFolder, EmptyLineOfArgumentationIsAnEmptyFile) {
  WriteBytes(Path("a.lin"), "old contents");
  WriteTextFile(Path("a.lin"), {});
  EXPECT_TRUE(fs::exists(Path("a.lin")));
  EXPECT_EQ(fs::file_size(Path("a.lin")), 0u);
}

TEST_F(TempFolder, ReplacingKeepsThePermissionsOfTheOldFile) {
  WriteBytes(Path("a.lin"), "old");
  fs::permissions(Path("a.lin"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteTextFile(Path("a.lin"), {"x"});
  EXPECT_EQ(fs::status(Path("a.lin")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(TempFolder, WritingThroughALinkReplacesTheFileItNames) {
  WriteBytes(Path("real.lin"), "old");
  fs::create_symlink(Path("real.lin"), Path("link.lin"));
  WriteTextFile(Path("link.lin"), {"new"});
  EXPECT_TRUE(fs::is_symlink(Path("link.lin")));
  EXPECT_EQ(ReadBytes(Path("real.lin")), "new\r\n");
}

TEST_F(TempFolder, UnreadableFilesGiveTheOpenError) {
  for (const std::string& path : {Path("missing.lin"), folder_.string()}) {
    try {
      (void)ReadTextFile(path);
      FAIL() << path;
    } catch (const TCommandError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
    }
  }
}

TEST_F(TempFolder, UnwritablePlacesGiveTheCreateError) {
  fs::create_directories(Path("folder"));
  for (const std::string& path : {Path("no/such/folder/a.lin"), Path("folder")}) {
    try {
      WriteTextFile(path, {"x"});
      FAIL() << path;
    } catch (const TCommandError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
  }
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_EQ(FileCount(), 1);
}

// The system's file system with one step made to fail.
class FailingFileSystem : public TFileSystem {
public:
  enum class Step { None, Create, Write, Permissions, Sync, Close, Rename };
  explicit FailingFileSystem(Step step) : step_(step) {}
  bool ReadFile(const std::string& p, std::string& b) override { return real_.ReadFile(p, b); }
  int CreateTemporary(const std::string& t, std::string& p) override {
    if (step_ == Step::Create) return -1;
    const int h = real_.CreateTemporary(t, p);
    temporary = p;
    return h;
  }
  bool Write(int h, const char* d, std::size_t n) override {
    // Half the bytes reach the disk before the failure, as when it fills up.
    if (step_ == Step::Write) return real_.Write(h, d, n / 2) && false;
    return real_.Write(h, d, n);
  }
  bool CopyPermissions(int h, const std::string& t) override {
    return step_ != Step::Permissions && real_.CopyPermissions(h, t);
  }
  bool Sync(int h) override { return step_ != Step::Sync && real_.Sync(h); }
  bool Close(int h) override { return real_.Close(h) && step_ != Step::Close; }
  bool Rename(const std::string& f, const std::string& t) override {
    return step_ != Step::Rename && real_.Rename(f, t);
  }
  void SyncFolderOf(const std::string& p) override { real_.SyncFolderOf(p); }
  void Remove(const std::string& p) override { real_.Remove(p); }
  std::string ResolveLinks(const std::string& p) override { return real_.ResolveLinks(p); }
  std::string temporary;

private:
  Step step_;
  TFileSystem& real_ = SystemFileSystem();
};

TEST_F(TempFolder, AFailureAtAnyStepLeavesTheOldFileAndNoTemporary) {
  using Step = FailingFileSystem::Step;
  for (Step step : {Step::Create, Step::Write, Step::Permissions, Step::Sync, Step::Close, Step::Rename}) {
    WriteBytes(Path("a.lin"), "old document\r\n");
    FailingFileSystem failing(step);
    try {
      WriteTextFile(Path("a.lin"), {"new", "document"}, failing);
      ADD_FAILURE() << "no error at step " << static_cast<int>(step);
    } catch (const TCommandError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot create file " + Path("a.lin"));
    }
    EXPECT_EQ(ReadBytes(Path("a.lin")), "old document\r\n") << static_cast<int>(step);
    EXPECT_EQ(FileCount(), 1) << "temporary left at step " << static_cast<int>(step);
  }
  FailingFileSystem none(Step::None);
  WriteTextFile(Path("a.lin"), {"new"}, none);
  EXPECT_EQ(ReadBytes(Path("a.lin")), "new\r\n");
  EXPECT_FALSE(fs::exists(none.temporary));
}

}  // namespace
}  // namespace korvane::test
