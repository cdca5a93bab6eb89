// Meeting files come from anywhere: any bytes must be refused or give a meeting whose report
// can be written, and a meeting that was read must write back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "report/meeting_file.h"
#include "report/results_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Result<Meeting> meeting = DecodeMeeting(bytes, Meeting{});
  if (!meeting) return 0;
  (void)WriteResults(meeting.value());
  const Result<std::string> again = EncodeMeeting(meeting.value());
  if (!again) std::abort();
  const Result<Meeting> reread = DecodeMeeting(again.value(), Meeting{});
  if (!reread || WriteResults(reread.value()) != WriteResults(meeting.value())) std::abort();
  return 0;
}
