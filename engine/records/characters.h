// Characters of the engine's UTF-8 text: counting, cutting, display width and upper case.
// Every length rule of the files and the report counts characters, never bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/records/conventions.h"  // Left, UpperCase

namespace corvane {

// Number of characters (code points; a byte that starts no valid sequence counts as one).
std::size_t CharacterCount(std::string_view text);

// Whether every byte of the text is ASCII, so that each byte is a character one column wide.
// Eight bytes at a time: the race measures every rider's name in every heat it records.
inline bool IsAscii(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  const char* bytes = text.data();
  const std::size_t size = text.size();
  std::uint64_t seen = 0;
  if (size >= 8) {
    std::uint64_t word = 0;
    for (std::size_t at = 0; at + 8 <= size; at += 8) {
      std::memcpy(&word, bytes + at, 8);
      seen |= word;
    }
    std::memcpy(&word, bytes + size - 8, 8);  // the last bytes, overlapping those read
    seen |= word;
  } else {
    for (std::size_t at = 0; at < size; ++at) seen |= static_cast<unsigned char>(bytes[at]);
  }
  return (seen & kHighBits) == 0;
}

// DisplayWidth of text that is not all ASCII.
int UnicodeDisplayWidth(std::string_view text);

// Columns the text takes in a fixed-pitch font: accents written as separate characters take
// none, wide East Asian characters two, every other character one.
inline int DisplayWidth(std::string_view text) {
  return IsAscii(text) ? static_cast<int>(text.size()) : UnicodeDisplayWidth(text);
}

// The text followed by blanks up to `width` columns (see DisplayWidth); longer text is kept
// whole. For columns of names, which printf's widths would count in bytes.
std::string PaddedToWidth(std::string_view text, int width);

// Left and UpperCase, which count and map characters too, are declared with the other text
// conventions.

}  // namespace corvane
