// GraphML with the nodes of the DOT picture: statements, a node per step, a node per
// exception; what each is goes into data keys.
#include <string>

#include "interchange/exports.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

// XML 1.0 has no way to write most control characters, not even as references: they
// become the Unicode pictures of control characters (U+2400 and on).
std::string Xml(const std::string& bytes) {
  std::string out;
  for (char ch : AsUtf8(bytes)) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default:
        if (c < 0x20)
          AppendUtf8(out, 0x2400 + c);
        else
          out += ch;
    }
  }
  return out;
}

std::string Data(const char* key, const std::string& value) {
  return "<data key=\"" + std::string(key) + "\">" + Xml(value) + "</data>";
}

std::string S(int i) { return "s" + std::to_string(i + 1); }

void Edge(std::string& out, const std::string& from, const std::string& to, const char* role) {
  out += "    <edge source=\"" + from + "\" target=\"" + to + "\">" + Data("role", role) + "</edge>\n";
}

}  // namespace

std::string ExportGraphMl(const TArgumentGraph& graph) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<graphml xmlns=\"http://graphml.graphdrawing.org/xmlns\">\n"
      "  <key id=\"element\" for=\"node\" attr.name=\"element\" attr.type=\"string\"/>\n"
      "  <key id=\"text\" for=\"node\" attr.name=\"text\" attr.type=\"string\"/>\n"
      "  <key id=\"type\" for=\"node\" attr.name=\"type\" attr.type=\"string\"/>\n"
      "  <key id=\"status\" for=\"node\" attr.name=\"status\" attr.type=\"string\"/>\n"
      "  <key id=\"kind\" for=\"node\" attr.name=\"kind\" attr.type=\"string\"/>\n"
      "  <key id=\"role\" for=\"edge\" attr.name=\"role\" attr.type=\"string\"/>\n"
      "  <graph id=\"korvane\" edgedefault=\"directed\">\n";
  for (std::size_t i = 0; i < graph.Statements().size(); ++i) {
    const TGraphStatement& s = graph.Statements()[i];
    out += "    <node id=\"" + S(static_cast<int>(i)) + "\">" + Data("element", "statement") +
           Data("text", s.Sentence) + Data("type", TypeName(s.Type)) + Data("status", StatusName(s.Status)) +
           "</node>\n";
  }
  std::string edges;
  int x = 0;
  for (std::size_t k = 0; k < graph.Connections().size(); ++k) {
    const TGraphConnection& c = graph.Connections()[k];
    const std::string step = "c" + std::to_string(k + 1);
    out += "    <node id=\"" + step + "\">" + Data("element", "step") + Data("kind", KindName(c.Kind)) + "</node>\n";
    Edge(edges, S(c.Reason), step, "reason");
    if (c.Warrant != kNone) Edge(edges, S(c.Warrant), step, "warrant");
    Edge(edges, step, S(c.Conclusion), "conclusion");
    for (const TGraphException& e : c.Exceptions) {
      const std::string id = "x" + std::to_string(++x);
      out += "    <node id=\"" + id + "\">" + Data("element", "exception") + "</node>\n";
      Edge(edges, S(e.Statement), id, "exception");
      if (e.Warrant != kNone) Edge(edges, S(e.Warrant), id, "warrant");
      Edge(edges, id, step, "undercut");
    }
  }
  return out + edges + "  </graph>\n</graphml>\n";
}

}  // namespace korvane::interchange
