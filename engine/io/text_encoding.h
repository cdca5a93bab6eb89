// Engine text is UTF-8. Files are read in Windows-1252 or UTF-8, and written in Windows-1252
// whenever every character fits, so files of earlier versions round-trip byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to the
// control characters of the same number, so they write back as they were read.
std::string Cp1252ToUtf8(std::string_view bytes);

// The Windows-1252 form of UTF-8 text; nothing when a character has none or the text is not
// valid UTF-8.
std::optional<std::string> Cp1252Form(std::string_view text);

// True when the text is valid UTF-8 and holds at least one non-ASCII character: such a file
// was written as UTF-8 rather than Windows-1252.
bool LooksLikeUtf8(std::string_view bytes);

// The same test over a file's texts taken together (a meeting file holds many).
class Utf8Evidence {
 public:
  void Add(std::string_view text);
  bool LooksLikeUtf8() const { return valid_ && nonAscii_; }
  bool AnyNonAscii() const { return nonAscii_; }

 private:
  bool valid_ = true;
  bool nonAscii_ = false;
};

// The text of a file as the engine holds it: UTF-8 files (see LooksLikeUtf8; a byte-order
// mark is dropped) are taken as they are, anything else is read as Windows-1252.
std::string FileTextToUtf8(std::string_view bytes);

// How a file's text is written: in Windows-1252 when every character fits and the bytes would
// not read back as UTF-8, otherwise in UTF-8.
std::string FileBytesOf(std::string_view text);

// Text from outside (command line, system) made valid UTF-8: a byte that starts no valid
// sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view bytes);

}  // namespace corvane
