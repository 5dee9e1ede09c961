// Faults made on purpose, one per run, so the suite shows that the sanitizer build with
// its options and suppressions still reports each kind and fails.
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "model/statement.h"

namespace {

korvane::TStatement* kept = nullptr;

}  // namespace

int main(int argc, char** argv) {
  const std::string fault = argc > 1 ? argv[1] : "";
  if (fault == "leak") {
    kept = new korvane::TStatement{"a statement nobody frees", "1", korvane::kIssue, korvane::kJustified};
    kept = nullptr;
    return 0;
  }
  if (fault == "overflow") {
    auto* bytes = new char[8];
    std::memset(bytes, 0, 9);
    delete[] bytes;
    return 0;
  }
  if (fault == "use-after-free") {
    auto* s = new korvane::TStatement;
    delete s;
    return korvane::Code(s->StatementType);
  }
  if (fault == "undefined") {
    volatile int big = INT_MAX;
    return big + argc > 0 ? 0 : 1;
  }
  return 2;
}
