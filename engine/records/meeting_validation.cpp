#include "engine/records/meeting_validation.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace corvane {

namespace {

// Collects the first value found outside its range.
class RangeCheck {
 public:
  void Expect(const std::string& what, long value, long low, long high) {
    if (problem_ || (value >= low && value <= high)) return;
    problem_ = what + " is " + Dec(value) + ", outside " + Dec(low) + " to " + Dec(high);
  }

  // The same test for every element of an array; the name gets the index in brackets.
  template <class Array>
  void ExpectEach(const std::string& what, const Array& values, long low, long high) {
    for (std::size_t i = 0; i < values.size() && !problem_; ++i) {
      Expect(what + "(" + std::to_string(i) + ")", values[i], low, high);
    }
  }

  void Fail(std::string text) {
    if (!problem_) problem_ = std::move(text);
  }

  const std::optional<std::string>& problem() const { return problem_; }

 private:
  std::optional<std::string> problem_;
};

std::string Index(const std::string& what, std::size_t a, std::size_t b) {
  return what + "(" + std::to_string(a) + ", " + std::to_string(b) + ")";
}

std::string Index(const std::string& what, std::size_t a, std::size_t b, std::size_t c) {
  return what + "(" + std::to_string(a) + ", " + std::to_string(b) + ", " + std::to_string(c) + ")";
}

// The shape of the meeting: groups, riders, programme and scorecard.
void CheckRegulations(const Meeting& m, RangeCheck& check) {
  check.Expect("NumTeams", m.NumTeams, 1, kMaxGroups);
  check.Expect("NumGroups", m.NumGroups, 1, kMaxGroups);
  // Scratch racing started with nobody entered has no riders (earlier versions wrote such
  // files); every other meeting has at least one.
  const long fewestRiders = m.ControlMode == 2 ? 0 : 1;
  check.Expect("NumRiders", m.NumRiders, fewestRiders, kMaxSlots);
  check.Expect("NumGroups x NumRiders", long{m.NumGroups} * m.NumRiders, fewestRiders, kMaxSlots);
  check.Expect("NumReserves", m.NumReserves, 0, std::min<long>(4, m.NumRiders));
  check.Expect("ResMode", m.ResMode, 0, 2);
  check.Expect("RdrRepSlot", m.RdrRepSlot, 0, 1);
  check.Expect("MaxRides", m.MaxRides, 0, kMaxHeats);
  if (m.ProgrammeLines.empty()) check.Fail("the programme has no line count");
  for (std::size_t s = 0; s < m.Scorecard.size(); ++s) {
    if (m.Scorecard[s].size() != static_cast<std::size_t>(m.MaxRides) + 1 && m.MaxRides >= 0) {
      check.Fail("the scorecard of slot " + std::to_string(s) + " does not have MaxRides rides");
    }
  }
}

void CheckRiders(const Meeting& m, RangeCheck& check) {
  check.ExpectEach("AverageOrder", m.AverageOrder, 0, kMaxSlots);
  check.ExpectEach("ScoreOrder", m.ScoreOrder, 0, kMaxSlots);
  check.ExpectEach("RiderTeam", m.RiderTeam, 0, kMaxGroups);
  check.ExpectEach("RiderNumber", m.RiderNumber, 0, kMaxSlots);
  check.ExpectEach("RidesTaken", m.RidesTaken, 0, m.MaxRides);
  check.ExpectEach("HandicapCode", m.HandicapCode, 0, kMarkCount);
  for (std::size_t s = 0; s < m.RiderAverage.size(); ++s) {
    if (!std::isfinite(m.RiderAverage[s])) {
      check.Fail("RiderAverage(" + std::to_string(s) + ") is not a number");
    }
  }
  check.ExpectEach("GroupOrder", m.GroupOrder, 0, kMaxGroups);
  for (std::size_t g = 0; g < m.GroupReplacement.size(); ++g) {
    for (std::size_t f = 1; f <= 2; ++f) {
      check.Expect(Index("GroupReplacement", g, f), m.GroupReplacement[g][f], 0, kMaxSlots);
    }
  }
}

void CheckHeats(const Meeting& m, RangeCheck& check) {
  check.Expect("HeatCount", m.HeatCount, 0, kMaxHeats);
  check.ExpectEach("ProgrammeHeats", m.ProgrammeHeats, 0, kMaxHeats);
  // Every heat adds at most one to these counts and the meeting stops at 40 heats, so counts
  // within the heats run stay in range however long the meeting is carried on.
  const long heats = std::clamp<long>(m.HeatCount, 0, kMaxHeats);
  check.Expect("MainHeats", m.MainHeats, 0, heats);
  check.Expect("ProgrammeHeats(0)", m.ProgrammeHeats[0], 0, heats);
  check.ExpectEach("RidesTaken", m.RidesTaken, 0, heats);
  check.ExpectEach("RidesCounted", m.RidesCounted, 0, heats);
  for (std::size_t h = 0; h < m.HeatResults.size(); ++h) {
    const HeatRecord& heat = m.HeatResults[h];
    // Entry 0 field 2 counts the named riders recorded, and bounds loops over the entries.
    check.Expect(Index("HeatResults", h, 0, 2), heat[0][2], 0, kMaxEntries);
    for (std::size_t e = 1; e < heat.size(); ++e) {
      check.Expect(Index("HeatResults", h, e, 1), heat[e][1], 0, kMaxSlots);
      check.Expect(Index("HeatResults", h, e, 2), heat[e][2], 0, kMarkCount);
    }
  }
}

// The heat in hand: its line-up columns hold a rider slot (1), a place or rider number (2)
// and a heat or rider number (3).
void CheckCurrentHeat(const Meeting& m, RangeCheck& check) {
  check.Expect("HeatRiders", m.HeatRiders, 0, kMaxEntries);
  for (std::size_t p = 0; p < m.HeatGrid.size(); ++p) {
    for (std::size_t c = 1; c <= 3; ++c) {
      check.Expect(Index("HeatGrid", p, c), m.HeatGrid[p][c], 0, kMaxSlots);
    }
  }
}

void CheckRunner(const Meeting& m, RangeCheck& check) {
  check.Expect("MeetingState", m.MeetingState, kStartedFromEditor, kMeetingOver);
  // The runner goes on at ProgLine; one past the last line means the programme is done.
  check.Expect("ProgLine", m.ProgLine, 1, static_cast<long>(m.ProgrammeLineCount()) + 1);
  check.Expect("SupportRiders", m.SupportRiders, 0, kMaxEntries);
  if (m.SupportRiders > 0) {
    // Support riders take the slots after the groups and their track reserves.
    const int trackReserves = m.ResMode == 2 ? m.NumReserves : 0;
    check.Expect("the last support rider's slot",
                 long{m.NumGroups} * m.NumRiders + trackReserves + m.SupportRiders, 1, kMaxSlots);
  }
  // Its default 1 stands in a meeting without riders too.
  check.Expect("NominatedFirst", m.NominatedFirst, 0, std::max<long>(m.NumRiders, 1));
  check.Expect("NominatedLast", m.NominatedLast, 0, m.NumRiders);

  const auto& table = m.RunoffTable;
  check.Expect("RunoffTable(0, 0)", table[0][0], 0, 3);
  for (std::size_t k = 1; k < table.size(); ++k) {
    check.Expect(Index("RunoffTable", k, 1), table[k][1], 0, kMaxSlots);
    check.Expect(Index("RunoffTable", k, 2), table[k][2], 0, kMaxSlots);
    // A runoff block covers standings positions first .. first + size - 1.
    check.Expect("the last position of runoff " + std::to_string(k),
                 long{table[k][1]} + table[k][2] - 1, -1, kMaxSlots);
  }
  check.Expect("RunoffsPending", m.RunoffsPending, 0, 3);
  check.Expect("RunoffStage", m.RunoffStage, 0, 4);
}

}  // namespace

std::optional<std::string> MeetingProblem(const Meeting& m) {
  RangeCheck check;
  CheckRegulations(m, check);
  CheckRiders(m, check);
  CheckHeats(m, check);
  CheckCurrentHeat(m, check);
  CheckRunner(m, check);
  return check.problem();
}

}  // namespace corvane
