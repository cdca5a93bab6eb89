#include "engine/race/entry_code.h"

#include "engine/records/conventions.h"

namespace corvane {

namespace {

bool IsFormLetter(char c) {
  return c == 'N' || c == 'R' || c == 'S' || c == 'T';
}

// The form character and number of the text after a group letter.
void ReadGroupPart(std::string_view rest, char& form, double& number) {
  form = rest.empty() ? '\0' : rest.front();
  number = LeadingNumber(IsFormLetter(form) ? rest.substr(1) : rest);
}

}  // namespace

EntryCode ReadEntryCode(std::string_view code) {
  EntryCode entry;
  if (code.empty()) return entry;
  entry.empty = false;
  entry.first = code.front();
  entry.second = code.size() >= 2 ? code[1] : '\0';
  const std::string_view afterFirst = code.substr(1);
  ReadGroupPart(afterFirst, entry.groupForm, entry.groupNumber);
  if (code.size() >= 2) ReadGroupPart(code.substr(2), entry.standingForm, entry.standingNumber);
  entry.afterFirst = LeadingNumber(afterFirst);
  const std::size_t dot = afterFirst.find('.');
  entry.place = LeadingNumber(afterFirst.substr(0, dot));
  entry.heat = dot == std::string_view::npos ? 0.0 : LeadingNumber(afterFirst.substr(dot + 1));
  entry.slot = LeadingNumber(code);
  return entry;
}

}  // namespace corvane
