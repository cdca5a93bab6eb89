// Checks shared by the fuzz targets that run meetings: the records must stay sound, must obey
// the scoring rules, and must survive a meeting file unchanged.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/records/meeting.h"
#include "engine/records/meeting_validation.h"
#include "report/meeting_file.h"
#include "report/results_report.h"
#include "support/whole_meeting.h"

namespace corvane::fuzzing {

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "meeting check failed: %s\n", what.c_str());
  std::abort();
}

// Every slot a rider, averages spread over the scale, so every heat line names somebody.
inline void FillWithGeneratedRiders(Meeting& m) {
  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    m.RiderName[i] = "Rider " + Dec(s);
    m.RiderAverage[i] = 0.3f + 0.05f * static_cast<float>((s * 7) % 13);
  }
}

inline void CheckMeeting(const Meeting& m) {
  if (const auto problem = MeetingProblem(m)) Fail("unsound records: " + *problem);
  for (const std::string& fault : testing::ScoringFaults(m, testing::MarksFixedByProgramme(m))) {
    Fail(fault);
  }
  const std::string report = WriteResults(m);
  const Result<std::string> bytes = EncodeMeeting(m);
  if (!bytes) Fail("not written: " + bytes.error());
  const Result<Meeting> again = DecodeMeeting(bytes.value(), m);
  if (!again) Fail("not read back: " + again.error());
  if (WriteResults(again.value()) != report) Fail("the report changed in the meeting file");
}

}  // namespace corvane::fuzzing
