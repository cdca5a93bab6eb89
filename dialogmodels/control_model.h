// The control mode dialog without its window: who steers each team as the dialog opens, what
// OK writes, and where the team frames stand for the number of teams.
#pragma once

#include <array>

#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane {

// Player (true) or computer (false) for teams 1..9; element 0 unused.
using PlayerChoice = std::array<bool, kMaxGroups + 1>;

// The teams of the meeting: 1 in an individual meeting, never more than nine.
int ControlledTeams(const Meeting& m);

PlayerChoice LoadControl(const Meeting& m);

// OK: TeamControl of the meeting's teams from the choice, ControlMode 1 when a player steers
// any of them, else 0 (scratch racing keeps its mode). Groups above the meeting's teams keep
// their value.
void WriteControl(const PlayerChoice& players, Meeting& m);

// A new meeting starts with the preferred player teams; the heat manager is then shown when
// one of the meeting's teams is the player's. Scratch racing is left alone.
void ApplyPlayerDefaults(const Preferences& prefs, Meeting& m);

// Positions in twips.
struct TwipsPoint {
  int left = 0;
  int top = 0;
  bool operator==(const TwipsPoint&) const = default;
};

struct ControlLayout {
  std::array<TwipsPoint, kMaxGroups + 1> frames{};  // 1..9, top-left corners
  int innerWidth = 0;                               // the window's inner area
  int innerHeight = 0;
  std::array<int, 3> buttonLefts{};  // OK, Cancel, Help
  int buttonTop = 0;
};

inline constexpr int kControlFrameWidth = 1410;
inline constexpr int kControlFrameHeight = 780;
inline constexpr int kControlButtonWidth = 900;
inline constexpr int kControlButtonHeight = 375;

// The frames and buttons arranged for the number of teams.
ControlLayout ArrangeControl(int teams);

}  // namespace corvane
