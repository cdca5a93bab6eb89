// Rider databases are passed around between users: any bytes must read safely, and what was
// read must survive a write and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/io/text_encoding.h"
#include "engine/records/characters.h"
#include "riderdb/rider_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  RiderDatabase first;
  if (!ReadDatabaseText(first, std::string_view(reinterpret_cast<const char*>(data), size))) {
    return 0;
  }
  // Every field is cut to its length in characters, never in the middle of one.
  for (const LineupRecord& record : first.records) {
    const auto whole = [](const std::string& text, std::size_t most) {
      return ValidUtf8(text) == text && CharacterCount(text) <= most;
    };
    bool sound = whole(record.name, kLineupNameLength) && whole(record.compId, kCompIdLength);
    for (const std::string& name : record.riderNames)
      sound = sound && whole(name, kRiderNameLength);
    if (!sound) std::abort();
  }
  // Written as a save writes it: whichever encoding the file gets, it reads back the same.
  const std::string text = DatabaseText(first);
  const std::string written = FileBytesOf(text);
  RiderDatabase second;
  if (!ReadDatabaseText(second, written)) std::abort();
  if (DatabaseText(second) != text) std::abort();
  return 0;
}
