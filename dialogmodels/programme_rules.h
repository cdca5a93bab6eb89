// The programme editor's decisions, without its window: which rows it shows and whose rider
// each one edits, the average boxes' scale, moving riders and marking the replaced one, and
// what Start Racing leaves in the meeting.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane {

// Longest texts of the boxes (the meeting keeps them in one-byte characters).
inline constexpr int kTitleBoxLength = 32;
inline constexpr int kVenueBoxLength = 24;
inline constexpr int kDateBoxLength = 32;
inline constexpr int kTeamNameBoxLength = 32;
inline constexpr int kRiderNameBoxLength = 24;
inline constexpr int kExtraPointsBoxLength = 3;  // 0 to 999

enum class SectionKind {
  Team,   // a team's panel
  Group,  // a group of an individual meeting's list
  Block,  // the separate block: track reserves, or the support riders
};

struct EditorRow {
  int slot = 0;
  std::string label;             // "3:" in a team
  bool reserve = false;          // one of the reserve rows, drawn apart from the riders
  bool replacementSlot = false;  // the team's extra rider, open only while a rider is replaced
};

struct EditorSection {
  SectionKind kind = SectionKind::Team;
  int group = 0;  // the team or group; 0 for the separate block
  std::vector<EditorRow> rows;
};

struct EditorLayout {
  bool teamMeeting = false;
  int panelsPerRow = 1;
  int panelReserveRows = 0;             // reserve rows at the end of each panel
  int blockRows = 0;                    // rows of the separate block
  std::vector<EditorSection> sections;  // the teams or groups in order, then the block

  // The section and row that edit `slot`; nullptr when no row does.
  const EditorSection* SectionOf(int slot) const;
  const EditorRow* RowOf(int slot) const;
};

// The rows the editor shows for the meeting. Every rider position of every group has its
// row, so nothing a line-up loads is out of sight; the separate block edits the slots after
// the last group, where the track reserves (or the support riders) ride.
EditorLayout LayoutFor(const Meeting& m);

// The heading of an individual meeting's group: its title, or "GROUP 2".
std::string GroupHeading(const Meeting& m, int group);

// Opening the editor: the meeting is not started, and a new meeting takes the preferred
// player teams.
void OpenProgramme(const Preferences& prefs, Meeting& m);

// Average boxes. The value typed is on the scale 0 to MaxAverage and is held divided by it.
// A number between one sixth and the whole of the scale is held; any other number, or an
// empty box, holds no average (0). Text that is not a number (a lone separator) changes
// nothing: std::nullopt.
std::optional<Single> AverageFromText(std::string_view text, Integer maxAverage, char decimal);
// Shown in a box that is not being typed in: "9.00", empty for no average.
std::string AverageShownText(Single held, Integer maxAverage, char decimal);
// Shown on entering a box: "9", "7.5", "7.46"; empty for no average.
std::string AverageEntryText(Single held, Integer maxAverage, char decimal);
// The help line of an average box: "Rider average (0; 2.00-12.00)".
std::string AverageHelpText(Integer maxAverage, char decimal);

// Extra team points as typed: a whole number 0 to 999.
Integer ExtraPointsFromText(std::string_view text);

// The neighbour a rider moves to, up (-1) or down (+1) within his team, group or block; the
// rider-replacement slot takes no part. 0 when there is none.
int NeighbourSlot(const EditorLayout& layout, int slot, int direction);

// Exchanges the riders (names and averages) of two slots; a team's replaced rider keeps being
// the replaced one in his new slot.
void ExchangeRiders(Meeting& m, const EditorLayout& layout, int a, int b);

// The team whose panel shows `slot`; 0 outside the panels.
int TeamOfSlot(const EditorLayout& layout, int slot);

// Whether Use R/R applies to the rider in `slot`: a rider of a team panel, in a competition
// with rider replacement, other than the team's extra replacement rider.
bool CanReplaceRider(const Meeting& m, const EditorLayout& layout, int slot);
bool IsReplacedRider(const Meeting& m, const EditorLayout& layout, int slot);
// Use R/R: the rider becomes his team's replaced rider, or stops being it. Returns whether he
// is replaced now.
bool ToggleReplacedRider(Meeting& m, const EditorLayout& layout, int slot);
// The team's extra replacement rider is entered only while the team has a replaced rider.
bool ReplacementSlotOpen(const Meeting& m, int team);

// Interactive: 0 becomes 1 and 1 becomes 0; scratch racing (2) is left alone. Returns whether
// the command is ticked now.
bool ToggleInteractive(Meeting& m);

// The teams whose name boxes offer the rider database's line-ups: every team the programme
// does not fill by transfer. None in an individual meeting (its title box offers them).
std::vector<int> LineupTeams(const Meeting& m);

// Start Racing: scratch racing packs the entered riders from slot 1 on and counts them;
// otherwise empty slots lose their averages, a team's extra rider is dropped unless a rider is
// replaced, and a replaced rider who is not there is no longer replaced. The meeting is then
// started.
void StartRacing(Meeting& m, const EditorLayout& layout);

}  // namespace corvane
