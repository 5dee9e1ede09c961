// AIF as the public argument corpora write it: "nodes" and "edges". A stated step warrant
// is one more premise of its RA node, a stated undercutter warrant one more premise of its
// CA node; the "korvane" object says which, and keeps types, statuses and kinds.
#include <string>

#include "interchange/exports.h"
#include "interchange/json_text.h"
#include "interchange/unicode_text.h"

namespace korvane::interchange {

namespace {

std::string Id(int n) { return std::to_string(n + 1); }

// One node or entry a line, the korvane object's lists indented below it.
const TJsonLayout& AifLayout() {
  static const TJsonLayout kList{",\n  ", "\n  ", "\n", {}, {}};
  static const TJsonLayout kExtraList{",\n  ", "\n  ", "", {}, {}};
  static const TJsonLayout kExtra{
      ",\n ", "", "", {{"statements", kExtraList}, {"connections", kExtraList}, {"exceptions", kExtraList}}, {}};
  static const TJsonLayout kLayout{",\n", "", "\n", {{"nodes", kList}, {"edges", kList}, {"korvane", kExtra}}, {}};
  return kLayout;
}

class TAifWriter {
public:
  explicit TAifWriter(const TArgumentGraph& graph) : graph_(graph) {}

  std::string Write() {
    const int statements = static_cast<int>(graph_.Statements().size());
    const int connections = static_cast<int>(graph_.Connections().size());
    // Node ids: statements 1..n, then one RA per connection, then one CA per exception.
    for (int i = 0; i < statements; ++i) Node(Id(i), graph_.Statements()[static_cast<std::size_t>(i)].Sentence, "I");
    for (int k = 0; k < connections; ++k) Node(Id(statements + k), "Default Inference", "RA");
    int ca = statements + connections;
    for (int k = 0; k < connections; ++k) {
      const TGraphConnection& c = graph_.Connections()[static_cast<std::size_t>(k)];
      const std::string ra = Id(statements + k);
      Edge(Id(c.Reason), ra);
      if (c.Warrant != kNone) Edge(Id(c.Warrant), ra);
      Edge(ra, Id(c.Conclusion));
      for (const TGraphException& e : c.Exceptions) {
        const std::string id = Id(ca++);
        Node(id, "Default Conflict", "CA");
        Edge(Id(e.Statement), id);
        if (e.Warrant != kNone) Edge(Id(e.Warrant), id);
        Edge(id, ra);
      }
    }
    TJson aif = {{"nodes", std::move(nodes_)}, {"edges", std::move(edges_)}, {"locutions", TJson::array()},
                 {"korvane", Extra()}};
    return JsonText(aif, AifLayout()) + "\n";
  }

private:
  void Node(const std::string& id, const std::string& text, const char* type) {
    nodes_.push_back({{"nodeID", id}, {"text", text}, {"type", type}});
  }

  void Edge(const std::string& from, const std::string& to) {
    edges_.push_back({{"edgeID", std::to_string(edges_.size() + 1)}, {"fromID", from}, {"toID", to}});
  }

  TJson Extra() const {
    const int statements = static_cast<int>(graph_.Statements().size());
    TJson list = TJson::array();
    for (int i = 0; i < statements; ++i) {
      const TGraphStatement& s = graph_.Statements()[static_cast<std::size_t>(i)];
      TJson entry = {{"nodeID", Id(i)}, {"type", TypeName(s.Type)}, {"status", StatusName(s.Status)}};
      // The text is the Latin-1 reading of bytes that were not UTF-8; the import takes it back.
      if (!IsValidUtf8(s.Sentence)) entry["latin1"] = true;
      list.push_back(std::move(entry));
    }
    TJson connections = TJson::array();
    TJson exceptions = TJson::array();
    int ca = statements + static_cast<int>(graph_.Connections().size());
    for (std::size_t k = 0; k < graph_.Connections().size(); ++k) {
      const TGraphConnection& c = graph_.Connections()[k];
      TJson entry = {{"nodeID", Id(statements + static_cast<int>(k))}, {"kind", KindName(c.Kind)}};
      if (c.Warrant != kNone) entry["warrant"] = Id(c.Warrant);
      connections.push_back(std::move(entry));
      for (const TGraphException& e : c.Exceptions) {
        TJson exception = {{"nodeID", Id(ca++)}};
        if (e.Warrant != kNone) exception["warrant"] = Id(e.Warrant);
        exceptions.push_back(std::move(exception));
      }
    }
    return {{"version", 1}, {"statements", std::move(list)}, {"connections", std::move(connections)},
            {"exceptions", std::move(exceptions)}};
  }

  const TArgumentGraph& graph_;
  TJson nodes_ = TJson::array();
  TJson edges_ = TJson::array();
};

}  // namespace

std::string ExportAif(const TArgumentGraph& graph) { return TAifWriter(graph).Write(); }

}  // namespace korvane::interchange
