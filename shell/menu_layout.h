// Column layout of the New Meeting submenu when its items do not fit the screen's height.
#pragma once

#include <vector>

namespace corvane {

inline constexpr int kMenuItemTwips = 255;  // height taken for one menu item

struct CompetitionMenuColumns {
  int columns = 1;
  int itemsPerColumn = 0;
  std::vector<int>
      breaks;  // zero-based menu positions of the competition items that start a column
};

// The submenu holds the competition items, a separator and Scratch Racing. Columns are added
// until a column's share of the items is shorter than the screen; every competition item whose
// position (after the first) is a multiple of the items per column starts a new column.
CompetitionMenuColumns CompetitionMenuBreaks(int competitionCount, int screenHeightTwips);

}  // namespace corvane
