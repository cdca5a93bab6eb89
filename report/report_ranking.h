// The order in which the report lists riders and teams. It is worked out for the report alone:
// the meeting's own ScoreOrder and GroupOrder are left as they are.
#pragma once

#include "engine/records/meeting.h"

namespace corvane {

struct ReportOrder {
  // rider[p]: the slot listed at position p, where position j of group g is
  // (g - 1) * NumRiders + j. Positions 1..40 hold slots 1..40.
  SlotArray<int> rider{};
  // group[i]: the group listed i-th; entries 1..9 hold groups 1..9.
  GroupArray<int> group{};
};

// Individual meetings rank each group's riders by points plus bonus, ties broken by their place
// counts (class 0 first); a single group's reserves stay at its end. Meetings of three or more
// teams rank the teams by points, ties by their place counts. Two-team meetings and the riders
// of team meetings keep programme order. Equal records keep their order.
ReportOrder RankForReport(const Meeting& m);

}  // namespace corvane
