#include "report/heat_table_text.h"

#include <algorithm>

#include "engine/race/result_text.h"
#include "engine/records/characters.h"
#include "report/text_layout.h"

namespace corvane {

namespace {

constexpr std::string_view kNotHeld = "Race not held";

bool HasScoreColumns(const Meeting& m) {
  return m.NumTeams >= 2 && m.NumTeams <= 4;
}

// Width of a score column: three characters, wider once the largest value needs more.
int ScoreWidth(int largest) {
  return largest > 99 ? DecimalWidth(largest) + 1 : 3;
}

// A team's heading cell: the first two characters of its name ("T" and its number for a
// shorter name), right-aligned over its column.
std::string TeamCell(const Meeting& m, int team, int largest) {
  const std::string& title = m.GroupTitle[static_cast<std::size_t>(team)];
  const std::string label = CharacterCount(title) >= 2 ? Left(title, 2) : "T" + Dec(team);
  return Spaces(ScoreWidth(largest) - DisplayWidth(label)) + label;
}

void AppendHeading(std::string& text, const Meeting& m) {
  if (m.NumTeams < 1 || m.NumTeams > kMaxGroups) return;
  text += " No. Results";
  if (HasScoreColumns(m)) {
    text += Spaces(m.ResultsWidth - 7);
    if (m.NumTeams == 2) {
      // Heat points first, then running totals.
      text += TeamCell(m, 1, m.MaxHeatPoints) + TeamCell(m, 2, m.MaxHeatPoints) + " ";
    }
    for (int t = 1; t <= m.NumTeams; ++t) text += TeamCell(m, t, m.MaxGroupTotal);
  }
  text += kLineEnd;
}

// Riders in finishing order, each with the bracket that tells how he fared.
void AppendFinishingOrder(std::string& text, const Meeting& m, const HeatRecord& heat) {
  for (int e = 1; e <= kMaxEntries; ++e) {
    const auto& entry = heat[static_cast<std::size_t>(e)];
    const int slot = entry[1];
    if (!IsSlot(slot)) continue;
    const std::string& name = m.RiderName[static_cast<std::size_t>(slot)];
    if (name.empty()) continue;
    if (e > 1) text += ", ";
    text += name + ResultBracket(m, entry[2], entry[3]);
  }
}

void AppendScoreColumns(std::string& text, const Meeting& m, const std::array<Integer, 5>& scores) {
  if (m.NumTeams == 2) {
    const int width = ScoreWidth(m.MaxHeatPoints);
    text += RightAligned(Dec(scores[3]), width) + RightAligned(Dec(scores[4]), width) + " ";
  }
  const int width = ScoreWidth(m.MaxGroupTotal);
  for (int t = 1; t <= m.NumTeams; ++t) {
    text += RightAligned(Dec(scores[static_cast<std::size_t>(t)]), width);
  }
}

void AppendHeatLine(std::string& text, const Meeting& m, int h) {
  const auto& heat = m.HeatResults[static_cast<std::size_t>(h)];
  const auto& scores = m.HeatScores[static_cast<std::size_t>(h)];
  if (m.MainHeats > 0 && h == m.MainHeats + 1) text += kLineEnd;  // later heats set apart
  text += RightAligned(Dec(h), 3) + ": ";
  // The recorded length counts ", " before every rider, the first included.
  const int recordedLength = heat[0][1];
  if (recordedLength == 0) {
    text += kNotHeld;
  } else {
    AppendFinishingOrder(text, m, heat);
  }
  if (scores[0] == 0 && HasScoreColumns(m)) {
    const int used = recordedLength == 0 ? static_cast<int>(kNotHeld.size()) : recordedLength - 2;
    text += Dots(m.ResultsWidth - used);
    AppendScoreColumns(text, m, scores);
  }
  text += " ";
  text += kLineEnd;
}

}  // namespace

void AppendHeatTable(std::string& text, const Meeting& m) {
  AppendHeading(text, m);
  const int heats = std::min<int>(m.HeatCount, kMaxHeats);
  for (int h = 1; h <= heats; ++h) AppendHeatLine(text, m, h);
}

}  // namespace corvane
