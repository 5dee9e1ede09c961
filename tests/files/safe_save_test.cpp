// Saving never loses the previous file: the order of the steps, what is on the disk at
// the moment the new file takes the old one's place, and what a failure leaves behind
// (no temporary, no open handle, no half file where there was none).
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/text_file.h"
#include "line/messages.h"
#include "support/file_bytes.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

int OpenHandles() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

enum class Step { None, Create, Write, Permissions, Sync, Close, Rename };

const char* Name(Step step) {
  switch (step) {
    case Step::None: return "none";
    case Step::Create: return "create";
    case Step::Write: return "write";
    case Step::Permissions: return "permissions";
    case Step::Sync: return "sync";
    case Step::Close: return "close";
    case Step::Rename: return "rename";
  }
  return "?";
}

// The system's file system, logging every call; one step can be made to fail, and the
// temporary file's contents are captured at the moment it is renamed.
class RecordingFileSystem : public TFileSystem {
public:
  explicit RecordingFileSystem(Step failing = Step::None) : failing_(failing) {}

  bool ReadFile(const std::string& p, std::string& b) override { return real_.ReadFile(p, b); }
  int CreateTemporary(const std::string& t, std::string& p) override {
    Log += "create ";
    if (failing_ == Step::Create) return -1;
    const int h = real_.CreateTemporary(t, p);
    Temporary = p;
    return h;
  }
  bool Write(int h, const char* d, std::size_t n) override {
    Log += "write ";
    // Half the bytes reach the disk, then the disk is full.
    if (failing_ == Step::Write) return real_.Write(h, d, n / 2) && false;
    return real_.Write(h, d, n);
  }
  bool CopyPermissions(int h, const std::string& t) override {
    Log += "permissions ";
    return failing_ != Step::Permissions && real_.CopyPermissions(h, t);
  }
  bool Sync(int h) override {
    Log += "sync ";
    return failing_ != Step::Sync && real_.Sync(h);
  }
  bool Close(int h) override {
    Log += "close ";
    // The handle is gone either way, as with a real close that reports an error.
    return real_.Close(h) && failing_ != Step::Close;
  }
  bool Rename(const std::string& f, const std::string& t) override {
    Log += "rename ";
    AtRename = ReadBytes(f);
    return failing_ != Step::Rename && real_.Rename(f, t);
  }
  void SyncFolderOf(const std::string& p) override {
    Log += "syncfolder ";
    real_.SyncFolderOf(p);
  }
  void Remove(const std::string& p) override {
    Log += "remove ";
    real_.Remove(p);
  }
  std::string ResolveLinks(const std::string& p) override { return real_.ResolveLinks(p); }

  std::string Log;
  std::string Temporary;
  std::string AtRename;

private:
  Step failing_;
  TFileSystem& real_ = SystemFileSystem();
};

class SafeSave : public ::testing::TestWithParam<Step> {
protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("korvane-safe-save-" + std::to_string(::getpid()) + "-" + std::to_string(static_cast<int>(GetParam())));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  [[nodiscard]] std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  [[nodiscard]] std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Writes and reports the error text, empty when none.
  static std::string Save(const std::string& path, TFileSystem& fs) {
    try {
      WriteTextFile(path, {"STATEMENT", "  ?: new", ""}, fs);
    } catch (const TCommandError& error) {
      return error.what();
    }
    return {};
  }
  fs::path folder_;
};

TEST_P(SafeSave, AFailedSaveOverAnOldFileLeavesItAndNothingElse) {
  const Step step = GetParam();
  WriteBytes(Path("case.lin"), "STATEMENT\r\n  ?: old\r\n\r\n");
  fs::permissions(Path("case.lin"), fs::perms(0640));
  const int handles = OpenHandles();
  RecordingFileSystem recording(step);
  const std::string error = Save(Path("case.lin"), recording);
  EXPECT_EQ(OpenHandles(), handles) << "a handle was left open";
  if (step == Step::None) {
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadBytes(Path("case.lin")), "STATEMENT\r\n  ?: new\r\n\r\n");
    EXPECT_EQ(fs::status(Path("case.lin")).permissions(), fs::perms(0640));
  } else {
    EXPECT_EQ(error, "Cannot create file " + Path("case.lin"));
    EXPECT_EQ(ReadBytes(Path("case.lin")), "STATEMENT\r\n  ?: old\r\n\r\n");
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"case.lin"}) << recording.Log;
}

