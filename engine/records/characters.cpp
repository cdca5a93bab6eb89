#include "engine/records/characters.h"

#include <unicode/uchar.h>

#include "engine/io/utf8.h"

namespace corvane {

namespace {

// A character drawn over the one before it rather than beside it.
bool IsMark(char32_t cp) {
  if (cp < 0x300) return false;
  const auto type = u_charType(static_cast<UChar32>(cp));
  return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK ||
         type == U_COMBINING_SPACING_MARK || cp == 0x200D;
}

int ColumnsOf(char32_t cp) {
  if (cp < 0x300) return 1;
  const auto c = static_cast<UChar32>(cp);
  const auto type = u_charType(c);
  if (type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_FORMAT_CHAR) return 0;
  const auto width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
  return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

// Calls f(start, length, cp) for each character; a byte that starts no valid sequence is a
// character of its own with code point 0xFFFD.
template <typename F>
void ForEachCharacter(std::string_view text, F&& f) {
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = static_cast<unsigned char>(text[i]);
    std::size_t len = cp < 0x80 ? 1 : utf8::Decode(text, i, cp);
    if (len == 0) len = 1, cp = 0xFFFD;
    if (!f(i, len, cp)) return;
    i += len;
  }
}

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  if (IsAscii(text)) return text.size();
  std::size_t count = 0;
  ForEachCharacter(text, [&](std::size_t, std::size_t, char32_t) { return ++count, true; });
  return count;
}

std::string Left(std::string_view text, std::size_t n) {
  if (text.size() <= n) return std::string(text);
  if (IsAscii(text)) return std::string(text.substr(0, n));
  std::size_t count = 0;
  std::size_t cut = text.size();
  std::size_t lastLetter = 0;  // where the last character that is no accent began
  ForEachCharacter(text, [&](std::size_t at, std::size_t, char32_t cp) {
    const bool mark = IsMark(cp);
    if (count == n) {
      cut = mark ? lastLetter : at;
      return false;
    }
    if (!mark) lastLetter = at;
    ++count;
    return true;
  });
  return std::string(text.substr(0, cut));
}

int UnicodeDisplayWidth(std::string_view text) {
  int width = 0;
  ForEachCharacter(text, [&](std::size_t, std::size_t, char32_t cp) {
    width += ColumnsOf(cp);
    return true;
  });
  return width;
}

std::string PaddedToWidth(std::string_view text, int width) {
  std::string out(text);
  const int shown = DisplayWidth(text);
  if (shown < width) out.append(static_cast<std::size_t>(width - shown), ' ');
  return out;
}

std::string UpperCase(std::string_view text) {
  if (IsAscii(text)) {  // programme lines and keywords, read at every heat
    std::string out(text);
    for (char& c : out) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
    }
    return out;
  }
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](std::size_t at, std::size_t len, char32_t cp) {
    if (cp < 0x80) {
      out += cp >= 'a' && cp <= 'z' ? static_cast<char>(cp - 0x20) : static_cast<char>(cp);
    } else if (cp == 0xFFFD && len == 1) {
      out += text[at];  // not UTF-8: kept as it is
    } else {
      utf8::Append(out, static_cast<char32_t>(u_toupper(static_cast<UChar32>(cp))));
    }
    return true;
  });
  return out;
}

}  // namespace corvane
