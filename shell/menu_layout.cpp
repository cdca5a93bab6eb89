#include "shell/menu_layout.h"

#include "engine/records/conventions.h"

namespace corvane {

CompetitionMenuColumns CompetitionMenuBreaks(int competitionCount, int screenHeightTwips) {
  CompetitionMenuColumns layout;
  const int items = (competitionCount < 0 ? 0 : competitionCount) + 2;
  // One item a column is as far as columns can go, even on a screen lower than one item.
  int columns = 1;
  while (columns < items && RoundToIntegerClamped(static_cast<double>(items) * kMenuItemTwips /
                                                  columns) >= screenHeightTwips) {
    ++columns;
  }
  layout.columns = columns;
  layout.itemsPerColumn = items / columns;
  for (int p = 1; p < competitionCount; ++p) {
    if (p % layout.itemsPerColumn == 0) layout.breaks.push_back(p);
  }
  return layout;
}

}  // namespace corvane
