#include "dialogmodels/control_model.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::array<int, 3> kColumnLefts{135, 1665, 3195};
constexpr std::array<int, 4> kRowTops{90, 920, 1750, 2580};

// The designed window: three columns and three rows of frames, the buttons below on the right.
constexpr int kDesignedWidth = 4740;
constexpr int kDesignedHeight = 3570;
constexpr std::array<int, 3> kDesignedButtonLefts{1665, 2670, 3680};
constexpr std::array<int, 3> kNarrowButtonLefts{135, 1140, 2150};
constexpr int kNarrowWidth = 3300;
// Below the lowest frame's top: the frame, the buttons and a margin.
constexpr int kHeightBelowLastTop = 1820;
// The buttons' tops stand this far above the bottom of the inner area.
constexpr int kButtonsAboveBottom = 870;

}  // namespace

int ControlledTeams(const Meeting& m) {
  return std::clamp<int>(m.NumTeams, 1, kMaxGroups);
}

PlayerChoice LoadControl(const Meeting& m) {
  PlayerChoice players{};
  for (int t = 1; t <= ControlledTeams(m); ++t) {
    players[static_cast<std::size_t>(t)] = m.TeamControl[static_cast<std::size_t>(t)] != 0;
  }
  return players;
}

void WriteControl(const PlayerChoice& players, Meeting& m) {
  // Scratch racing lines up every race in the heat manager whoever steers the teams; leaving
  // its mode would turn it into a meeting without a programme.
  const bool scratch = m.ControlMode == 2;
  if (!scratch) m.ControlMode = 0;
  for (int t = 1; t <= ControlledTeams(m); ++t) {
    const auto i = static_cast<std::size_t>(t);
    m.TeamControl[i] = players[i] ? 1 : 0;
    if (players[i] && !scratch) m.ControlMode = 1;
  }
}

void ApplyPlayerDefaults(const Preferences& prefs, Meeting& m) {
  if (m.ControlMode == 2) return;
  for (int t = 1; t <= kMaxGroups; ++t) {
    const auto i = static_cast<std::size_t>(t);
    m.TeamControl[i] = prefs.PrefPlayers[i] == 1 ? 1 : 0;
  }
  m.ControlMode = 0;
  for (int t = 1; t <= ControlledTeams(m); ++t) {
    if (m.TeamControl[static_cast<std::size_t>(t)] == 1) m.ControlMode = 1;
  }
}

ControlLayout ArrangeControl(int teams) {
  ControlLayout layout;
  // Teams 1 to 3 down the first column, 4 to 6 down the second, 7 to 9 down the third.
  for (int t = 1; t <= kMaxGroups; ++t) {
    layout.frames[static_cast<std::size_t>(t)] = {
        kColumnLefts[static_cast<std::size_t>((t - 1) / 3)],
        kRowTops[static_cast<std::size_t>((t - 1) % 3)]};
  }
  layout.innerWidth = kDesignedWidth;
  layout.innerHeight = kDesignedHeight;
  layout.buttonLefts = kDesignedButtonLefts;

  auto place = [&layout](int team, int column, int row) {
    layout.frames[static_cast<std::size_t>(team)] = {kColumnLefts[static_cast<std::size_t>(column)],
                                                     kRowTops[static_cast<std::size_t>(row)]};
  };
  auto heightBelowFrame = [&layout](int team) {
    layout.innerHeight = layout.frames[static_cast<std::size_t>(team)].top + kHeightBelowLastTop;
  };
  switch (teams) {
    case 2:
      place(2, 1, 0);
      layout.innerWidth = kNarrowWidth;
      heightBelowFrame(1);
      break;
    case 3:
      place(2, 1, 0);
      place(3, 2, 0);
      heightBelowFrame(1);
      break;
    case 4:
      place(3, 1, 0);
      place(4, 1, 1);
      layout.innerWidth = kNarrowWidth;
      heightBelowFrame(2);
      break;
    case 5:
    case 6:
      place(4, 1, 0);
      place(5, 1, 1);
      place(6, 1, 2);
      layout.innerWidth = kNarrowWidth;
      heightBelowFrame(3);
      break;
    case 7:
    case 8:
      place(4, 0, 3);
      place(5, 1, 0);
      place(6, 1, 1);
      place(7, 1, 2);
      place(8, 1, 3);
      layout.innerWidth = kNarrowWidth;
      heightBelowFrame(4);
      break;
    default:  // one team or nine: the designed grid
      break;
  }
  if (teams == 2 || (teams >= 4 && teams <= 8)) layout.buttonLefts = kNarrowButtonLefts;
  layout.buttonTop = layout.innerHeight - kButtonsAboveBottom;
  return layout;
}

}  // namespace corvane
