// The program's command-line arguments, split from the command line as the system gives it.
#pragma once

#include <string_view>

#include "setup/text_buffer.h"

enum class ArgumentStatus { FOUND, MISSING, TOO_LONG };

// The line is split at bytes 1 to 32 (blanks and control characters) that stand outside double
// quotes; a run of them is one split. A double quote switches the grouping on or off and is
// removed; two in a row are both removed and leave the grouping as it was. The first part is the
// program's own and never an argument: index 1 is the part after it.
// FOUND: argument index is in out. MISSING: there is no such part (or index < 1); out holds the
// empty text, which is what an argument that is not there means. TOO_LONG: the argument has
// more than 520 characters; it is refused whole and out holds the empty text.
ArgumentStatus command_line_argument(std::string_view command_line, int index, PathBuffer& out);
