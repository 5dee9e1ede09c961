// Graphviz DOT. Edges cannot point at edges, so every step is a small node of its own
// (reason -> step -> conclusion) and every exception a small node aimed at its step.
// Blue is justified, teal unjustified, as in the program's diagrams.
#include <string>

#include "interchange/exports.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

std::string DotString(const std::string& bytes) {
  std::string out = "\"";
  for (char c : AsUtf8(bytes)) {
    if (c == '"' || c == '\\') out += '\\';
    if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
  return out + "\"";
}

const char* Colour(TStatus status) { return status == kJustified ? "#1f4fbf" : "#1a8f8a"; }

std::string S(int i) { return "s" + std::to_string(i + 1); }

}  // namespace

std::string ExportDot(const TArgumentGraph& graph) {
  std::string out =
      "digraph korvane {\n  rankdir=BT;\n  node [fontname=\"DejaVu Sans\", fontsize=10];\n"
      "  edge [fontname=\"DejaVu Sans\", fontsize=8];\n";
  for (std::size_t i = 0; i < graph.Statements().size(); ++i) {
    const TGraphStatement& s = graph.Statements()[i];
    const std::string id = S(static_cast<int>(i));
    out +=
        "  " + id + " [shape=box, style=\"" + (s.Type == kAssumption ? "rounded,filled" : "filled") +
        "\", fillcolor=white, color=\"" + Colour(s.Status) + "\", label=" +
        DotString(std::to_string(i + 1) + ": " + s.Sentence + "\n" + TypeName(s.Type) + ", " + StatusName(s.Status)) +
        ", type=" + TypeName(s.Type) + ", status=" + StatusName(s.Status) + "];\n";
  }
  int x = 0;
  for (std::size_t k = 0; k < graph.Connections().size(); ++k) {
    const TGraphConnection& c = graph.Connections()[k];
    const std::string step = "c" + std::to_string(k + 1);
    const char* colour = Colour(graph.Statements()[static_cast<std::size_t>(c.Conclusion)].Status);
    out += "  " + step + " [shape=circle, width=0.12, fixedsize=true, label=\"\", xlabel=\"" + step + "\", color=\"" +
           colour + "\", kind=" + KindName(c.Kind) + "];\n";
    out += "  " + S(c.Reason) + " -> " + step + " [arrowhead=none, role=reason];\n";
    if (c.Warrant != kNone) out += "  " + S(c.Warrant) + " -> " + step + " [style=dotted, role=warrant];\n";
    out += "  " + step + " -> " + S(c.Conclusion) + " [color=\"" + colour + "\", role=conclusion" +
           (c.Kind == kDefeating ? ", arrowhead=empty, label=\"defeats\"" : "") + "];\n";
    for (const TGraphException& e : c.Exceptions) {
      const std::string id = "x" + std::to_string(++x);
      out += "  " + id + " [shape=diamond, width=0.14, height=0.14, fixedsize=true, label=\"\", color=red];\n";
      out += "  " + S(e.Statement) + " -> " + id + " [arrowhead=none, color=red, role=exception];\n";
      if (e.Warrant != kNone) out += "  " + S(e.Warrant) + " -> " + id + " [style=dotted, role=warrant];\n";
      out += "  " + id + " -> " + step + " [color=red, arrowhead=tee, role=undercut];\n";
    }
  }
  return out + "}\n";
}

}  // namespace korvane::interchange
