// The order of the records in a meeting file, shared by the writer and the reader so the two
// cannot drift apart. An archive supplies Section(label), Int(v), Flag(v), Float(v), Text(s)
// and Cell(row, ride); the writer is handed a const Meeting, the reader a Meeting to fill.
//
// The two counts that size the variable arrays, the programme's line count and MaxRides, come
// first in the file and are handled by the caller before this runs.
#pragma once

#include <cstddef>

#include "engine/records/meeting.h"

namespace corvane::meeting_file {

template <class Archive, class Array>
void Each(Archive& a, Array& values) {
  for (auto& v : values) a.Int(v);
}

// A two-index array of rows [a][b], written with a varying fastest.
template <class Archive, class Table>
void EachFirstIndexFastest(Archive& a, Table& table) {
  for (std::size_t b = 0; b < table[0].size(); ++b) {
    for (auto& row : table) a.Int(row[b]);
  }
}

template <class Archive>
void TransferLines(Archive& a, const ProgrammeText& text) {
  for (const auto& line : text) a.Text(line);
}
template <class Archive>
void TransferLines(Archive& a, ProgrammeText& text) {
  text.Edit([&](ProgrammeText::Lines& lines) {
    for (auto& line : lines) a.Text(line);
  });
}

template <class Archive, class M>
void TransferRecords(Archive& a, M& m) {
  a.Section("the programme lines");
  TransferLines(a, m.ProgrammeLines);

  a.Section("the regulations");
  for (auto* v :
       {&m.NumTeams, &m.NumGroups, &m.NumRiders, &m.ResMode, &m.NumReserves, &m.MinRides,
        &m.MaxRidesRes, &m.ResUse, &m.StartPen, &m.RunoffMode, &m.RunoffDepth, &m.BonusPts,
        &m.TacSubUse, &m.TacSubMargin, &m.RdrRepUse, &m.RdrRepSlot, &m.SpclRaceMode}) {
    a.Int(*v);
  }
  Each(a, m.Handicaps);
  a.Section("the programme marks");
  for (auto& mark : m.ProgMarks) a.Text(mark);
  a.Int(m.TeamScoring);
  a.Int(m.MaxAverage);
  a.Section("the competition identifiers");
  for (auto& id : m.CompIds) a.Text(id);

  a.Section("the meeting settings");
  a.Int(m.HeatRiders);
  a.Flag(m.SupportMode);
  a.Int(m.SupportRiders);
  a.Int(m.MainHeats);
  a.Int(m.StartGridNow);
  Each(a, m.TeamControl);
  a.Int(m.ControlMode);
  a.Int(m.StartGridOption);
  a.Flag(m.HomeAdvantage);

  a.Section("the meeting header");
  a.Text(m.DateLines);
  a.Text(m.VenueLines);
  a.Text(m.TitleLines);

  a.Section("the riders");
  for (auto& name : m.RiderName) a.Text(name);
  for (auto& average : m.RiderAverage) a.Float(average);
  Each(a, m.AverageOrder);
  Each(a, m.RiderTeam);
  Each(a, m.RiderNumber);
  Each(a, m.RidesTaken);
  Each(a, m.RidesCounted);

  a.Section("the scorecard");
  for (std::size_t ride = 0; ride <= static_cast<std::size_t>(m.MaxRides); ++ride) {
    for (auto& row : m.Scorecard) a.Cell(row, ride);
  }

  a.Section("the rider totals");
  for (auto* v : {&m.RiderPoints, &m.RiderBonus, &m.PlannedRides, &m.RiderFlag, &m.NominatedRides,
                  &m.RdrRepRides, &m.TacSubRides, &m.HandicapCode}) {
    Each(a, *v);
  }

  a.Section("the teams");
  for (auto& title : m.GroupTitle) a.Text(title);
  Each(a, m.GroupPoints);
  Each(a, m.GroupExtra);
  EachFirstIndexFastest(a, m.PlaceCounts);
  EachFirstIndexFastest(a, m.GroupPlaceCounts);
  EachFirstIndexFastest(a, m.GroupReplacement);

  a.Section("the heat results");
  Each(a, m.ProgrammeHeats);
  // HeatResults[heat][entry][field]: heat fastest, then entry, then field.
  for (std::size_t field = 0; field < m.HeatResults[0][0].size(); ++field) {
    for (std::size_t entry = 0; entry < m.HeatResults[0].size(); ++entry) {
      for (auto& heat : m.HeatResults) a.Int(heat[entry][field]);
    }
  }
  EachFirstIndexFastest(a, m.HeatScores);
  Each(a, m.GroupOrder);
  Each(a, m.ScoreOrder);

  a.Section("the runner's state");
  for (auto* v : {&m.ProgLine, &m.LastPreparedLine, &m.ResultsWidth, &m.HeatCount, &m.ScoringOn,
                  &m.ResUseNow, &m.HandicapOn, &m.NominatedFirst, &m.NominatedLast, &m.TacSubsNow,
                  &m.RdrRepNow, &m.MaxRiderPoints, &m.MaxRiderBonus, &m.MaxGroupTotal,
                  &m.MaxHeatPoints, &m.RunoffsPending, &m.RunoffStage}) {
    a.Int(*v);
  }
  EachFirstIndexFastest(a, m.HeatGrid);
  EachFirstIndexFastest(a, m.RunoffTable);
  a.Int(m.MeetingState);
}

}  // namespace corvane::meeting_file
