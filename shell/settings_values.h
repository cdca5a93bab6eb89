// The settings the desktop program keeps between runs, as the store's text values: reading
// them with every range rule and default, and writing them back. No store access here; the
// settings store turns its file into these values and back.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/records/preferences.h"

namespace corvane {

inline constexpr int kMaxCompetitions = 99;  // items of the New Meeting menu
inline constexpr std::size_t kCompetitionCaptionLength = 40;
inline constexpr std::size_t kMarkLength = 2;

// One item of the New Meeting menu.
struct CompetitionEntry {
  std::string caption;
  std::string fileName;  // configuration file: a name in the Scripts folder, or a full path

  bool operator==(const CompetitionEntry&) const = default;
};

// The main window's outer position and size in twips.
struct WindowPlacement {
  int left = 0;
  int top = 0;
  int height = 0;
  int width = 0;
  int state = 0;  // 0 normal, 1 minimised, 2 maximised

  bool operator==(const WindowPlacement&) const = default;
};

struct ScreenTwips {
  int width = 0;
  int height = 0;
};

struct ShellSettings {
  Preferences prefs;
  std::vector<CompetitionEntry> competitions;
  WindowPlacement window;
  bool showForecast = true;  // View, Forecast
  // The user's decimal separator and short date pattern (lower-cased), UTF-8: how the
  // programme editor shows and reads averages and dates. From the locale, not the store.
  std::string localeDecimal = ".";
  std::string localeShortDate = "dd/mm/yy";
};

// The store's values in store order, UTF-8. Keys of the top level stand alone ("DefMaxAvge");
// those of a group carry it in front ("Competitions/MenuPos01", "MainWindow/Left").
using SettingsValues = std::vector<std::pair<std::string, std::string>>;

// True when the running version is newer than the stored one, comparing the leading numbers
// of the texts "major.minor" (a missing version is 0), so the shipped defaults are imported.
bool NeedsImport(std::string_view runningVersion, std::string_view storedVersion);

// The settings the values hold; anything missing or out of range takes its default.
ShellSettings ReadShellSettings(const SettingsValues& values, ScreenTwips screen);

// The values to store, in store order. The window's position and size are written only when
// it is in its normal state.
SettingsValues WriteShellSettings(const ShellSettings& settings, std::string_view appVersion);

}  // namespace corvane
