#include "warrant_sentences.h"

namespace korvane {

std::string StepWarrantSentence(const std::string& reason, const std::string& conclusion, TConnectionKind kind) {
  // Only 0 and 1 occur; any other kind reads as defeating, since it is not the plain rule.
  const char* then = kind == kSupporting ? ", THEN " : ", THEN IT IS DEFEATED THAT ";
  return "(IF " + reason + then + conclusion + ")";
}

std::string UndercutterWarrantSentence(const std::string& exception, const std::string& reason,
                                       const std::string& conclusion) {
  return "(THAT " + exception + ", IS AN EXCEPTION TO THE RULE THAT, IF " + reason + ", THEN " + conclusion + ")";
}

}  // namespace korvane
