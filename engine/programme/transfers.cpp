#include "engine/programme/transfers.h"

#include <optional>
#include <string>

namespace corvane {

namespace {

// The group of a letter "A".. up to the letter of group `groups`; 0 when it is none.
int GroupOfLetter(char letter, int groups) {
  const int group = static_cast<unsigned char>(letter) - 64;
  return group >= 1 && group <= groups && group <= kMaxGroups ? group : 0;
}

// A rider number 1..NumRiders read from the text; none when outside. The number is rounded
// to a whole number before its range is tested, as for the programme commands' numbers.
std::optional<int> RiderNumber(const Meeting& m, std::string_view text) {
  const auto value = RoundToInteger(LeadingNumber(text));
  if (!value || *value < 1 || *value > m.NumRiders) return std::nullopt;
  return *value;
}

// The group standing at `position` of the team standings.
int GroupStanding(const Meeting& m, int position) {
  const int group = m.GroupOrder[static_cast<std::size_t>(position)];
  return IsGroup(group) ? group : 0;
}

int SlotAt(const SlotArray<Integer>& order, int position) {
  if (!IsSlot(position)) return 0;
  const int slot = order[static_cast<std::size_t>(position)];
  return IsSlot(slot) ? slot : 0;
}

// A slot that was empty at set-up is flagged absent; once it receives a rider it is absent only
// when that rider has no name or no average, as at set-up.
void MarkPresence(Meeting& m, int slot) {
  const auto s = static_cast<std::size_t>(slot);
  const bool absent = m.RiderName[s].empty() || m.RiderAverage[s] == 0;
  m.RiderFlag[s] = absent ? 1 : 0;
}

}  // namespace

int ResolveRiderReference(const Meeting& m, std::string_view reference, bool isSource) {
  const std::string text = UpperCase(reference);
  std::size_t at = 0;
  bool byStanding = false;
  if (isSource && !text.empty() && text[0] == 'S') {
    byStanding = true;  // "S" is never a group letter
    at = 1;
  }
  if (at >= text.size()) return 0;
  int group = GroupOfLetter(text[at], m.NumGroups);
  if (group == 0) return 0;
  if (byStanding) group = GroupStanding(m, group);
  if (group == 0) return 0;
  ++at;

  char selector = 0;
  if (isSource && at < text.size() && (text[at] == 'R' || text[at] == 'S')) selector = text[at++];
  const auto number = RiderNumber(m, std::string_view(text).substr(at));
  if (!number) return 0;
  const int slot = RiderSlot(m, group, *number);
  if (!IsSlot(slot)) return 0;
  if (selector == 'R') return SlotAt(m.AverageOrder, slot);
  if (selector == 'S') return SlotAt(m.ScoreOrder, slot);
  return slot;
}

int ResolveTeamReference(const Meeting& m, std::string_view reference, bool isSource) {
  const std::string text = UpperCase(reference);
  if (text.size() == 1) return GroupOfLetter(text[0], m.NumTeams);
  if (isSource && text.size() == 2 && text[0] == 'S') {
    const int position = GroupOfLetter(text[1], m.NumTeams);
    return position == 0 ? 0 : GroupStanding(m, position);
  }
  return 0;
}

void TransferRider(Meeting& m, std::string_view argument) {
  const auto refs = SplitFields(argument, ">", 2);
  const int source = ResolveRiderReference(m, refs[1], true);
  const int destination = ResolveRiderReference(m, refs[2], false);
  // An unresolved source names nobody, so there is nothing to copy.
  if (source == 0 || destination == 0 || destination == source) return;
  const auto d = static_cast<std::size_t>(destination);
  const auto s = static_cast<std::size_t>(source);
  if (!m.RiderName[d].empty()) return;  // never overwrite a rider
  m.RiderName[d] = m.RiderName[s];
  m.RiderAverage[d] = m.RiderAverage[s];
  MarkPresence(m, destination);
}

void TransferTeam(Meeting& m, std::string_view argument) {
  const auto refs = SplitFields(argument, ">", 2);
  const int source = ResolveTeamReference(m, refs[1], true);
  const int destination = ResolveTeamReference(m, refs[2], false);
  if (source == 0 || destination == 0 || destination == source) return;
  const auto d = static_cast<std::size_t>(destination);
  const auto s = static_cast<std::size_t>(source);
  if (!m.GroupTitle[d].empty()) return;  // never overwrite a team
  m.GroupTitle[d] = m.GroupTitle[s];
  m.GroupExtra[d] = m.GroupExtra[s];
  for (int k = 1; k <= m.NumRiders; ++k) {
    const int from = RiderSlot(m, source, k);
    const int to = RiderSlot(m, destination, k);
    if (!IsSlot(from) || !IsSlot(to)) break;
    m.RiderName[static_cast<std::size_t>(to)] = m.RiderName[static_cast<std::size_t>(from)];
    m.RiderAverage[static_cast<std::size_t>(to)] = m.RiderAverage[static_cast<std::size_t>(from)];
    MarkPresence(m, to);
  }
}

bool FilledByTransfer(const Meeting& m, int group) {
  if (m.NumTeams <= 1) return false;
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    const auto command = SplitFields(m.ProgrammeLines[static_cast<std::size_t>(i)], "-", 2);
    if (UpperCase(command[1]) != "TFRTEAM") continue;
    const auto refs = SplitFields(command[2], ">", 2);
    if (ResolveTeamReference(m, refs[2], false) == group) return true;
  }
  return false;
}

}  // namespace corvane
