// The user's preferences: owned by the desktop shell (or the command-line runner) and copied
// into each meeting at set-up.
#pragma once

#include <array>
#include <string>

#include "engine/records/conventions.h"

namespace corvane {

struct Preferences {
  Integer PrefMaxAverage = 12;
  Integer PrefHomeAdvantage = 0;
  Integer PrefStartGrid = 0;  // 0 random, 1 favour inside, 2 favour outside, 3 all equal
  std::string PrefRiderDbFile = "Lineups.rdb";
  std::array<Integer, 10> PrefPlayers{};                   // 1..9: 0 computer, 1 player
  std::array<std::string, 18> PrefMarks = DefaultMarks();  // 1..17
  Integer PrefTeamScoring = 0;

  // The marks used where none is set: incident marks 1..8, race points "0".."7", bonus "*".
  static std::array<std::string, 18> DefaultMarks() {
    return {"",  "N", "Fn", "N2", "E", "R", "F", "Fx", "X",
            "0", "1", "2",  "3",  "4", "5", "6", "7",  "*"};
  }
};

}  // namespace corvane
