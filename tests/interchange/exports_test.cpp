// What each export writes for a small line, and how it escapes what its format reserves.
#include <gtest/gtest.h>

#include <utility>

#include "interchange/json_reader.h"
#include "interchange_fixture.h"

namespace korvane::test {
namespace {

using namespace korvane::interchange;

// An issue supported by an assumption, its warrant stated, and an exception with its
// undercutter warrant stated.
const std::vector<std::string> kLine = {"CONCLUSION",
                                        "  ?: c",
                                        "REASON",
                                        "  !: a",
                                        "",
                                        "STATEMENT",
                                        "  !: (IF a, THEN c)",
                                        "",
                                        "EXCEPTION",
                                        "  ?: e",
                                        "CONCLUSION",
                                        "  ?: c",
                                        "REASON",
                                        "  !: a",
                                        "",
                                        "STATEMENT",
                                        "  !: (THAT e, IS AN EXCEPTION TO THE RULE THAT, IF a, THEN c)",
                                        ""};

std::string Exported(const std::vector<std::string>& lines, TExportFormat format) {
  auto s = Interpreted(lines);
  return Export(TArgumentGraph(*s->Session.Line().CurrentStage), format);
}

TEST(Exports, AifHasAnRaWithTheWarrantAsPremiseAndACaAimedAtIt) {
  const TJsonValue aif = ParseJson(Exported(kLine, TExportFormat::Aif));
  std::vector<std::string> nodes;
  for (const TJsonValue& n : aif.Find("nodes")->Items())
    nodes.push_back(n.Find("nodeID")->Text() + n.Find("type")->Text());
  EXPECT_EQ(nodes, (std::vector<std::string>{"1I", "2I", "3I", "4I", "5I", "6RA", "7CA"}));
  std::vector<std::string> edges;
  for (const TJsonValue& e : aif.Find("edges")->Items())
    edges.push_back(e.Find("fromID")->Text() + ">" + e.Find("toID")->Text());
  // a -> RA, warrant -> RA, RA -> c; e -> CA, undercutter warrant -> CA, CA -> RA.
  EXPECT_EQ(edges, (std::vector<std::string>{"2>6", "3>6", "6>1", "4>7", "5>7", "7>6"}));
  const TJsonValue& extra = *aif.Find("korvane");
  EXPECT_EQ(extra.Find("connections")->Items()[0].Find("warrant")->Text(), "3");
  EXPECT_EQ(extra.Find("exceptions")->Items()[0].Find("warrant")->Text(), "5");
  // The exception is an issue nobody argued for, so it blocks nothing.
  EXPECT_EQ(extra.Find("statements")->Items()[0].Find("status")->Text(), "justified");
  EXPECT_EQ(extra.Find("statements")->Items()[3].Find("status")->Text(), "unjustified");
}

TEST(Exports, ArgdownWritesOneArgumentPerConnectionAndPerException) {
  const std::string text = Exported(kLine, TExportFormat::Argdown);
  EXPECT_NE(text.find("[s1]: c #issue #justified\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[s3]: (IF a, THEN c) #assumption #justified\n"), std::string::npos) << text;
  EXPECT_NE(text.find("<c1>: Step from s2 to s1. #supporting\n  <+ [s2]\n  <+ [s3]\n  +> [s1]\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("<x1>: Exception to c1. #exception\n  <+ [s4]\n  <+ [s5]\n  _> <c1>\n"), std::string::npos)
      << text;
}

struct TEscape {
  TExportFormat Format;
  std::string Sentence;
  std::string Written;
};

// What ctest shows of a case.
void PrintTo(const TEscape& c, std::ostream* os) { *os << c.Written; }

std::string EscapeCaseName(const ::testing::TestParamInfo<TEscape>& info) {
  static const char* kNames[] = {"Aif", "Argdown", "Dot", "GraphMl", "Aspic"};
  return kNames[static_cast<int>(info.param.Format)] + std::to_string(info.index);
}

class ExportEscapes : public ::testing::TestWithParam<TEscape> {};

TEST_P(ExportEscapes, WhatTheFormatReserves) {
  const std::string text = Exported({"STATEMENT", "  ?: " + GetParam().Sentence, ""}, GetParam().Format);
  EXPECT_NE(text.find(GetParam().Written), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportEscapes,
    ::testing::Values(TEscape{TExportFormat::Aif, "say \"hi\"\\\x01", "\"text\": \"say \\\"hi\\\"\\\\\\u0001\""},
                      TEscape{TExportFormat::Aif, "caf\xE9", "\"text\": \"caf\xC3\xA9\""},
                      TEscape{TExportFormat::Argdown, " [a] <b> #c *d* _e_ // {f} @g ",
                              "[s1]: \\ \\[a\\] \\<b\\> \\#c \\*d\\* \\_e\\_ \\/\\/ \\{f\\} \\@g\\  #issue"},
                      TEscape{TExportFormat::Argdown, "caf\xE9", "[s1]: caf\xC3\xA9 #issue #unjustified #latin1"},
                      TEscape{TExportFormat::Dot, "say \"hi\" \\n",
                              "label=\"1: say \\\"hi\\\" \\\\n\\nissue, unjustified\""},
                      TEscape{TExportFormat::GraphMl, "a<b & \"c\" \x01", "a&lt;b &amp; &quot;c&quot; \xE2\x90\x81"},
                      TEscape{TExportFormat::Aspic, "x", "\"claims\": [\"s1\"]"}),
    EscapeCaseName);

TEST(Exports, AspicNamesRulesAfterConnectionsAndUndercutsByName) {
  const TJsonValue aspic = ParseJson(Exported(kLine, TExportFormat::Aspic));
  const auto& rules = aspic.Find("rules")->Items();
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].Find("name")->Text(), "c1");
  EXPECT_EQ(rules[0].Find("antecedents")->Items().size(), 2u);  // the reason and the stated warrant
  EXPECT_EQ(rules[1].Find("consequent")->Text(), "~c1");
  EXPECT_EQ(aspic.Find("axioms")->Items().size(), 3u);
}

TEST(Exports, FormatNames) {
  const std::pair<const char*, TExportFormat> names[] = {{"aif", TExportFormat::Aif},
                                                         {"argdown", TExportFormat::Argdown},
                                                         {"dot", TExportFormat::Dot},
                                                         {"graphml", TExportFormat::GraphMl},
                                                         {"aspic", TExportFormat::Aspic}};
  for (const auto& [name, format] : names) EXPECT_EQ(ParseExportFormat(name), format) << name;
  EXPECT_FALSE(ParseExportFormat("AIF"));
  EXPECT_EQ(ParseImportFormat("argdown"), TImportFormat::Argdown);
  EXPECT_FALSE(ParseImportFormat("dot"));
  EXPECT_EQ(ImportFormatOfPath("x/Y.JSON"), TImportFormat::Aif);
  EXPECT_EQ(ImportFormatOfPath("a.argdown"), TImportFormat::Argdown);
  EXPECT_FALSE(ImportFormatOfPath("a.lin"));
}

}  // namespace
}  // namespace korvane::test
