#include "deletion_rewrite.h"

#include "line/lin_syntax.h"

namespace korvane {

namespace {

using TLines = std::vector<std::string>;

// The lines at i form a whole block of this shape: keywords where the writer puts them.
bool IsConclusionBlock(const TLines& lines, std::size_t i) {
  return i + 3 < lines.size() && lines[i] == kConclusionKeyword && lines[i + 2] == kReasonKeyword;
}

bool IsExceptionBlock(const TLines& lines, std::size_t i) {
  return i + 5 < lines.size() && lines[i] == kExceptionKeyword && lines[i + 2] == kConclusionKeyword &&
         lines[i + 4] == kReasonKeyword;
}

bool SentenceAt(const TLines& lines, std::size_t i, const std::string& sentence) {
  return RewriteSentence(lines[i]) == sentence;
}

void Erase(TLines& lines, std::size_t first, std::size_t count) {
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
              lines.begin() + static_cast<std::ptrdiff_t>(first + count));
}

// Rewrites the block at i if it involves the statement; true when it did.
// Required as is: only the first rule that matches applies (pinned by tests/document/deletions_test.cpp).
bool RewriteStatementAt(TLines& lines, std::size_t i, const std::string& x) {
  if (lines[i] == kStatementKeyword) {
    if (i + 1 < lines.size() && SentenceAt(lines, i + 1, x)) {
      Erase(lines, i, 2);
      return true;
    }
    return false;
  }
  if (IsConclusionBlock(lines, i)) {
    if (SentenceAt(lines, i + 1, x)) {
      lines[i + 2] = kStatementKeyword;
      Erase(lines, i, 2);
      return true;
    }
    if (SentenceAt(lines, i + 3, x)) {
      lines[i] = kStatementKeyword;
      Erase(lines, i + 2, 2);
      return true;
    }
    return false;
  }
  if (IsExceptionBlock(lines, i)) {
    if (SentenceAt(lines, i + 1, x)) {
      Erase(lines, i, 2);
      return true;
    }
    if (SentenceAt(lines, i + 3, x)) {
      lines[i] = kStatementKeyword;
      lines[i + 4] = kStatementKeyword;
      Erase(lines, i + 2, 2);
      return true;
    }
    if (SentenceAt(lines, i + 5, x)) {
      lines[i] = kStatementKeyword;
      lines[i + 2] = kStatementKeyword;
      Erase(lines, i + 4, 2);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string RewriteSentence(const std::string& line) {
  std::size_t start = 0;
  while (start < line.size() && static_cast<unsigned char>(line[start]) <= 32) ++start;
  start += 3;
  return start < line.size() ? line.substr(start) : std::string();
}

void RewriteWithoutStatement(TLines& lines, const std::string& x) {
  // The count is taken anew at every position, since lines come and go.
  for (std::size_t i = 0; i < lines.size(); ++i) RewriteStatementAt(lines, i, x);
}

void RewriteWithoutConnection(TLines& lines, const std::string& r, const std::string& c) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsConclusionBlock(lines, i) && SentenceAt(lines, i + 1, c) && SentenceAt(lines, i + 3, r)) {
      lines[i] = kStatementKeyword;
      lines[i + 2] = kStatementKeyword;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i + 2), std::string());
    } else if (IsExceptionBlock(lines, i) && SentenceAt(lines, i + 3, c) && SentenceAt(lines, i + 5, r)) {
      lines[i] = kStatementKeyword;
      lines[i + 2] = kStatementKeyword;
      lines[i + 4] = kStatementKeyword;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i + 4), std::string());
    }
  }
}

void RewriteWithoutException(TLines& lines, const std::string& e, const std::string& r, const std::string& c) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsExceptionBlock(lines, i) && SentenceAt(lines, i + 1, e) && SentenceAt(lines, i + 3, c) &&
        SentenceAt(lines, i + 5, r)) {
      lines[i] = kStatementKeyword;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i + 2), std::string());
    }
  }
}

}  // namespace korvane
