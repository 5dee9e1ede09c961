// The words and line forms of line-of-argumentation texts: the one place the writer, the
// interpreter and the deletion rewrite take them from.
#pragma once

#include <string>
#include <vector>

#include "model/statement.h"

namespace korvane {

inline constexpr const char* kStatementKeyword = "STATEMENT";
inline constexpr const char* kConclusionKeyword = "CONCLUSION";
inline constexpr const char* kReasonKeyword = "REASON";
inline constexpr const char* kExceptionKeyword = "EXCEPTION";
inline constexpr const char* kStepWarrantKeyword = "STEP WARRANT";
inline constexpr const char* kUndercutterWarrantKeyword = "UNDERCUTTER WARRANT";
inline constexpr const char* kIfKeyword = "IF";
inline constexpr const char* kThenKeyword = "THEN";
inline constexpr const char* kDefeatedKeyword = "IT IS DEFEATED THAT";
inline constexpr const char* kUnlessKeyword = "UNLESS";

/// A sentence line as the writer puts it: "  ?: " for an issue, "  !: " for an assumption, then the sentence.
[[nodiscard]] std::string SentenceLine(const TStatement& s);

/// The lines a move of each kind writes, each ending with an empty line.
[[nodiscard]] std::vector<std::string> StatementMoveLines(const TStatement& s);
[[nodiscard]] std::vector<std::string> ReasonConclusionMoveLines(const TStatement& conclusion,
                                                                 const TStatement& reason);
[[nodiscard]] std::vector<std::string> ExceptionMoveLines(const TStatement& exception, const TStatement& conclusion,
                                                          const TStatement& reason);

/// Removes every leading and trailing character whose code is 32 (blank) or less.
[[nodiscard]] std::string Trim(const std::string& text);

/// Reads a sentence line into s: "!" as third character makes an assumption, "?" an
/// issue, anything else (or a line too short to have one) keeps s's type; the sentence
/// is the line without its first five characters, untrimmed.
void ReadSentenceLine(const std::string& line, TStatement& s);

}  // namespace korvane
