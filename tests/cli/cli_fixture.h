// Runs korvane-cli as a user does, in a folder of the test's own: arguments quoted for the
// shell, standard input from a file, standard output and error kept apart.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"

namespace korvane::test {

struct CliRun {
  int Status = -1;
  std::string Out;
  std::string Err;
};

/// s in single quotes for the shell.
inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class CliFixture : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / ("korvane-" + std::string(test->test_suite_name()) + "-" +
                                                        std::to_string(::getpid()) + "-" + test->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  /// Writes bytes to a file of the test's folder; its path.
  std::string File(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return Path(name);
  }
  [[nodiscard]] std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Example(const std::string& name) {
    return std::string(KORVANE_SOURCE_DIR_PATH) + "/examples/" + name;
  }

  CliRun Run(const std::vector<std::string>& args, const std::string& input = "") {
    std::string command = ShellQuote(KORVANE_CLI_PATH);
    for (const std::string& a : args) command += " " + ShellQuote(a);
    command +=
        " <" + ShellQuote(File("stdin", input)) + " >" + ShellQuote(Path("out")) + " 2>" + ShellQuote(Path("err"));
    CliRun r;
    const int raw = std::system(command.c_str());
    r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.Out = ReadBytes(folder_ / "out");
    r.Err = ReadBytes(folder_ / "err");
    return r;
  }

  std::filesystem::path folder_;
};

}  // namespace korvane::test
