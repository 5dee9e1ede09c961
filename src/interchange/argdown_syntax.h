// The pieces of Argdown the reader needs below the level of relations: comments and
// front matter removed, element titles, text with its escapes, emphasis and tags.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvane::interchange {

/// The text without comments (// to the end of a line, /* */, <!-- -->) and without front
/// matter between two "===" lines; line breaks stay, so line numbers do. Throws TImportError
/// for a comment or front matter that is not closed.
[[nodiscard]] std::string WithoutComments(const std::string& text);

struct TArgdownText {
  std::string Text;
  std::vector<std::string> Tags;
};

/// Plain text from Argdown text: escapes resolved, emphasis marks and data blocks dropped,
/// the tags collected and those at its end removed, unescaped blanks at either end trimmed.
[[nodiscard]] TArgdownText ReadArgdownText(const std::string& raw);

/// Reads a title closed by close ('>' or ']') from pos, just past the opening bracket;
/// pos ends past the closing one. Nothing when it is not closed on the line.
[[nodiscard]] std::optional<std::string> ReadTitle(const std::string& line, std::size_t& pos, char close);

}  // namespace korvane::interchange
