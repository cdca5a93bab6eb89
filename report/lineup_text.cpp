#include "report/lineup_text.h"

#include <algorithm>

#include "engine/records/characters.h"
#include "report/text_layout.h"

namespace corvane {

namespace {

constexpr int kNameWidth = 26;  // names are followed by dots up to this width
constexpr int kCellWidth = 3;   // scorecard cells are left-aligned in three characters

enum class Numbering {
  Numbered,            // the rider's position, right-aligned
  SingleGroupReserve,  // "R. " where the units digit of a number would stand
  TrackReserve,        // " R. " in the track reserves block
};

void AppendScorecard(std::string& text, const Meeting& m, std::size_t r) {
  const auto& row = m.Scorecard[r];
  for (int k = 1; k <= m.MaxRides; ++k) {
    const auto ride = static_cast<std::size_t>(k);
    const std::string cell = ride < row.size() && !row[ride].empty() ? row[ride] : "-";
    text += cell + Spaces(kCellWidth - DisplayWidth(cell));
  }
  const int totalWidth = m.MaxRiderPoints > 99 ? DecimalWidth(m.MaxRiderPoints) : 2;
  text += RightAligned(Dec(m.RiderPoints[r]), totalWidth);

  const int bonus = m.RiderBonus[r];
  if (bonus > 0) text += "+" + Dec(bonus);
  const int flag = m.RiderFlag[r];
  if (flag != 1 && flag != 2) return;
  // Absent and injured marks line up one blank after the widest bonus.
  int gap = 1;
  if (m.MaxRiderBonus > 0) {
    gap = bonus > 0 ? DecimalWidth(m.MaxRiderBonus) - DecimalWidth(bonus) + 1
                    : DecimalWidth(m.MaxRiderBonus) + 2;
  }
  text += Spaces(gap) + (flag == 1 ? "(A)" : "(I)");
}

// One rider line for slot r at position j of a block of n lines belonging to group g
// (group 0 for the track reserves).
void AppendRiderLine(std::string& text, const Meeting& m, int r, int j, int n, int g,
                     Numbering numbering) {
  if (!IsSlot(r)) return;
  const auto slot = static_cast<std::size_t>(r);
  const std::string& name = m.RiderName[slot];
  switch (numbering) {
    case Numbering::TrackReserve:
      if (name.empty()) return;
      text += " R. ";
      break;
    case Numbering::SingleGroupReserve:
      if (name.empty()) return;
      text += Spaces(DecimalWidth(m.NumRiders)) + "R. ";
      break;
    case Numbering::Numbered:
      // An empty rider-replacement slot is left out; any other empty slot keeps its number.
      if (name.empty() && m.RdrRepSlot != 0 && j == n) return;
      text += RightAligned(Dec(j), DecimalWidth(m.NumRiders) + 1) + ". ";
      if (name.empty()) {
        text += kLineEnd;
        return;
      }
      break;
  }
  text += name + Dots(kNameWidth - DisplayWidth(name)) + " ";
  if (r == m.GroupReplacement[static_cast<std::size_t>(g)][1]) {
    text += "Rider replacement";
  } else if (m.RidesTaken[slot] == 0 && m.MainHeats > 0) {
    text += "Did not ride";
  } else {
    AppendScorecard(text, m, slot);
  }
  text += kLineEnd;
}

void AppendBlockHeading(std::string& text, const Meeting& m, int i, int g) {
  if (m.NumTeams == 1 && m.NumGroups >= 2 && i <= m.NumGroups) {
    // Groups of an individual meeting are headed by their title alone, even an empty one; the
    // track reserves after them are headed like a team, by a title they hold.
    text += " " + m.GroupTitle[static_cast<std::size_t>(i)] + " ";
    text += kLineEnd;
    return;
  }
  const auto group = static_cast<std::size_t>(g);
  const std::string& title = m.GroupTitle[group];
  if (title.empty()) return;
  text += " " + title + " " + Dec(m.GroupPoints[group]);
  if (m.GroupExtra[group] > 0) {
    text += " (" + Dec(long{m.GroupPoints[group]} + m.GroupExtra[group]) + ")";
  }
  text += kLineEnd;
}

void AppendGroupBlock(std::string& text, const Meeting& m, const ReportOrder& order, int i) {
  const int g = order.group[static_cast<std::size_t>(i)];
  AppendBlockHeading(text, m, i, g);
  const int n = m.NumRiders;
  const bool reservesAtEnd = m.NumGroups == 1 && m.ResMode == 2;
  for (int j = 1; j <= n; ++j) {
    const int position = (g - 1) * n + j;
    if (position > kMaxSlots) break;
    if (position < 1) continue;
    const bool reserve = reservesAtEnd && j > n - m.NumReserves;
    AppendRiderLine(text, m, order.rider[static_cast<std::size_t>(position)], j, n, g,
                    reserve ? Numbering::SingleGroupReserve : Numbering::Numbered);
  }
  text += kLineEnd;
}

// Track reserves: the slots after the last group, shared by every group.
void AppendTrackReserves(std::string& text, const Meeting& m, int reserves) {
  AppendBlockHeading(text, m, m.NumGroups + 1, 0);
  const int firstSlot = m.NumRiders * m.NumGroups + 1;
  bool anyRider = false;
  for (int j = 1; j <= reserves; ++j) {
    const int r = firstSlot + j - 1;
    if (!IsSlot(r)) continue;
    anyRider = anyRider || !m.RiderName[static_cast<std::size_t>(r)].empty();
    AppendRiderLine(text, m, r, j, reserves, 0, Numbering::TrackReserve);
  }
  if (anyRider) text += kLineEnd;
}

}  // namespace

void AppendLineups(std::string& text, const Meeting& m, const ReportOrder& order) {
  if (m.MaxRides <= 0) return;
  const int groups = std::min<int>(m.NumGroups, kMaxGroups);
  for (int i = 1; i <= groups; ++i) AppendGroupBlock(text, m, order, i);
  const int trackReserves = m.NumGroups > 1 && m.ResMode == 2 ? m.NumReserves : 0;
  if (trackReserves > 0) AppendTrackReserves(text, m, trackReserves);
}

}  // namespace corvane
