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

std::string Literal(int i) { return "\"s" + std::to_string(i + 1) + "\""; }

std::string List(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
  return out + "]";
}

}  // namespace

std::string ExportAspic(const TArgumentGraph& graph) {
  std::string language;
  std::vector<std::string> axioms;
  std::vector<std::string> claims;
  for (std::size_t i = 0; i < graph.Statements().size(); ++i) {
    const TGraphStatement& s = graph.Statements()[i];
    const std::string literal = Literal(static_cast<int>(i));
    language += (i ? ",\n  " : "\n  ") + std::string("{\"literal\": ") + literal +
                ", \"text\": " + JsonString(s.Sentence) + ", \"status\": \"" + StatusName(s.Status) + "\"}";
    (s.Type == kAssumption ? axioms : claims).push_back(literal);
  }
  std::string rules;
  int x = 0;
  for (std::size_t k = 0; k < graph.Connections().size(); ++k) {
    const TGraphConnection& c = graph.Connections()[k];
    const std::string name = "c" + std::to_string(k + 1);
    std::vector<std::string> antecedents{Literal(c.Reason)};
    if (c.Warrant != kNone) antecedents.push_back(Literal(c.Warrant));
    rules += (rules.empty() ? "\n  " : ",\n  ") + std::string("{\"name\": \"") + name +
             "\", \"type\": \"defeasible\", \"antecedents\": " + List(antecedents) +
             ", \"consequent\": " + Literal(c.Conclusion) + ", \"kind\": \"" + KindName(c.Kind) + "\"}";
    for (const TGraphException& e : c.Exceptions) {
      std::vector<std::string> premises{Literal(e.Statement)};
      if (e.Warrant != kNone) premises.push_back(Literal(e.Warrant));
      rules += ",\n  {\"name\": \"x" + std::to_string(++x) +
               "\", \"type\": \"defeasible\", \"antecedents\": " + List(premises) + ", \"consequent\": \"~" + name +
               "\", \"undercuts\": \"" + name + "\"}";
    }
  }
  return "{\"language\": [" + language + "],\n\"axioms\": " + List(axioms) +
         ",\n\"premises\": [],\n\"claims\": " + List(claims) + ",\n\"rules\": [" + rules +
         "],\n\"contraries\": [],\n\"preferences\": []}\n";
}

}  // namespace korvane::interchange
