// Rewrites the text of a line of argumentation so that a deleted item no longer occurs
// in it. The text is scanned from the top; at each position only the line there is
// tested for a keyword, and the scan goes on at the next position after a rewrite.
// Sentence lines keep their type marks, so surviving statements keep their types.
#pragma once

#include <string>
#include <vector>

namespace korvane {

/// The sentence of a sentence line as a rewrite reads it: without its leading blanks
/// and control characters and the three characters after them (mark, colon, blank).
[[nodiscard]] std::string RewriteSentence(const std::string& line);

/// Removes statement x: its statement moves go, and the moves that use it lose that role.
void RewriteWithoutStatement(std::vector<std::string>& lines, const std::string& x);

/// Splits every move that connects reason r to conclusion c into statement moves.
void RewriteWithoutConnection(std::vector<std::string>& lines, const std::string& r, const std::string& c);

/// Turns every exception move of e on the connection from r to c into a statement move of
/// e followed by a reason/conclusion move.
void RewriteWithoutException(std::vector<std::string>& lines, const std::string& e, const std::string& r,
                             const std::string& c);

}  // namespace korvane
