// Argdown: each statement [sN] with its type and status as tags; each connection an
// argument <cN> that its reason (and stated warrant) support and that supports its
// conclusion, or attacks it when the connection is defeating; each exception an argument
// <xN> that its exception (and stated undercutter warrant) support and that undercuts <cK>.
// Undercuts in Argdown aim at arguments, hence the argument per connection. A sentence
// that is not UTF-8 is written as Latin-1 and tagged #latin1, so the import takes it back.
#include <string>

#include "interchange/argdown_text.h"
#include "interchange/exports.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

std::string Statement(int i) { return "[s" + std::to_string(i + 1) + "]"; }

}  // namespace

std::string ExportArgdown(const TArgumentGraph& graph) {
  std::string out = "// A line of argumentation from Korvane: statements [sN], connections <cN>, exceptions <xN>.\n";
  for (std::size_t i = 0; i < graph.Statements().size(); ++i) {
    const TGraphStatement& s = graph.Statements()[i];
    out += "\n" + Statement(static_cast<int>(i)) + ": " + ArgdownEscape(s.Sentence) + " #" + TypeName(s.Type) + " #" +
           StatusName(s.Status) + (IsValidUtf8(s.Sentence) ? "" : " #latin1") + "\n";
  }
  int x = 0;
  for (std::size_t k = 0; k < graph.Connections().size(); ++k) {
    const TGraphConnection& c = graph.Connections()[k];
    const std::string title = "<c" + std::to_string(k + 1) + ">";
    out += "\n" + title + ": Step from s" + std::to_string(c.Reason + 1) + " to s" + std::to_string(c.Conclusion + 1) +
           ". #" + KindName(c.Kind) + "\n";
    out += "  <+ " + Statement(c.Reason) + "\n";
    if (c.Warrant != kNone) out += "  <+ " + Statement(c.Warrant) + "\n";
    out += std::string(c.Kind == kDefeating ? "  -> " : "  +> ") + Statement(c.Conclusion) + "\n";
    for (const TGraphException& e : c.Exceptions) {
      out += "\n<x" + std::to_string(++x) + ">: Exception to c" + std::to_string(k + 1) + ". #exception\n";
      out += "  <+ " + Statement(e.Statement) + "\n";
      if (e.Warrant != kNone) out += "  <+ " + Statement(e.Warrant) + "\n";
      out += "  _> " + title + "\n";
    }
  }
  return out;
}

}  // namespace korvane::interchange
