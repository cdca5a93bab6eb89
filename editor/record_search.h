// Searching a rider database for a piece of text, field by field and line-up by line-up, in
// the order the list shows them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "riderdb/rider_database.h"

namespace corvane {

struct SearchSettings {
  std::string text;
  bool wholeWords = false;
  bool matchCase = false;
};

// Fields of a line-up in file order: 1 the line-up name, 2 the competition ID, 2j+1 the name
// of rider j and 2j+2 his average.
inline constexpr int kSearchFields = 82;

// A place in the database: an entry of the list (from 0, list order), a field of its line-up
// and a character of that field's text (from 1).
struct SearchPlace {
  int entry = 0;
  int field = 1;
  int character = 1;

  bool operator==(const SearchPlace&) const = default;
};

// The field's text as the line-up panel shows it: an untitled line-up has an empty name box,
// and averages read as their two-decimal text on the shown scale (empty when there is none).
std::string SearchedFieldText(const RiderDatabase& db, int entry, int field, int maxAverage,
                              std::string_view decimalSeparator);

// Looks for the search text in `fieldText` from character `ptr` on. On a match `ptr` becomes
// the character where it begins; otherwise it becomes 1. Without match case, letters compare by
// their upper case ("\u0142ukasz" finds "\u0141ukasz"). With whole words an occurrence counts
// only where it stands alone between the field's ends and single spaces ("Rider" is found in
// "A Rider" but not in "Riders" or "Rider-X"); a later occurrence in the field is tried when
// an earlier one does not stand alone.
bool FindString(const SearchSettings& settings, std::string_view fieldText, int& ptr);

// The next match from `start` on: the rest of the start field, the following fields, the
// following entries, then round from the first entry back to the start field, which is tried
// once more from its beginning. Nothing when the text is empty or found nowhere.
std::optional<SearchPlace> SearchRecords(const RiderDatabase& db, const SearchSettings& settings,
                                         SearchPlace start, int maxAverage,
                                         std::string_view decimalSeparator);

}  // namespace corvane
