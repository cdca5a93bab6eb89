#include "dialogmodels/programme_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "dialogmodels/control_model.h"
#include "engine/programme/transfers.h"

namespace corvane {

namespace {

constexpr Integer kHighestExtraPoints = 999;

bool IsTeamMeeting(const Meeting& m) {
  return m.NumTeams > 1;
}

// Reserve rows in each panel and rows of the separate block. After the main meeting the block
// takes the support riders.
struct RowCounts {
  int panelReserves = 0;
  int block = 0;
};
RowCounts RowCountsFor(const Meeting& m) {
  const int reserves = std::max<int>(0, m.NumReserves);
  if (m.SupportMode) return {m.ResMode == 2 ? reserves : 0, std::max<int>(0, m.SupportRiders)};
  if (m.NumGroups == 1 || m.ResMode == 0) return {reserves, 0};
  if (m.ResMode == 2) return {0, reserves};
  return {0, 0};
}

std::string Formatted(double value, char decimal) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s(text);
  std::replace(s.begin(), s.end(), '.', decimal);
  return s;
}

std::size_t Index(int i) {
  return static_cast<std::size_t>(i);
}

}  // namespace

const EditorSection* EditorLayout::SectionOf(int slot) const {
  for (const EditorSection& section : sections) {
    for (const EditorRow& row : section.rows) {
      if (row.slot == slot) return &section;
    }
  }
  return nullptr;
}

const EditorRow* EditorLayout::RowOf(int slot) const {
  for (const EditorSection& section : sections) {
    for (const EditorRow& row : section.rows) {
      if (row.slot == slot) return &row;
    }
  }
  return nullptr;
}

EditorLayout LayoutFor(const Meeting& m) {
  EditorLayout layout;
  layout.teamMeeting = IsTeamMeeting(m);
  layout.panelsPerRow = std::clamp<int>(m.GroupsPerRow, 1, kMaxGroups);
  const RowCounts counts = RowCountsFor(m);
  layout.panelReserveRows = counts.panelReserves;
  layout.blockRows = counts.block;
  if (m.NumRiders < 1) return layout;

  const int groups = std::clamp<int>(m.NumGroups, 1, kMaxGroups);
  const int replacementSlot = layout.teamMeeting && m.RdrRepSlot == 1 ? 1 : 0;
  const int firstReserve = m.NumRiders - replacementSlot - counts.panelReserves + 1;
  for (int g = 1; g <= groups; ++g) {
    EditorSection section{layout.teamMeeting ? SectionKind::Team : SectionKind::Group, g, {}};
    for (int p = 1; p <= m.NumRiders; ++p) {
      const int slot = RiderSlot(m, g, p);
      if (!IsSlot(slot)) break;
      EditorRow row{slot, layout.teamMeeting ? Dec(p) + ":" : Dec(p) + ".", false, false};
      row.replacementSlot = replacementSlot == 1 && p == m.NumRiders;
      row.reserve = !row.replacementSlot && p >= firstReserve;
      section.rows.push_back(row);
    }
    layout.sections.push_back(std::move(section));
  }

  EditorSection block{SectionKind::Block, 0, {}};
  for (int i = 1; i <= counts.block; ++i) {
    const int slot = groups * m.NumRiders + i;
    if (!IsSlot(slot)) break;
    // Support heats name their riders by plain numbers; track reserves are the R riders.
    block.rows.push_back({slot, m.SupportMode ? Dec(i) + ":" : "R" + Dec(i) + ":", false, false});
  }
  if (!block.rows.empty()) layout.sections.push_back(std::move(block));
  return layout;
}

std::string GroupHeading(const Meeting& m, int group) {
  if (!IsGroup(group)) return std::string();
  const std::string& title = m.GroupTitle[Index(group)];
  return title.empty() ? "GROUP " + Dec(group) : title;
}

void OpenProgramme(const Preferences& prefs, Meeting& m) {
  m.MeetingState = kRunOn;
  // The support competition keeps the control the main meeting had.
  if (!m.SupportMode) ApplyPlayerDefaults(prefs, m);
}

std::optional<Single> AverageFromText(std::string_view text, Integer maxAverage, char decimal) {
  if (text.empty()) return Single{0};
  std::string number;
  bool digits = false;
  bool separator = false;
  for (const char c : text) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digits = true;
      number += c;
    } else if (c == decimal && !separator) {
      separator = true;
      number += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  if (maxAverage < 1) return Single{0};
  const double x = std::strtod(number.c_str(), nullptr) / maxAverage;
  if (x >= 1.0 / 6.0 && x <= 1.0) return static_cast<Single>(x);
  return Single{0};
}

std::string AverageShownText(Single held, Integer maxAverage, char decimal) {
  if (held == 0) return std::string();
  return Formatted(static_cast<double>(held * maxAverage), decimal);
}

std::string AverageEntryText(Single held, Integer maxAverage, char decimal) {
  std::string s = AverageShownText(held, maxAverage, decimal);
  if (s.empty()) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == decimal) s.pop_back();
  return s;
}

std::string AverageHelpText(Integer maxAverage, char decimal) {
  return "Rider average (0; " + Formatted(maxAverage / 6.0, decimal) + "-" +
         Formatted(maxAverage, decimal) + ")";
}