TEST_P(SafeSave, AFailedSaveOfANewFileCreatesNothing) {
  RecordingFileSystem recording(GetParam());
  const std::string error = Save(Path("new.lin"), recording);
  if (GetParam() == Step::None) {
    EXPECT_EQ(Entries(), std::vector<std::string>{"new.lin"});
  } else {
    EXPECT_EQ(error, "Cannot create file " + Path("new.lin"));
    EXPECT_TRUE(Entries().empty()) << recording.Log;
  }
}

TEST_P(SafeSave, AFailedSaveThroughALinkKeepsTheLinkAndItsFile) {
  const Step step = GetParam();
  fs::create_directories(Path("real"));
  WriteBytes(Path("real/case.lin"), "old\r\n");
  fs::create_symlink(Path("real/case.lin"), Path("link.lin"));
  RecordingFileSystem recording(step);
  const std::string error = Save(Path("link.lin"), recording);
  EXPECT_TRUE(fs::is_symlink(Path("link.lin")));
  // The temporary is made beside the file the link names, so the rename stays on one disk.
  if (step != Step::Create) EXPECT_EQ(fs::path(recording.Temporary).parent_path(), fs::path(Path("real")));
  if (step == Step::None) {
    EXPECT_EQ(ReadBytes(Path("real/case.lin")), "STATEMENT\r\n  ?: new\r\n\r\n");
  } else {
    EXPECT_EQ(error, "Cannot create file " + Path("link.lin"));
    EXPECT_EQ(ReadBytes(Path("real/case.lin")), "old\r\n");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("real")), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(EachStep, SafeSave,
                         ::testing::Values(Step::None, Step::Create, Step::Write, Step::Permissions, Step::Sync,
                                           Step::Close, Step::Rename),
                         [](const ::testing::TestParamInfo<Step>& info) { return std::string(Name(info.param)); });

class SafeSaveOrder : public SafeSave {};

TEST_P(SafeSaveOrder, TheNewFileIsCompleteAndOnTheDiskBeforeItReplacesTheOld) {
  WriteBytes(Path("case.lin"), "old\r\n");
  RecordingFileSystem recording;
  ASSERT_EQ(Save(Path("case.lin"), recording), "");
  EXPECT_EQ(recording.Log, "create write permissions sync close rename syncfolder ");
  EXPECT_EQ(recording.AtRename, "STATEMENT\r\n  ?: new\r\n\r\n");
  // Hidden and beside the target.
  EXPECT_EQ(fs::path(recording.Temporary).parent_path(), folder_);
  EXPECT_EQ(fs::path(recording.Temporary).filename().string().front(), '.');
}

TEST_P(SafeSaveOrder, EveryFailureRemovesTheTemporaryItMade) {
  for (Step step : {Step::Write, Step::Permissions, Step::Sync, Step::Close, Step::Rename}) {
    RecordingFileSystem recording(step);
    (void)Save(Path("case.lin"), recording);
    EXPECT_NE(recording.Log.find("remove"), std::string::npos) << Name(step) << ": " << recording.Log;
    EXPECT_EQ(recording.Log.find("syncfolder"), std::string::npos) << Name(step);
    EXPECT_FALSE(fs::exists(recording.Temporary)) << Name(step);
  }
}

// File names as long as the system allows still get a temporary beside them.
TEST_P(SafeSaveOrder, ALongestNameCanBeSavedAndReplaced) {
  const std::string name = std::string(251, 'n') + ".lin";
  ASSERT_EQ(name.size(), 255u);
  WriteBytes(Path(name), "old\r\n");
  ASSERT_EQ(ReadBytes(Path(name)), "old\r\n");
  RecordingFileSystem recording;
  EXPECT_EQ(Save(Path(name), recording), "");
  EXPECT_EQ(ReadBytes(Path(name)), "STATEMENT\r\n  ?: new\r\n\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(Once, SafeSaveOrder, ::testing::Values(Step::None),
                         [](const ::testing::TestParamInfo<Step>&) { return std::string("system"); });

}  // namespace
}  // namespace korvane::test
