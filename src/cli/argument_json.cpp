// The stage's arguments as JSON.

#include "cli_support.h"

namespace korvane::cli {

std::string IdOf(const TArgumentationStage& stage, const TStatement* s) {
  TStatement* found = nullptr;
  if (stage.SentenceIsStatementSentence(s->Sentence, found)) return found->Id;
  return s->Id;
}

// Arguments can be as deep as the longest chain of connections, so no recursion.
void WriteExpandedArgument(std::ostream& out, const TArgumentationStage& stage, const TArgument* root) {
  struct TFrame {
    const TArgument* Argument;
    int Next;
  };
  std::vector<TFrame> stack{{root, -1}};
  while (!stack.empty()) {
    TFrame& top = stack.back();
    if (top.Next < 0) {
      out << '[' << interchange::JsonString(IdOf(stage, top.Argument->Conclusion)) << ", [";
      top.Next = 0;
    }
    if (top.Next < top.Argument->InitialArguments.Count()) {
      if (top.Next > 0) out << ", ";
      const TArgument* child = top.Argument->InitialArguments[top.Next++];
      stack.push_back({child, -1});
      continue;
    }
    out << "]]";
    stack.pop_back();
  }
}

}  // namespace korvane::cli
