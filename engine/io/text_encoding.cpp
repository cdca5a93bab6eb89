#include "engine/io/text_encoding.h"

#include <array>

#include "engine/io/utf8.h"

namespace corvane {

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the undefined ones keep their number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<char> ToCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == cp) return static_cast<char>(0x80 + k);
  }
  return std::nullopt;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    utf8::Append(out, b < 0x80 || b >= 0xA0 ? char32_t{b} : kHighControls[b - 0x80]);
  }
  return out;
}

std::optional<std::string> Cp1252Form(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = 0;
    const std::size_t len = utf8::Decode(text, i, cp);
    const std::optional<char> byte = len == 0 ? std::nullopt : ToCp1252(cp);
    if (!byte) return std::nullopt;
    out += *byte;
    i += len;
  }
  return out;
}

void Utf8Evidence::Add(std::string_view text) {
  std::size_t i = 0;
  while (valid_ && i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t len = utf8::Decode(text, i, cp);
    valid_ = len != 0;
    nonAscii_ = true;
    i += len;
  }
}

bool LooksLikeUtf8(std::string_view bytes) {
  Utf8Evidence evidence;
  evidence.Add(bytes);
  return evidence.LooksLikeUtf8();
}

std::string FileTextToUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return ValidUtf8(bytes.substr(3));
  if (LooksLikeUtf8(bytes)) return std::string(bytes);
  return Cp1252ToUtf8(bytes);
}

std::string FileBytesOf(std::string_view text) {
  std::optional<std::string> cp1252 = Cp1252Form(text);
  if (cp1252 && !LooksLikeUtf8(*cp1252)) return std::move(*cp1252);
  // Text that begins with a byte-order mark keeps it behind the one the reader drops.
  return text.starts_with("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" + ValidUtf8(text) : ValidUtf8(text);
}

std::string ValidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t cp = 0;
    const std::size_t len = utf8::Decode(bytes, i, cp);
    if (len == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(bytes.substr(i, len));
      i += len;
    }
  }
  return out;
}

}  // namespace corvane
