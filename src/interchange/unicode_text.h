// Sentences are byte strings; the formats we write are Unicode. A sentence that is valid
// UTF-8 goes out as it is, any other is read byte by byte as Latin-1, as the CLI's JSON does.
#pragma once

#include <cstddef>
#include <string>

namespace korvane::interchange {

/// Length of the valid UTF-8 sequence starting at i, or 0 when there is none.
[[nodiscard]] std::size_t Utf8Length(const std::string& s, std::size_t i);
[[nodiscard]] bool IsValidUtf8(const std::string& s);

/// s itself when it is valid UTF-8, otherwise each byte as the Latin-1 character of that code.
[[nodiscard]] std::string AsUtf8(const std::string& s);

/// The bytes whose Latin-1 reading is text, or false when text holds a character above U+00FF
/// or is not valid UTF-8. Undoes AsUtf8 for a sentence that was not valid UTF-8.
[[nodiscard]] bool Latin1Bytes(const std::string& text, std::string& bytes);

/// Appends the UTF-8 encoding of a code point (at most U+10FFFF, no surrogates).
void AppendUtf8(std::string& out, unsigned codePoint);

}  // namespace korvane::interchange
