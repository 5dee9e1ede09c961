// AIF as the public argument corpora write it: "nodes" and "edges". A stated step warrant
// is one more premise of its RA node, a stated undercutter warrant one more premise of its
// CA node; the "korvane" object says which, and keeps types, statuses and kinds.
#include <string>

#include "interchange/exports.h"
#include "interchange/json_text.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

class TAifWriter {
public:
  explicit TAifWriter(const TArgumentGraph& graph) : graph_(graph) {}

  std::string Write() {
    const int statements = static_cast<int>(graph_.Statements().size());
    const int connections = static_cast<int>(graph_.Connections().size());
    // Node ids: statements 1..n, then one RA per connection, then one CA per exception.
    for (int i = 0; i < statements; ++i) {
      const TGraphStatement& s = graph_.Statements()[static_cast<std::size_t>(i)];
      Node(StatementId(i), s.Sentence, "I");
    }
    for (int k = 0; k < connections; ++k) Node(Id(statements + k), "Default Inference", "RA");
    int ca = statements + connections;
    for (int k = 0; k < connections; ++k) {
      const TGraphConnection& c = graph_.Connections()[static_cast<std::size_t>(k)];
      const std::string ra = Id(statements + k);
      Edge(StatementId(c.Reason), ra);
      if (c.Warrant != kNone) Edge(StatementId(c.Warrant), ra);
      Edge(ra, StatementId(c.Conclusion));
      for (const TGraphException& e : c.Exceptions) {
        const std::string id = Id(ca++);
        Node(id, "Default Conflict", "CA");
        Edge(StatementId(e.Statement), id);
        if (e.Warrant != kNone) Edge(StatementId(e.Warrant), id);
        Edge(id, ra);
      }
    }
    return "{\"nodes\": [" + nodes_ + "\n],\n\"edges\": [" + edges_ +
           "\n],\n\"locutions\": [],\n\"korvane\": " + Extra() + "}\n";
  }

private:
  static std::string Id(int n) { return std::to_string(n + 1); }
  static std::string StatementId(int i) { return Id(i); }

  void Node(const std::string& id, const std::string& text, const char* type) {
    nodes_ += nodes_.empty() ? "\n  " : ",\n  ";
    nodes_ += "{\"nodeID\": \"" + id + "\", \"text\": " + JsonString(text) + ", \"type\": \"" + type + "\"}";
  }

  void Edge(const std::string& from, const std::string& to) {
    edges_ += edges_.empty() ? "\n  " : ",\n  ";
    edges_ += "{\"edgeID\": \"" + std::to_string(++edge_count_) + "\", \"fromID\": \"" + from + "\", \"toID\": \"" +
              to + "\"}";
  }

  std::string Extra() const {
    const int statements = static_cast<int>(graph_.Statements().size());
    std::string out = "{\"version\": 1,\n \"statements\": [";
    for (int i = 0; i < statements; ++i) {
      const TGraphStatement& s = graph_.Statements()[static_cast<std::size_t>(i)];
      out += i ? ",\n  " : "\n  ";
      out += "{\"nodeID\": \"" + StatementId(i) + "\", \"type\": \"" + TypeName(s.Type) + "\", \"status\": \"" +
             StatusName(s.Status) + "\"";
      // The text is the Latin-1 reading of bytes that were not UTF-8; the import takes it back.
      if (!IsValidUtf8(s.Sentence)) out += ", \"latin1\": true";
      out += "}";
    }
    out += "],\n \"connections\": [";
    int ca = statements + static_cast<int>(graph_.Connections().size());
    std::string exceptions;
    for (std::size_t k = 0; k < graph_.Connections().size(); ++k) {
      const TGraphConnection& c = graph_.Connections()[k];
      out += k ? ",\n  " : "\n  ";
      out += "{\"nodeID\": \"" + Id(statements + static_cast<int>(k)) + "\", \"kind\": \"" + KindName(c.Kind) + "\"";
      if (c.Warrant != kNone) out += ", \"warrant\": \"" + StatementId(c.Warrant) + "\"";
      out += "}";
      for (const TGraphException& e : c.Exceptions) {
        exceptions += exceptions.empty() ? "\n  " : ",\n  ";
        exceptions += "{\"nodeID\": \"" + Id(ca++) + "\"";
        if (e.Warrant != kNone) exceptions += ", \"warrant\": \"" + StatementId(e.Warrant) + "\"";
        exceptions += "}";
      }
    }
    out += "],\n \"exceptions\": [" + exceptions + "]}\n";
    return out;
  }

  const TArgumentGraph& graph_;
  std::string nodes_;
  std::string edges_;
  int edge_count_ = 0;
};

}  // namespace

std::string ExportAif(const TArgumentGraph& graph) { return TAifWriter(graph).Write(); }

}  // namespace korvane::interchange
