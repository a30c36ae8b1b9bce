// Case-blind search for a word in a file name or an argument.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// The position of the first occurrence of pattern in text, comparing ASCII letters without
// regard to case (a-z folded to A-Z on both sides) and every other byte exactly, letters outside
// ASCII included. Positions are tried in rising order; a pattern longer than the text is never
// found, an empty pattern is found at 0.
std::optional<std::size_t> contains_text(std::string_view text, std::string_view pattern);
