// Engine text is Windows-1252, one byte a character; these convert at the edges.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252; characters with no Windows-1252 form become "?".
// Invalid UTF-8 sequences also become "?".
std::string Utf8ToCp1252(std::string_view text);

// True when the text is valid UTF-8 and holds at least one non-ASCII character: such a file
// was written as UTF-8 rather than Windows-1252.
bool LooksLikeUtf8(std::string_view text);

// The text of a file as the engine holds it: UTF-8 files (see LooksLikeUtf8, a byte-order mark
// is dropped) are converted, anything else is taken as Windows-1252 already.
std::string FileTextToCp1252(std::string_view bytes);

}  // namespace corvane
