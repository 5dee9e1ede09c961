#include "lin_syntax.h"

namespace korvane {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

std::string SentenceLine(const TStatement& s) {
  return (s.StatementType == kAssumption ? "  !: " : "  ?: ") + s.Sentence;
}

std::vector<std::string> StatementMoveLines(const TStatement& s) { return {kStatementKeyword, SentenceLine(s), ""}; }

std::vector<std::string> ReasonConclusionMoveLines(const TStatement& conclusion, const TStatement& reason) {
  return {kConclusionKeyword, SentenceLine(conclusion), kReasonKeyword, SentenceLine(reason), ""};
}

// Required as is: exception, conclusion, reason (pinned by tests/line/line_of_argumentation_test.cpp).
std::vector<std::string> ExceptionMoveLines(const TStatement& exception, const TStatement& conclusion,
                                            const TStatement& reason) {
  return {kExceptionKeyword,
          SentenceLine(exception),
          kConclusionKeyword,
          SentenceLine(conclusion),
          kReasonKeyword,
          SentenceLine(reason),
          ""};
}

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankOrControl(text[begin])) ++begin;
  while (end > begin && IsBlankOrControl(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Required as is: mark at the third byte, sentence after the fifth (pinned by tests/files/interpreter_test.cpp).
void ReadSentenceLine(const std::string& line, TStatement& s) {
  if (line.size() >= 3) {
    if (line[2] == '!')
      s.StatementType = kAssumption;
    else if (line[2] == '?')
      s.StatementType = kIssue;
  }
  s.Sentence = line.size() > 5 ? line.substr(5) : std::string();
}

}  // namespace korvane
