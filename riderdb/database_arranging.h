// Arranging a rider database: the order of its list, and the order of a line-up's riders.
#pragma once

#include "riderdb/rider_database.h"

namespace corvane {

enum class SortColumn { kName = 0, kId = 1 };

// Sorts the list by the line-up names or the competition IDs, ignoring case; entries that
// compare equal keep their order.
void SortEntries(RiderDatabase& db, SortColumn column);

// Where the record's entry stands in the list; -1 when the list does not show it.
int EntryIndexOf(const RiderDatabase& db, int number);

// Adds a copy of record `number` at the end; returns the new record's number, 0 when there is
// no such record or the database is full.
int DuplicateRecord(RiderDatabase& db, int number);

// Exchanges the riders (name and average) of two slots 1..40; out-of-range slots do nothing.
void SwapRiders(LineupRecord& record, int slot, int otherSlot);

}  // namespace corvane
