// Importing AIF: what each kind of node becomes, what is left out with a notice, and the
// message that names the node or edge at fault.
#include <gtest/gtest.h>

#include "interchange_fixture.h"

namespace korvane::test {
namespace {

using interchange::ImportArgumentation;
using interchange::TImportError;
using interchange::TImportFormat;

std::string Aif(const std::string& nodes, const std::string& edges, const std::string& extra = "") {
  return "{\"nodes\": [" + nodes + "], \"edges\": [" + edges + "]" + (extra.empty() ? "" : ", \"korvane\": " + extra) +
         "}";
}
std::string I(const std::string& id, const std::string& text) {
  return "{\"nodeID\": \"" + id + "\", \"text\": \"" + text + "\", \"type\": \"I\"},";
}
std::string N(const std::string& id, const std::string& type) {
  return "{\"nodeID\": \"" + id + "\", \"text\": \"\", \"type\": \"" + type + "\"}";
}
std::string E(const std::string& from, const std::string& to, bool last = false) {
  return "{\"edgeID\": \"e\", \"fromID\": \"" + from + "\", \"toID\": \"" + to + "\"}" + (last ? "" : ",");
}

struct TImported {
  std::unique_ptr<THeadlessSession<>> Session;
  std::vector<std::string> Notices;
  const TArgumentationStage& Stage() const { return *Session->Session.Line().CurrentStage; }
  std::string Sentence(int i) const { return Stage().Statements[i]->Sentence; }
};

TImported Import(const std::string& aif) {
  interchange::TImportResult r = ImportArgumentation(aif, TImportFormat::Aif);
  return {Interpreted(r.Lines), r.Notices};
}

TEST(AifImport, ARaNodeConnectsEachPremiseAndTypesFollowTheGraph) {
  // Two premises of one RA are read as two reasons; the conclusion is an issue, the premises assumptions.
  const TImported t = Import(Aif(I("1", "c") + I("2", "a") + I("3", "b") + N("4", "RA") + "," + N("5", "L"),
                                 E("2", "4") + E("3", "4") + E("4", "1") + E("5", "2", true)));
  const TArgumentationStage& s = t.Stage();
  ASSERT_EQ(s.Statements.Count(), 3);
  EXPECT_EQ(s.Statements[0]->StatementType, kIssue);
  EXPECT_EQ(s.Statements[1]->StatementType, kAssumption);
  ASSERT_EQ(s.ReasonConclusions.Count(), 2);
  EXPECT_EQ(s.ReasonConclusions[0]->Reason->Sentence, "a");
  EXPECT_EQ(s.ReasonConclusions[1]->Reason->Sentence, "b");
  EXPECT_EQ(s.Statements[0]->Status, kJustified);
  EXPECT_TRUE(t.Notices.empty());
}

TEST(AifImport, AConflictOnAnInferenceBecomesAnExceptionOfItsConnections) {
  const TImported t = Import(Aif(I("1", "c") + I("2", "a") + I("3", "e") + N("4", "RA") + "," + N("5", "CA"),
                                 E("2", "4") + E("4", "1") + E("3", "5") + E("5", "4", true)));
  ASSERT_EQ(t.Stage().ReasonConclusions.Count(), 1);
  ASSERT_EQ(t.Stage().ReasonConclusions[0]->Exceptions.Count(), 1);
  EXPECT_EQ(t.Stage().ReasonConclusions[0]->Exceptions[0]->Sentence, "e");
  EXPECT_EQ(t.Stage().Statements[0]->Status, kUnjustified);  // a justified exception blocks
}

TEST(AifImport, AConflictOnAStatementBlocksItsSupportOrIsLeftOutWithANotice) {
  const TImported supported = Import(Aif(I("1", "c") + I("2", "a") + I("3", "x") + N("4", "RA") + "," + N("5", "CA"),
                                         E("2", "4") + E("4", "1") + E("3", "5") + E("5", "1", true)));
  EXPECT_EQ(supported.Stage().ReasonConclusions[0]->Exceptions.Count(), 1);
  EXPECT_EQ(supported.Stage().Statements[0]->Status, kUnjustified);

  const TImported bare = Import(Aif(I("1", "c") + I("3", "x") + N("5", "CA"), E("3", "5") + E("5", "1", true)));
  EXPECT_EQ(bare.Stage().ReasonConclusions.Count(), 0);
  ASSERT_EQ(bare.Notices.size(), 1u);
  EXPECT_NE(bare.Notices[0].find("node 3 (nodeID \"5\")"), std::string::npos) << bare.Notices[0];
  EXPECT_EQ(bare.Stage().Statements[0]->StatementType, kIssue);  // attacked, so argued about
}

TEST(AifImport, AWarrantPremiseIsAStatementNotAReason) {
  // Marked in the extra object, or recognised by its sentence when the object is absent.
  const std::string nodes = I("1", "c") + I("2", "a") + I("3", "(IF a, THEN c)") + N("4", "RA");
  const std::string edges = E("2", "4") + E("3", "4") + E("4", "1", true);
  for (const std::string& extra :
       {std::string(), std::string("{\"connections\": [{\"nodeID\": \"4\", \"warrant\": \"3\"}]}")}) {
    const TImported t = Import(Aif(nodes, edges, extra));
    ASSERT_EQ(t.Stage().ReasonConclusions.Count(), 1);
    EXPECT_EQ(t.Stage().ReasonConclusions[0]->Reason->Sentence, "a");
    EXPECT_EQ(t.Stage().Statements.Count(), 3);
  }
}

TEST(AifImport, DuplicateTextsAreOneStatementAndLineBreaksBecomeBlanks) {
  const TImported t = Import(
      Aif(I("1", "same") + I("2", "same") + I("3", "two\\nlines") + N("4", "RA"), E("2", "4") + E("4", "3", true)));
  EXPECT_EQ(t.Stage().Statements.Count(), 2);
  EXPECT_EQ(t.Sentence(1), "two lines");
  ASSERT_EQ(t.Notices.size(), 2u);
  EXPECT_NE(t.Notices[0].find("has the text of node 1"), std::string::npos) << t.Notices[0];
}

// Korvane's own files may hold an empty sentence; from elsewhere it is taken, and said.
TEST(AifImport, AnEmptyTextFromElsewhereIsTakenWithANotice) {
  const TImported t = Import(Aif(I("1", "a") + I("2", "  ") + N("3", "RA"), E("1", "3") + E("3", "2", true)));
  ASSERT_EQ(t.Stage().Statements.Count(), 2);
  EXPECT_EQ(t.Sentence(1), "  ");
  ASSERT_EQ(t.Notices.size(), 1u);
  EXPECT_EQ(t.Notices[0], "node 2 (nodeID \"2\"): the text is empty; taken as it stands");
}

TEST(AifImport, CyclesImport) {
  const TImported t = Import(Aif(I("1", "a") + I("2", "b") + N("3", "RA") + "," + N("4", "RA"),
                                 E("1", "3") + E("3", "2") + E("2", "4") + E("4", "1", true)));
  EXPECT_EQ(t.Stage().ReasonConclusions.Count(), 2);
  EXPECT_EQ(t.Stage().Statements[0]->Status, kUnjustified);
}

struct TBad {
  std::string Name;
  std::string Aif;
  std::string Message;
};

// What ctest shows of a case.
void PrintTo(const TBad& c, std::ostream* os) { *os << c.Name; }

class AifImportRejects : public ::testing::TestWithParam<TBad> {};

TEST_P(AifImportRejects, NamingWhatAndWhere) {
  try {
    (void)ImportArgumentation(GetParam().Aif, TImportFormat::Aif);
    FAIL() << "accepted";
  } catch (const TImportError& error) {
    EXPECT_EQ(error.what(), GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AifImportRejects,
    ::testing::Values(
        TBad{"Malformed", "{\"nodes\": [}",
             "not valid JSON: line 1, column 12: unexpected '}'; expected '[', '{', or a literal"},
        TBad{"NotAnObject", "[]", "the file is an array, not an AIF object"},
        TBad{"NoNodes", "{\"edges\": []}", "the file has no \"nodes\""},
        TBad{"UnknownType", Aif(I("1", "a") + N("2", "XY"), ""),
             "node 2 (nodeID \"2\"): \"XY\" is not a node type of AIF (I, RA, CA, MA, PA, L, YA, TA)"},
        TBad{"MissingNode", Aif(I("1", "a") + N("2", "RA"), E("1", "2") + E("2", "99", true)),
             "edge 2: toID \"99\" names no node"},
        TBad{"DuplicateId", Aif(I("1", "a") + I("1", "b") + N("2", "RA"), ""),
             "node 2 (nodeID \"1\"): the nodeID is also that of node 1 (nodeID \"1\")"},
        TBad{"TextNotString", "{\"nodes\": [{\"nodeID\": 1, \"type\": \"I\", \"text\": 5}], \"edges\": []}",
             "node 1 (nodeID \"1\"): \"text\" is a number (line 1)"},
        TBad{"BadExtraType",
             Aif(I("1", "a") + N("2", "RA"), "", "{\"statements\": [{\"nodeID\": \"1\", \"type\": \"maybe\"}]}"),
             "the \"korvane\" object, statement 1: type \"maybe\" is neither issue nor assumption"}),
    [](const ::testing::TestParamInfo<TBad>& info) { return info.param.Name; });

TEST(AifImport, RefusesFilesOverTheLimit) {
  const std::string big(interchange::kMaxImportBytes + 1, ' ');
  EXPECT_THROW((void)ImportArgumentation(big, TImportFormat::Aif), TImportError);
}

}  // namespace
}  // namespace korvane::test
