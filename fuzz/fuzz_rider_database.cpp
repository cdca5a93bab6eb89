// Rider databases are passed around between users: any bytes must read safely, and what was
// read must survive a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/io/text_encoding.h"
#include "riderdb/rider_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  RiderDatabase first;
  if (!ReadDatabaseText(first, std::string_view(reinterpret_cast<const char*>(data), size))) {
    return 0;
  }
  const std::string written = DatabaseText(first);
  // Windows-1252 text whose accented bytes happen to form valid UTF-8 is read as UTF-8, and a
  // file beginning with the bytes of a UTF-8 byte-order mark ("ï»¿" in Windows-1252) as UTF-8
  // after the mark: such files cannot round-trip, and real names practically never look like
  // that.
  if (LooksLikeUtf8(written) || written.starts_with("\xEF\xBB\xBF")) return 0;
  RiderDatabase second;
  if (!ReadDatabaseText(second, written)) std::abort();
  if (DatabaseText(second) != written) std::abort();
  return 0;
}
