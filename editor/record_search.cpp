#include "editor/record_search.h"

#include <algorithm>

#include "editor/average_scale.h"
#include "engine/io/utf8.h"
#include "engine/records/conventions.h"

namespace corvane {

std::string SearchedFieldText(const RiderDatabase& db, int entry, int field, int maxAverage,
                              std::string_view decimalSeparator) {
  if (entry < 0 || entry >= static_cast<int>(db.entries.size())) return {};
  const LineupRecord* record =
      db.Record(RecordNumberOf(db.entries[static_cast<std::size_t>(entry)].key));
  if (record == nullptr || field < 1 || field > kSearchFields) return {};
  if (field == 1) return record->name;
  if (field == 2) return record->compId;
  const auto slot = static_cast<std::size_t>((field - 1) / 2);
  if (field % 2 == 1) return record->riderNames[slot];
  return ShownAverage(record->riderAverages[slot], maxAverage, decimalSeparator);
}

namespace {

// The text one character an element, so places count characters ("\u0141ukasz" is six long).
std::u32string Characters(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    const std::size_t len = utf8::Decode(text, i, cp);
    out += len == 0 ? char32_t{0xFFFD} : cp;
    i += len == 0 ? 1 : len;
  }
  return out;
}

}  // namespace

bool FindString(const SearchSettings& settings, std::string_view fieldText, int& ptr) {
  const std::u32string field =
      Characters(settings.matchCase ? std::string(fieldText) : UpperCase(fieldText));
  const std::u32string wanted =
      Characters(settings.matchCase ? settings.text : UpperCase(settings.text));
  std::size_t from = ptr >= 1 ? static_cast<std::size_t>(ptr - 1) : 0;
  ptr = 1;
  if (wanted.empty()) return false;
  while (from <= field.size()) {
    const std::size_t at = field.find(wanted, from);
    if (at == std::u32string::npos) return false;
    const std::size_t end = at + wanted.size();
    const bool alone =
        (at == 0 || field[at - 1] == ' ') && (end == field.size() || field[end] == ' ');
    if (!settings.wholeWords || alone) {
      ptr = static_cast<int>(at) + 1;
      return true;
    }
    from = at + 1;
  }
  return false;
}

std::optional<SearchPlace> SearchRecords(const RiderDatabase& db, const SearchSettings& settings,
                                         SearchPlace start, int maxAverage,
                                         std::string_view decimalSeparator) {
  const int entries = static_cast<int>(db.entries.size());
  if (entries == 0 || settings.text.empty()) return std::nullopt;
  start.entry = std::clamp(start.entry, 0, entries - 1);
  start.field = std::clamp(start.field, 1, kSearchFields);
  start.character = std::max(start.character, 1);

  const auto found = [&](const SearchPlace& place) -> std::optional<SearchPlace> {
    int ptr = place.character;
    const std::string text =
        SearchedFieldText(db, place.entry, place.field, maxAverage, decimalSeparator);
    if (!FindString(settings, text, ptr)) return std::nullopt;
    return SearchPlace{place.entry, place.field, ptr};
  };

  SearchPlace place = start;
  for (;;) {
    if (auto match = found(place)) return match;
    place.character = 1;
    if (++place.field > kSearchFields) {
      place.field = 1;
      place.entry = (place.entry + 1) % entries;
    }
    if (place.entry == start.entry && place.field == start.field) {
      // Round again: what lies before the start in its own field has not been searched yet.
      if (start.character == 1) return std::nullopt;
      return found(place);
    }
  }
}

}  // namespace corvane
