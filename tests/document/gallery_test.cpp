// Every example of the gallery opens without error and ends with exactly the statuses
// that docs/gallery.md states for it, so the text cannot drift from the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/session_fixture.h"

namespace korvane::test {
namespace {

namespace fs = std::filesystem;

struct TStated {
  std::string Type;
  std::string Status;
};

/// example file name -> sentence -> what the gallery says of it.
using TGallery = std::map<std::string, std::map<std::string, TStated>>;

std::string Trim(const std::string& s) {
  const auto begin = s.find_first_not_of(' ');
  if (begin == std::string::npos) return {};
  return s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

std::vector<std::string> Cells(const std::string& row) {
  std::vector<std::string> cells;
  std::size_t start = 1;
  for (std::size_t bar = row.find('|', start); bar != std::string::npos; bar = row.find('|', start)) {
    cells.push_back(Trim(row.substr(start, bar - start)));
    start = bar + 1;
  }
  return cells;
}

// A section "## Title (`examples/name.lin`)" is followed by its table
// "| Statement | Type | Status |".
TGallery ReadGallery(const fs::path& path) {
  std::ifstream in(path);
  TGallery gallery;
  std::string line, example;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) {
      const auto begin = line.find("`examples/");
      const auto end = line.find(".lin`");
      example = begin == std::string::npos || end == std::string::npos
                    ? std::string()
                    : line.substr(begin + 10, end + 4 - begin - 10);
      continue;
    }
    if (example.empty() || line.rfind("| ", 0) != 0 || line.rfind("| Statement", 0) == 0) continue;
    const std::vector<std::string> cells = Cells(line);
    if (cells.size() != 3) continue;
    EXPECT_TRUE(gallery[example].emplace(cells[0], TStated{cells[1], cells[2]}).second)
        << example << " lists twice: " << cells[0];
  }
  return gallery;
}

const char* TypeName(TStatementType type) { return type == kIssue ? "issue" : "assumption"; }
const char* StatusName(TStatus status) {
  return status == kJustified ? "justified" : status == kUnjustified ? "unjustified" : "unevaluated";
}

TEST(Gallery, EveryExampleHasTheStatusesTheGallerySays) {
  const fs::path source = std::getenv("KORVANE_SOURCE_DIR");
  const TGallery gallery = ReadGallery(source / "docs/gallery.md");
  ASSERT_GE(gallery.size(), 12u);
  for (const auto& [example, stated] : gallery) {
    SCOPED_TRACE(example);
    SessionFixture f;
    ASSERT_NO_THROW(f.Session.OpenFile((source / "examples" / example).string()));
    const TStatements& statements = f.Stage().Statements;
    EXPECT_EQ(statements.Count(), stated.size()) << "the gallery lists a different number of statements";
    for (std::size_t i = 0; i < statements.Count(); ++i) {
      const TStatement& s = *statements[i];
      const auto it = stated.find(s.Sentence);
      if (it == stated.end()) {
        ADD_FAILURE() << "not in the gallery: " << s.Sentence;
        continue;
      }
      EXPECT_EQ(it->second.Type, TypeName(s.StatementType)) << s.Sentence;
      EXPECT_EQ(it->second.Status, StatusName(s.Status)) << s.Sentence;
    }
  }
}

}  // namespace
}  // namespace korvane::test
