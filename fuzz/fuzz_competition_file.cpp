// Competition files are written by hand and passed around: any bytes must read safely.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/competition_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  corvane::Meeting meeting;
  corvane::LoadCompetitionText(meeting, std::string_view(reinterpret_cast<const char*>(data), size),
                               12);
  return 0;
}
