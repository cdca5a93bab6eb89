// Characters of the engine's UTF-8 text: counting, cutting, display width and upper case.
// Every length rule of the files and the report counts characters, never bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/records/conventions.h"  // Left, UpperCase

namespace corvane {

// Number of characters (code points; a byte that starts no valid sequence counts as one).
std::size_t CharacterCount(std::string_view text);

// Columns the text takes in a fixed-pitch font: accents written as separate characters take
// none, wide East Asian characters two, every other character one.
int DisplayWidth(std::string_view text);

// The text followed by blanks up to `width` columns (see DisplayWidth); longer text is kept
// whole. For columns of names, which printf's widths would count in bytes.
std::string PaddedToWidth(std::string_view text, int width);

// Left and UpperCase, which count and map characters too, are declared with the other text
// conventions.

}  // namespace corvane