Integer ExtraPointsFromText(std::string_view text) {
  const double value = LeadingNumber(text);
  return std::clamp<Integer>(RoundToIntegerClamped(value), 0, kHighestExtraPoints);
}

int NeighbourSlot(const EditorLayout& layout, int slot, int direction) {
  const EditorSection* section = layout.SectionOf(slot);
  if (section == nullptr || (direction != -1 && direction != 1)) return 0;
  const auto& rows = section->rows;
  const auto at = std::find_if(rows.begin(), rows.end(),
                               [slot](const EditorRow& row) { return row.slot == slot; });
  if (at->replacementSlot) return 0;
  const long next = (at - rows.begin()) + direction;
  if (next < 0 || next >= static_cast<long>(rows.size())) return 0;
  const EditorRow& neighbour = rows[static_cast<std::size_t>(next)];
  return neighbour.replacementSlot ? 0 : neighbour.slot;
}

void ExchangeRiders(Meeting& m, const EditorLayout& layout, int a, int b) {
  if (!IsSlot(a) || !IsSlot(b) || a == b) return;
  std::swap(m.RiderName[Index(a)], m.RiderName[Index(b)]);
  std::swap(m.RiderAverage[Index(a)], m.RiderAverage[Index(b)]);
  const int team = TeamOfSlot(layout, a);
  if (team == 0 || team != TeamOfSlot(layout, b)) return;
  Integer& replaced = m.GroupReplacement[Index(team)][1];
  if (replaced == a) {
    replaced = static_cast<Integer>(b);
  } else if (replaced == b) {
    replaced = static_cast<Integer>(a);
  }
}

int TeamOfSlot(const EditorLayout& layout, int slot) {
  const EditorSection* section = layout.SectionOf(slot);
  return section != nullptr && section->kind == SectionKind::Team ? section->group : 0;
}

bool CanReplaceRider(const Meeting& m, const EditorLayout& layout, int slot) {
  const EditorRow* row = layout.RowOf(slot);
  return m.RdrRepUse > 0 && TeamOfSlot(layout, slot) != 0 && row != nullptr &&
         !row->replacementSlot;
}

bool IsReplacedRider(const Meeting& m, const EditorLayout& layout, int slot) {
  const int team = TeamOfSlot(layout, slot);
  return team != 0 && m.GroupReplacement[Index(team)][1] == slot;
}

bool ToggleReplacedRider(Meeting& m, const EditorLayout& layout, int slot) {
  if (!CanReplaceRider(m, layout, slot)) return false;
  Integer& replaced = m.GroupReplacement[Index(TeamOfSlot(layout, slot))][1];
  replaced = replaced == slot ? Integer{0} : static_cast<Integer>(slot);
  return replaced != 0;
}

bool ReplacementSlotOpen(const Meeting& m, int team) {
  return IsGroup(team) && m.GroupReplacement[Index(team)][1] != 0;
}

bool ToggleInteractive(Meeting& m) {
  if (m.ControlMode == 0) {
    m.ControlMode = 1;
  } else if (m.ControlMode == 1) {
    m.ControlMode = 0;
  }
  return m.ControlMode == 1;
}

std::vector<int> LineupTeams(const Meeting& m) {
  std::vector<int> teams;
  if (!IsTeamMeeting(m)) return teams;
  const int last = std::min<int>({m.NumGroups, m.NumTeams, kMaxGroups});
  for (int g = 1; g <= last; ++g) {
    if (!FilledByTransfer(m, g)) teams.push_back(g);
  }
  return teams;
}

void StartRacing(Meeting& m, const EditorLayout& layout) {
  if (m.ControlMode == 2) {
    // Scratch racing: the riders entered, in row order, renumbered from 1.
    std::vector<std::pair<std::string, Single>> riders;
    for (const EditorSection& section : layout.sections) {
      for (const EditorRow& row : section.rows) {
        if (IsSlot(row.slot) && !m.RiderName[Index(row.slot)].empty()) {
          riders.emplace_back(m.RiderName[Index(row.slot)], m.RiderAverage[Index(row.slot)]);
        }
      }
    }
    for (int s = 1; s <= kMaxSlots; ++s) {
      const bool entered = Index(s) <= riders.size();
      m.RiderName[Index(s)] = entered ? riders[Index(s) - 1].first : std::string();
      m.RiderAverage[Index(s)] = entered ? riders[Index(s) - 1].second : Single{0};
    }
    m.NumRiders = static_cast<Integer>(riders.size());
  } else {
    if (m.RdrRepSlot == 1) {
      for (int g = 1; g <= std::min<int>(m.NumGroups, kMaxGroups); ++g) {
        const int extra = RiderSlot(m, g, m.NumRiders);
        if (!ReplacementSlotOpen(m, g) && IsSlot(extra)) m.RiderName[Index(extra)].clear();
      }
    }
    for (int s = 1; s <= kMaxSlots; ++s) {
      if (m.RiderName[Index(s)].empty()) m.RiderAverage[Index(s)] = 0;
    }
    for (int g = 1; g <= kMaxGroups; ++g) {
      Integer& replaced = m.GroupReplacement[Index(g)][1];
      if (replaced != 0 && (!IsSlot(replaced) || m.RiderName[Index(replaced)].empty())) {
        replaced = 0;
      }
    }
  }
  m.MeetingState = kStartedFromEditor;
}

}  // namespace corvane
