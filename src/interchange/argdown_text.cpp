#include "interchange/argdown_text.h"

#include <cstring>

#include "interchange/unicode_text.h"

namespace korvane::interchange {

std::string ArgdownEscape(const std::string& sentence) {
  const std::string text = AsUtf8(sentence);
  std::size_t first = 0;
  std::size_t last = text.size();
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += i < first || i >= last ? "\\ " : " ";
      continue;
    }
    if (c != '\0' && (std::strchr("\\[]<>#*_/{}@", c) != nullptr || i < first || i >= last)) out += '\\';
    out += c;
  }
  return out;
}

}  // namespace korvane::interchange
