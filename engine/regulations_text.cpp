#include "engine/regulations_text.h"

namespace corvane {

namespace {

void Line(std::string& out, const std::string& label, const std::string& value) {
  out += label;
  if (label.size() < 26) out.append(26 - label.size(), ' ');
  out += value;
  out += '\n';
}

std::string List(const auto& values, int first, int last) {
  std::string text;
  for (int i = first; i <= last; ++i) {
    if (i > first) text += ", ";
    text += values[static_cast<std::size_t>(i)];
  }
  return text;
}

}  // namespace

std::string RegulationsText(const Meeting& m) {
  std::string out;
  Line(out, "Competition", m.CompetitionTitle);
  Line(out, "Teams", Dec(m.NumTeams));
  Line(out, "Groups (per row)", Dec(m.NumGroups) + " (" + Dec(m.GroupsPerRow) + ")");
  Line(out, "Riders per group", Dec(m.NumRiders));
  Line(out, "Reserves (mode)", Dec(m.NumReserves) + " (" + Dec(m.ResMode) + ")");
  Line(out, "Rides min / max / reserve",
       Dec(m.MinRides) + " / " + Dec(m.MaxRides) + " / " + Dec(m.MaxRidesRes));
  Line(out, "Reserve use", Dec(m.ResUse));
  Line(out, "Start penalty (m)", Dec(m.StartPen));
  Line(out, "Runoffs (depth)", Dec(m.RunoffMode) + " (" + Dec(m.RunoffDepth) + ")");
  Line(out, "Bonus points", Dec(m.BonusPts));
  Line(out, "Tactical subs (margin)", Dec(m.TacSubUse) + " (" + Dec(m.TacSubMargin) + ")");
  Line(out, "Rider replacement (slot)", Dec(m.RdrRepUse) + " (" + Dec(m.RdrRepSlot) + ")");
  Line(out, "Special races",
       Dec(m.SpclRaceMode) + (m.SpclRaceName.empty() ? "" : " " + m.SpclRaceName));
  std::array<std::string, 9> handicaps;
  for (std::size_t i = 1; i <= 8; ++i) handicaps[i] = Dec(m.Handicaps[i]);
  Line(out, "Handicaps (m)", List(handicaps, 1, 8));
  Line(out, "Maximum average", Dec(m.MaxAverage));
  Line(out, "Competition IDs", List(m.CompIds, 1, 8));
  for (int g = 1; g <= m.NumGroups; ++g) {
    const std::string& title = m.GroupTitle[static_cast<std::size_t>(g)];
    if (!title.empty()) Line(out, std::string("Group ") + static_cast<char>('A' + g - 1), title);
  }
  out += "\nProgramme\n";
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    out += "  " + m.ProgrammeLines[static_cast<std::size_t>(i)] + '\n';
  }
  return out;
}

}  // namespace corvane
