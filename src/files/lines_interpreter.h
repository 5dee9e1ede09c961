// Turns a text of moves into moves: the blocks the line of argumentation writes, and a
// plain-text dialect of free sentences and rules (IF, THEN, IT IS DEFEATED THAT, UNLESS).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "files/move_target.h"

namespace korvane {

/// Makes the moves that lines describe through target's entry points, calling progress
/// with the line's index before every tenth line. Throws TCommandError (kind Interpretation) for a block cut
/// short by the end of the lines, or for a move too costly to evaluate; the moves made
/// before stay. Questions and refreshes are the target's affair.
void InterpretTextLines(const std::vector<std::string>& lines, TMoveTarget& target,
                        const std::function<void(std::size_t line)>& progress);

}  // namespace korvane
