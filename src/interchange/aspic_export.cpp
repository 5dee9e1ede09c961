// ASPIC+ as JSON. Assumptions are axioms; issues are claims, not premises, since an issue
// holds only through a step. Each step is a defeasible rule named after its connection,
// with a stated warrant as one more antecedent; each exception a defeasible rule that
// concludes "~" + the rule's name, the rule's inapplicability. Korvane counts a step of a
// defeating connection like a supporting one, so its rule concludes the conclusion too;
// "kind" says which it was.
#include <string>

#include "interchange/exports.h"
#include "interchange/json_text.h"

namespace korvane::interchange {

namespace {

std::string Literal(int i) { return "s" + std::to_string(i + 1); }

// The language and the rules one entry a line, the other lists on one.
const TJsonLayout& AspicLayout() {
  static const TJsonLayout kList{",\n  ", "\n  ", "", {}, {}};
  static const TJsonLayout kLayout{",\n", "", "", {{"language", kList}, {"rules", kList}}, {}};
  return kLayout;
}

}  // namespace

std::string ExportAspic(const TArgumentGraph& graph) {
  TJson language = TJson::array();
  TJson axioms = TJson::array();
  TJson claims = TJson::array();
  for (std::size_t i = 0; i < graph.Statements().size(); ++i) {
    const TGraphStatement& s = graph.Statements()[i];
    const std::string literal = Literal(static_cast<int>(i));
    language.push_back({{"literal", literal}, {"text", s.Sentence}, {"status", StatusName(s.Status)}});
    (s.Type == kAssumption ? axioms : claims).push_back(literal);
  }
  TJson rules = TJson::array();
  int x = 0;
  for (std::size_t k = 0; k < graph.Connections().size(); ++k) {
    const TGraphConnection& c = graph.Connections()[k];
    const std::string name = "c" + std::to_string(k + 1);
    TJson antecedents = TJson::array({Literal(c.Reason)});
    if (c.Warrant != kNone) antecedents.push_back(Literal(c.Warrant));
    rules.push_back({{"name", name},
                     {"type", "defeasible"},
                     {"antecedents", std::move(antecedents)},
                     {"consequent", Literal(c.Conclusion)},
                     {"kind", KindName(c.Kind)}});
    for (const TGraphException& e : c.Exceptions) {
      TJson premises = TJson::array({Literal(e.Statement)});
      if (e.Warrant != kNone) premises.push_back(Literal(e.Warrant));
      rules.push_back({{"name", "x" + std::to_string(++x)},
                       {"type", "defeasible"},
                       {"antecedents", std::move(premises)},
                       {"consequent", "~" + name},
                       {"undercuts", name}});
    }
  }
  const TJson aspic = {{"language", std::move(language)}, {"axioms", std::move(axioms)},
                       {"premises", TJson::array()},      {"claims", std::move(claims)},
                       {"rules", std::move(rules)},       {"contraries", TJson::array()},
                       {"preferences", TJson::array()}};
  return JsonText(aspic, AspicLayout()) + "\n";
}

}  // namespace korvane::interchange
