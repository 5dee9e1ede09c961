// Argdown text escaping, shared by the writer and the reader so they agree on it.
#pragma once

#include <string>

namespace korvane::interchange {

/// Text that Argdown reads back as sentence: the characters that open references, tags,
/// emphasis, comments, data and mentions get a backslash, and so do blanks at either end
/// (Argdown trims them). Line breaks, which a line of argumentation never holds, become blanks.
[[nodiscard]] std::string ArgdownEscape(const std::string& sentence);

}  // namespace korvane::interchange
