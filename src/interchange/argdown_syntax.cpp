#include "interchange/argdown_syntax.h"

#include <cctype>

#include "interchange/import_error.h"

namespace korvane::interchange {

namespace {

int LineOf(const std::string& text, std::size_t pos) {
  int line = 1;
  for (std::size_t i = 0; i < pos && i < text.size(); ++i) line += text[i] == '\n';
  return line;
}

// Replaces text[from, to) by blanks, keeping its line breaks.
void Blank(std::string& text, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (text[i] != '\n') text[i] = ' ';
}

bool IsTagChar(unsigned char c) { return c >= 0x80 || std::isalnum(c) || c == '-' || c == '_'; }

}  // namespace

std::string WithoutComments(const std::string& input) {
  std::string text = input;
  std::size_t i = 0;
  // Front matter: "===" on the first line that is not blank, up to the next "===".
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string::npos && text.compare(first, 3, "===") == 0) {
    const std::size_t end = text.find("\n===", first + 3);
    if (end == std::string::npos)
      throw TImportError("line " + std::to_string(LineOf(text, first)) + ": front matter (===) is not closed");
    const std::size_t stop = text.find('\n', end + 1);
    i = stop == std::string::npos ? text.size() : stop;
    Blank(text, 0, i);
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
      continue;
    }
    if (text.compare(i, 2, "//") == 0) {
      const std::size_t end = text.find('\n', i);
      Blank(text, i, end == std::string::npos ? text.size() : end);
    } else if (text.compare(i, 2, "/*") == 0 || text.compare(i, 4, "<!--") == 0) {
      const std::string close = text[i] == '/' ? "*/" : "-->";
      const std::size_t end = text.find(close, i + 2);
      if (end == std::string::npos)
        throw TImportError("line " + std::to_string(LineOf(text, i)) + ": a comment is not closed");
      Blank(text, i, end + close.size());
      i = end + close.size() - 1;
    }
  }
  return text;
}

TArgdownText ReadArgdownText(const std::string& raw) {
  struct TChar {
    char C;
    bool Literal;  // escaped, or part of the text rather than markup
  };
  std::vector<TChar> chars;
  TArgdownText result;
  std::size_t tail_tags = 0;  // where the run of tags at the end begins, in chars
  bool only_tags_since = false;
  // A data block "{...}" can only close at the text's last "}", with nothing but blanks after it.
  const std::size_t last_close = raw.rfind('}');
  const bool data_can_end =
      last_close != std::string::npos && raw.find_first_not_of(" \t", last_close + 1) == std::string::npos;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '\\' && i + 1 < raw.size()) {
      chars.push_back({raw[++i], true});
      only_tags_since = false;
      continue;
    }
    if (c == '#' && i + 1 < raw.size() && (raw[i + 1] == '(' || IsTagChar(static_cast<unsigned char>(raw[i + 1])))) {
      std::size_t end = i + 1;
      std::string tag;
      if (raw[end] == '(') {
        const std::size_t close = raw.find(')', end);
        end = close == std::string::npos ? raw.size() : close + 1;
        tag = raw.substr(i + 2, end - i - 2 - (close == std::string::npos ? 0 : 1));
      } else {
        while (end < raw.size() && IsTagChar(static_cast<unsigned char>(raw[end]))) ++end;
        tag = raw.substr(i + 1, end - i - 1);
      }
      result.Tags.push_back(tag);
      if (!only_tags_since) {
        tail_tags = chars.size();
        only_tags_since = true;
      }
      for (std::size_t k = i; k < end; ++k) chars.push_back({raw[k], true});
      i = end - 1;
      continue;
    }
    if (c == '{' && data_can_end && i < last_close) break;  // a data block ends the element
    if ((c == '*' || c == '_')) {
      // Emphasis marks touch a word on their inner side; a lone mark between blanks is text.
      const bool before = i > 0 && raw[i - 1] != ' ' && raw[i - 1] != '\t';
      const bool after = i + 1 < raw.size() && raw[i + 1] != ' ' && raw[i + 1] != '\t';
      if (before || after) continue;
    }
    if (c != ' ' && c != '\t') only_tags_since = false;
    chars.push_back({c, false});
  }
  if (only_tags_since) chars.resize(tail_tags);
  std::size_t begin = 0;
  std::size_t end = chars.size();
  const auto blank = [](const TChar& ch) { return !ch.Literal && (ch.C == ' ' || ch.C == '\t'); };
  while (begin < end && blank(chars[begin])) ++begin;
  while (end > begin && blank(chars[end - 1])) --end;
  for (std::size_t i = begin; i < end; ++i) result.Text += chars[i].C;
  return result;
}

std::optional<std::string> ReadTitle(const std::string& line, std::size_t& pos, char close) {
  std::string title;
  for (std::size_t i = pos; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      title += line[++i];
    } else if (line[i] == close) {
      pos = i + 1;
      return title;
    } else {
      title += line[i];
    }
  }
  return std::nullopt;
}

}  // namespace korvane::interchange
