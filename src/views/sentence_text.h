// Sentences are byte strings; the window shows them as text. Bytes that are valid
// UTF-8 read as UTF-8, anything else as Windows-1252, so old files stay readable.
// Typed text is stored as UTF-8, except that text shown for an existing statement
// maps back to that statement's own bytes, so choosing it matches it exactly.
#pragma once

#include <QString>
#include <string>

#include "model/statement.h"

namespace korvane {

[[nodiscard]] QString SentenceToDisplay(const std::string& bytes);

/// The bytes for text typed or chosen by the user: the first known statement whose
/// sentence displays as text, otherwise text encoded as UTF-8.
[[nodiscard]] std::string SentenceFromDisplay(const QString& text, const TStatements& known);

/// Text encoded as UTF-8.
[[nodiscard]] std::string DisplayToUtf8(const QString& text);

}  // namespace korvane
