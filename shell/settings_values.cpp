#include "shell/settings_values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/io/text_encoding.h"
#include "engine/records/conventions.h"
#include "engine/records/meeting.h"

namespace corvane {

namespace {

constexpr std::string_view kCompetitionsGroup = "Competitions/";

const std::string* Find(const SettingsValues& values, std::string_view key) {
  for (const auto& [name, text] : values) {
    if (name == key) return &text;
  }
  return nullptr;
}

std::string ValueOf(const SettingsValues& values, std::string_view key) {
  const std::string* text = Find(values, key);
  return text != nullptr ? *text : std::string();
}

Integer IntegerOf(const SettingsValues& values, std::string_view key) {
  return RoundToIntegerClamped(LeadingNumber(ValueOf(values, key)));
}

// Twips can exceed 16 bits on large screens; anything beyond a billion is out of every range.
long WholeNumberOf(const SettingsValues& values, std::string_view key) {
  const double number = LeadingNumber(ValueOf(values, key));
  if (!std::isfinite(number) || std::fabs(number) > 1e9) return -1;
  return std::lrint(number);  // the default rounding mode rounds half to even
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Separators inside a field would shift every later field when read back, so a field's commas
// are written as blanks.
std::string WithoutCommas(std::string text) {
  for (char& c : text) {
    if (c == ',') c = ' ';
  }
  return text;
}

std::vector<CompetitionEntry> ReadCompetitions(const SettingsValues& values) {
  std::vector<CompetitionEntry> entries;
  for (const auto& [name, text] : values) {
    if (!StartsWith(name, kCompetitionsGroup)) continue;
    // The caption ends at the first comma; the file name is all the rest, so a path holding a
    // comma survives.
    std::string fileName;
    const std::vector<std::string> fields = SplitFields(text, ",", 1, &fileName);
    if (fields[1].empty() || fields[1] == "-") continue;
    entries.push_back({Left(fields[1], kCompetitionCaptionLength), Trim(fileName)});
    if (entries.size() == static_cast<std::size_t>(kMaxCompetitions)) break;
  }
  return entries;
}

// The first-run width shows the widest report line of the bundled competitions (105
// characters) in the results font, with its scroll bar and frame...
constexpr int kFirstRunWidth = 13800;
// ...and the Forecast panel beside it, as wide as its chances of a team meeting make it.
constexpr int kForecastPanelWidth = 6600;

WindowPlacement ReadPlacement(const SettingsValues& values, ScreenTwips screen,
                              bool forecastShown) {
  WindowPlacement window;
  const long left = WholeNumberOf(values, "MainWindow/Left");
  const long top = WholeNumberOf(values, "MainWindow/Top");
  const long height = WholeNumberOf(values, "MainWindow/Height");
  const long width = WholeNumberOf(values, "MainWindow/Width");
  const long state = WholeNumberOf(values, "MainWindow/WindowState");
  window.left = left >= 0 && left <= screen.width ? static_cast<int>(left) : 0;
  window.top = top >= 0 && top <= screen.height ? static_cast<int>(top) : 0;
  window.height =
      height >= 405 && height <= screen.height ? static_cast<int>(height) : screen.height - 1000;
  window.width =
      width >= 1680 && width <= screen.width
          ? static_cast<int>(width)
          : std::min(screen.width, kFirstRunWidth + (forecastShown ? kForecastPanelWidth : 0));
  window.state = state == 2 ? 2 : 0;
  return window;
}

}  // namespace

bool NeedsImport(std::string_view runningVersion, std::string_view storedVersion) {
  return LeadingNumber(runningVersion) > LeadingNumber(storedVersion);
}

ShellSettings ReadShellSettings(const SettingsValues& values, ScreenTwips screen) {
  ShellSettings settings;
  settings.competitions = ReadCompetitions(values);
  settings.showForecast = ValueOf(values, "MainWindow/ShowForecast") != "0";
  settings.window = ReadPlacement(values, screen, settings.showForecast);

  Preferences& prefs = settings.prefs;
  prefs.PrefMaxAverage = IntegerOf(values, "DefMaxAvge");
  if (prefs.PrefMaxAverage < 1 || prefs.PrefMaxAverage > 99) prefs.PrefMaxAverage = 12;
  prefs.PrefHomeAdvantage = IntegerOf(values, "DefHomeAdv");
  if (prefs.PrefHomeAdvantage < 0 || prefs.PrefHomeAdvantage > 1) prefs.PrefHomeAdvantage = 0;
  prefs.PrefStartGrid = IntegerOf(values, "DefStartPrefs");
  if (prefs.PrefStartGrid < 0 || prefs.PrefStartGrid > 3) prefs.PrefStartGrid = 0;
  prefs.PrefRiderDbFile = ValueOf(values, "RiderFile");
  if (prefs.PrefRiderDbFile.empty()) prefs.PrefRiderDbFile = "Lineups.rdb";

  const std::vector<std::string> players = SplitFields(ValueOf(values, "DefPlayers"), ",", 9);
  for (std::size_t i = 1; i <= 9; ++i) {
    const Integer player = RoundToIntegerClamped(LeadingNumber(players[i]));
    prefs.PrefPlayers[i] = player == 1 ? 1 : 0;
  }

  const std::vector<std::string> marking =
      SplitFields(ValueOf(values, "DefProgMarking"), ",", kMarkCount + 1);
  const auto defaults = Preferences::DefaultMarks();
  for (std::size_t i = 1; i <= kMarkCount; ++i) {
    prefs.PrefMarks[i] = marking[i].empty() ? defaults[i] : Left(marking[i], kMarkLength);
  }
  prefs.PrefTeamScoring = RoundToIntegerClamped(LeadingNumber(marking[kMarkCount + 1]));
  return settings;
}

SettingsValues WriteShellSettings(const ShellSettings& settings, std::string_view appVersion) {
  SettingsValues values;
  const auto& competitions = settings.competitions;
  for (std::size_t i = 0; i < competitions.size() && i < kMaxCompetitions; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Competitions/MenuPos%02zu", i + 1);
    std::string text = WithoutCommas(competitions[i].caption);
    if (!competitions[i].fileName.empty()) text += ", " + competitions[i].fileName;
    values.emplace_back(name, text);
  }

  const WindowPlacement& window = settings.window;
  values.emplace_back("MainWindow/WindowState", Dec(window.state));
  if (window.state == 0) {
    values.emplace_back("MainWindow/Left", Dec(window.left));
    values.emplace_back("MainWindow/Top", Dec(window.top));
    values.emplace_back("MainWindow/Height", Dec(window.height));
    values.emplace_back("MainWindow/Width", Dec(window.width));
  }
  values.emplace_back("MainWindow/ShowForecast", settings.showForecast ? "1" : "0");

  const Preferences& prefs = settings.prefs;
  values.emplace_back("Version", std::string(appVersion));
  values.emplace_back("DefMaxAvge", Dec(prefs.PrefMaxAverage));
  values.emplace_back("DefStartPrefs", Dec(prefs.PrefStartGrid));
  values.emplace_back("DefHomeAdv", Dec(prefs.PrefHomeAdvantage));
  values.emplace_back("RiderFile", prefs.PrefRiderDbFile);

  std::string players;
  for (std::size_t i = 1; i <= 9; ++i) players += Dec(prefs.PrefPlayers[i]) + ",";
  values.emplace_back("DefPlayers", players);

  std::string marking;
  for (std::size_t i = 1; i <= kMarkCount; ++i) {
    marking += WithoutCommas(prefs.PrefMarks[i]) + ",";
  }
  marking += Dec(prefs.PrefTeamScoring);
  values.emplace_back("DefProgMarking", marking);
  return values;
}

}  // namespace corvane
