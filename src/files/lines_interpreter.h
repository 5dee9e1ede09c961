// Turns a text of moves into moves: the blocks the line of argumentation writes, and a
// plain-text dialect of free sentences and rules (IF, THEN, IT IS DEFEATED THAT, UNLESS).
#pragma once

namespace korvane {

class TSession;

/// Makes the moves that the session's text view describes on its current line, with
/// Interactive and RefreshViews false, showing a progress line; sets both flags back
/// and refreshes once at the end. Throws TCommandError for a block cut short by the end
/// of the lines, or for a move too costly to evaluate; the moves made before stay.
void InterpretTextLines(TSession& session);

}  // namespace korvane
