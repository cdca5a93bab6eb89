// What the preferences dialog decides: the editing rules of its boxes, the competitions list
// and applying the result. The dialog lays out controls and forwards their events here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/records/preferences.h"
#include "shell/settings_values.h"

namespace corvane {

inline constexpr char kNewCompetitionCaption[] = "<New Meeting>";

// Reads a configuration file's title line; nothing when the file cannot be read
// or has none.
std::optional<std::string> ReadCompetitionTitle(const std::filesystem::path& file);

// The competition checker's one line on a configuration file (UTF-8): no problems, how many,
// or why a meeting cannot read it; corvane-run --check lists them.
std::string CompetitionCheckLine(const std::filesystem::path& file);

// A chosen file as its box shows it: its path relative to `folder` when it lies inside it,
// otherwise its full path.
std::string PathForFolder(const std::filesystem::path& file, const std::filesystem::path& folder);

// The same for a file that may be the user's own or a bundled one: relative to the user's
// folder when inside it, else relative to the bundled folder when inside that, else full. A
// plain name is looked for in the user's folder first when the meeting starts.
std::string PathForFolders(const std::filesystem::path& file,
                           const std::filesystem::path& userFolder,
                           const std::filesystem::path& bundledFolder);

// The New Meeting entries as the dialog's list edits them.
class CompetitionListEditor {
 public:
  explicit CompetitionListEditor(std::vector<CompetitionEntry> entries);

  const std::vector<CompetitionEntry>& entries() const { return entries_; }
  int selected() const { return selected_; }  // -1 when no line is selected
  void Select(int row);

  bool CanAdd() const { return entries_.size() < static_cast<std::size_t>(kMaxCompetitions); }
  bool CanDelete() const { return selected_ >= 0; }
  bool CanMoveUp() const { return selected_ > 0; }
  bool CanMoveDown() const {
    return selected_ >= 0 && static_cast<std::size_t>(selected_) + 1 < entries_.size();
  }

  // A "<New Meeting>" line without a file, before the selected line (or at the end), selected.
  void Add();
  // Removes the selected line; the line now in its place (or the new last one) is selected.
  void Delete();
  void MoveUp();
  void MoveDown();

  // The selected entry's file takes the trimmed text, unless that file is "-", which stays.
  void TypeConfigFile(std::string_view text);
  // The selected entry's title, from a configuration file's title line.
  void SetSelectedTitle(std::string title);
  std::string SelectedFile() const;

  // The menu's entries: every line with a title, in list order.
  std::vector<CompetitionEntry> MenuEntries() const;

 private:
  std::vector<CompetitionEntry> entries_;
  int selected_ = -1;
};

// The preferences dialog's working copy. Text from and to the boxes is UTF-8.
class PreferencesEditor {
 public:
  PreferencesEditor(const Preferences& prefs, std::vector<CompetitionEntry> competitions);

  // Edited directly by the option buttons and check boxes.
  Preferences draft;
  CompetitionListEditor competitions;

  // Leaving the rider database box: the trimmed text, or the current file when it is empty.
  std::string LeaveRiderFile(std::string_view text);
  // Leaving the maximum average box: a whole number from 1 to 99 is taken; anything else is
  // refused and the last good value comes back. Returns the box's text.
  std::string LeaveMaxAverage(std::string_view text);

  // Typing a mark replaces mark `index` (1..17) with the trimmed text, cut to two characters.
  void TypeMark(int index, std::string_view text);
  // Leaving the mark box: an empty mark takes back the mark the settings hold. Returns it.
  std::string LeaveMark(int index);

  struct Applied {
    Preferences prefs;
    std::vector<CompetitionEntry> competitions;
  };
  // The preferences and menu entries OK applies, with the boxes' texts as last left.
  Applied Apply(std::string_view maxAverageText, std::string_view riderFileText);

 private:
  Preferences current_;
};

}  // namespace corvane
