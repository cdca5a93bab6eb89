#include "shell/preferences_editor.h"

#include <utility>

#include "engine/competition/competition_check.h"
#include "engine/competition/competition_file.h"
#include "engine/io/file_io.h"
#include "engine/records/conventions.h"
#include "engine/records/meeting.h"

namespace corvane {

namespace {

constexpr std::size_t kMaxConfigFileBytes = 16u << 20;

bool IsMarkIndex(int index) {
  return index >= 1 && index <= kMarkCount;
}

}  // namespace

std::optional<std::string> ReadCompetitionTitle(const std::filesystem::path& file) {
  const Result<std::string> bytes = ReadWholeFile(file, kMaxConfigFileBytes);
  if (!bytes) return std::nullopt;
  std::string title = CompetitionTitleLine(bytes.value());
  if (title.empty()) return std::nullopt;
  return title;
}

std::string CompetitionCheckLine(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  const Result<std::string> bytes = ReadWholeFile(file, kMaxConfigFileBytes);
  if (!bytes) return bytes.error();
  const CompetitionCheck check = CheckCompetitionText(bytes.value());
  std::string line = CheckSummary(check, name);
  if (check.readable && !check.findings.empty()) line += " (corvane-run --check lists them)";
  return line;
}

std::string PathForFolder(const std::filesystem::path& file, const std::filesystem::path& folder) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::weakly_canonical(file, ec);
  if (ec) return file.string();
  const std::filesystem::path base = std::filesystem::weakly_canonical(folder, ec);
  if (ec) return full.string();
  const std::filesystem::path relative = full.lexically_relative(base);
  if (relative.empty() || *relative.begin() == "..") return full.string();
  return relative.string();
}

std::string PathForFolders(const std::filesystem::path& file,
                           const std::filesystem::path& userFolder,
                           const std::filesystem::path& bundledFolder) {
  if (!userFolder.empty()) {
    const std::string inUser = PathForFolder(file, userFolder);
    if (!std::filesystem::path(inUser).is_absolute()) return inUser;
  }
  return PathForFolder(file, bundledFolder);
}

CompetitionListEditor::CompetitionListEditor(std::vector<CompetitionEntry> entries)
    : entries_(std::move(entries)) {
  if (entries_.size() > static_cast<std::size_t>(kMaxCompetitions)) {
    entries_.resize(static_cast<std::size_t>(kMaxCompetitions));
  }
  selected_ = entries_.empty() ? -1 : 0;
}

void CompetitionListEditor::Select(int row) {
  selected_ = row >= 0 && static_cast<std::size_t>(row) < entries_.size() ? row : -1;
}

void CompetitionListEditor::Add() {
  if (!CanAdd()) return;
  const std::size_t at = selected_ >= 0 ? static_cast<std::size_t>(selected_) : entries_.size();
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                  CompetitionEntry{kNewCompetitionCaption, ""});
  selected_ = static_cast<int>(at);
}

void CompetitionListEditor::Delete() {
  if (!CanDelete()) return;
  entries_.erase(entries_.begin() + selected_);
  if (static_cast<std::size_t>(selected_) >= entries_.size()) {
    selected_ = static_cast<int>(entries_.size()) - 1;
  }
}

void CompetitionListEditor::MoveUp() {
  if (!CanMoveUp()) return;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
}

void CompetitionListEditor::MoveDown() {
  if (!CanMoveDown()) return;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
}

void CompetitionListEditor::TypeConfigFile(std::string_view text) {
  if (selected_ < 0) return;
  std::string& file = entries_[static_cast<std::size_t>(selected_)].fileName;
  if (file != "-") file = Trim(text);
}

void CompetitionListEditor::SetSelectedTitle(std::string title) {
  if (selected_ >= 0) entries_[static_cast<std::size_t>(selected_)].caption = std::move(title);
}

std::string CompetitionListEditor::SelectedFile() const {
  return selected_ >= 0 ? entries_[static_cast<std::size_t>(selected_)].fileName : std::string();
}

std::vector<CompetitionEntry> CompetitionListEditor::MenuEntries() const {
  std::vector<CompetitionEntry> menu;
  for (const CompetitionEntry& entry : entries_) {
    if (!entry.caption.empty()) menu.push_back(entry);
  }
  return menu;
}

PreferencesEditor::PreferencesEditor(const Preferences& prefs,
                                     std::vector<CompetitionEntry> competitionEntries)
    : draft(prefs), competitions(std::move(competitionEntries)), current_(prefs) {}

std::string PreferencesEditor::LeaveRiderFile(std::string_view text) {
  const std::string file = Trim(text);
  draft.PrefRiderDbFile = file.empty() ? current_.PrefRiderDbFile : file;
  return draft.PrefRiderDbFile;
}

std::string PreferencesEditor::LeaveMaxAverage(std::string_view text) {
  // Digits only reach the box; a value past the 16-bit range would overflow, so only the
  // range the program can use is taken.
  const std::string digits = Trim(text);
  const bool allDigits = !digits.empty() && digits.size() <= 5 &&
                         digits.find_first_not_of("0123456789") == std::string::npos;
  if (allDigits) {
    const int value = std::stoi(digits);
    if (value >= 1 && value <= 99) draft.PrefMaxAverage = static_cast<Integer>(value);
  }
  return Dec(draft.PrefMaxAverage);
}

void PreferencesEditor::TypeMark(int index, std::string_view text) {
  if (!IsMarkIndex(index)) return;
  draft.PrefMarks[static_cast<std::size_t>(index)] = Left(Trim(text), kMarkLength);
}

std::string PreferencesEditor::LeaveMark(int index) {
  if (!IsMarkIndex(index)) return std::string();
  std::string& mark = draft.PrefMarks[static_cast<std::size_t>(index)];
  if (mark.empty()) mark = current_.PrefMarks[static_cast<std::size_t>(index)];
  return mark;
}

PreferencesEditor::Applied PreferencesEditor::Apply(std::string_view maxAverageText,
                                                    std::string_view riderFileText) {
  LeaveMaxAverage(maxAverageText);
  LeaveRiderFile(riderFileText);
  for (int i = 1; i <= kMarkCount; ++i) LeaveMark(i);
  return {draft, competitions.MenuEntries()};
}

}  // namespace corvane
