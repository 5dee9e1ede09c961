// Keeps data flowing one way: every #include in src/ names its own layer or one below it,
// and the core never includes Qt.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each folder of src/ with the folders its files may include from, besides its own.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"model", {}},
    {"line", {"model"}},
    {"files", {"model", "line"}},
    {"document", {"model", "line", "files"}},
    {"views", {"model", "line", "files", "document"}},
    {"interchange", {"model", "line", "files", "document"}},
    {"app", {"model", "line", "files", "document", "views", "interchange"}},
    {"cli", {"model", "line", "files", "document", "views", "interchange"}},
};
const std::set<std::string> kCore = {"model", "line", "files", "document"};

fs::path SourceRoot() {
  const char* root = std::getenv("KORVANE_SOURCE_DIR");
  return fs::path(root ? root : ".") / "src";
}

// "line/messages.h" names the layer line; a name without a known first folder is the file's own.
std::string LayerOf(const std::string& include, const std::string& own) {
  const std::size_t slash = include.find('/');
  if (slash == std::string::npos) return own;
  const std::string first = include.substr(0, slash);
  return kMayInclude.count(first) ? first : own;
}

bool IsQtHeader(const std::string& include) { return !include.empty() && include[0] == 'Q'; }

// Every include of a file that breaks the direction, as "file: include".
std::vector<std::string> Violations(const fs::path& file, const std::string& layer) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
  std::vector<std::string> found;
  std::ifstream in(file);
  std::string text;
  std::smatch match;
  while (std::getline(in, text)) {
    if (!std::regex_search(text, match, kInclude)) continue;
    const std::string name = match[2];
    const bool angled = match[1] == "<";
    const bool bad = angled ? kCore.count(layer) && IsQtHeader(name)
                            : LayerOf(name, layer) != layer && !kMayInclude.at(layer).count(LayerOf(name, layer));
    if (bad) found.push_back(fs::relative(file, SourceRoot()).string() + ": " + name);
  }
  return found;
}

TEST(IncludeDirection, EveryIncludeNamesItsOwnLayerOrOneBelow) {
  ASSERT_TRUE(fs::is_directory(SourceRoot())) << SourceRoot();
  std::vector<std::string> violations;
  std::set<std::string> layersSeen;
  for (const auto& entry : fs::recursive_directory_iterator(SourceRoot())) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    const std::string layer = fs::relative(entry.path(), SourceRoot()).begin()->string();
    ASSERT_TRUE(kMayInclude.count(layer)) << "a folder of src/ without a place among the layers: " << layer;
    layersSeen.insert(layer);
    for (const std::string& v : Violations(entry.path(), layer)) violations.push_back(v);
  }
  EXPECT_EQ(layersSeen.size(), kMayInclude.size());
  std::string report;
  for (const std::string& v : violations) report += "\n  " + v;
  EXPECT_TRUE(violations.empty()) << "includes against the direction:" << report;
}

}  // namespace
