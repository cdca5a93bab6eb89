// UTF-8 one code point at a time: the engine holds its text in UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::utf8 {

// Decodes the sequence at text[i] into cp and returns its length in bytes; 0 when the bytes
// there are not valid UTF-8 (a stray or truncated sequence, an overlong form, a surrogate).
std::size_t Decode(std::string_view text, std::size_t i, char32_t& cp);

// Length of the character at text[i]: its sequence, or 1 for a byte that starts none.
inline std::size_t StepAt(std::string_view text, std::size_t i) {
  if (static_cast<unsigned char>(text[i]) < 0x80) return 1;
  char32_t cp = 0;
  const std::size_t len = Decode(text, i, cp);
  return len == 0 ? 1 : len;
}

void Append(std::string& out, char32_t cp);

}  // namespace corvane::utf8
