#include "soak/awkward_competitions.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/programme/programme_line.h"
#include "support/whole_meeting.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

Lines ReadBundled(const std::string& name) {
  std::ifstream in(ScriptsFolder() / name);
  Lines lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool IsHeatLine(const std::string& line) {
  if (line.empty() || line[0] == '#' || line.find('=') != std::string::npos) return false;
  const ProgrammeLine read = ReadProgrammeLine(line);
  return read.commandWord == CommandWord::kNone && read.heat;
}

// Gives the competition its own menu title.
void Retitle(Lines& lines, const std::string& title) {
  for (std::string& line : lines) {
    if (line.empty() || line[0] == '#') continue;
    line = line.substr(0, line.find('~')) + "~" + title;
    return;
  }
}

// Repeats the file's first heat lines before the first line that is `marker`, until that many
// heats stand before it.
void PadHeatsBefore(Lines& lines, const std::string& marker, int heats) {
  Lines heatLines;
  std::size_t at = 0;
  for (; at < lines.size() && lines[at] != marker; ++at) {
    if (IsHeatLine(lines[at])) heatLines.push_back(lines[at]);
  }
  if (heatLines.empty()) return;
  Lines padding;
  for (std::size_t k = 0; heatLines.size() + padding.size() < static_cast<std::size_t>(heats);
       ++k) {
    padding.push_back(heatLines[k % heatLines.size()]);
  }
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), padding.begin(), padding.end());
}

void InsertAfter(Lines& lines, const std::string& after, const Lines& added) {
  for (std::size_t at = 0; at < lines.size(); ++at) {
    if (lines[at] != after) continue;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at + 1), added.begin(), added.end());
    return;
  }
}

std::filesystem::path Write(const std::filesystem::path& folder, const std::string& name,
                            const Lines& lines) {
  std::ostringstream text;
  for (const std::string& line : lines) text << line << "\r\n";
  const std::filesystem::path path = folder / name;
  std::ofstream(path, std::ios::binary) << text.str();
  return path;
}

}  // namespace

std::vector<std::filesystem::path> WriteAwkwardCompetitions(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> written;

  Lines lines = ReadBundled("league-match.cfg");
  Retitle(lines, "Awkward Lines");
  InsertAfter(lines, "1:A1,B1,A2,B2", {"1a:A3", "GROUPTITLE=A,Harbour: Herons", "1b:B7"});
  // Heats 5 to 12 with a nominated place of team A beside places of its own riders.
  for (std::string& line : lines) {
    const std::size_t colon = line.find(':');
    if (!IsHeatLine(line) || colon == std::string::npos) continue;
    const int label = std::atoi(line.substr(0, colon).c_str());
    const std::size_t a = line.rfind(",A");
    if (label >= 5 && label <= 12 && a != std::string::npos) line.insert(a + 2, "N");
  }
  InsertAfter(lines, "13:A1,B5,A5,B2", {"13a:AN2", "13b:A1,B1,AN2,B2", "13c:B3,AN1,B4,A4"});
  lines.insert(lines.end(), {"15a:B1", "TACSUBS-ON", "RANKRIDERSCORES"});
  written.push_back(Write(folder, "awkward-lines.cfg", lines));

  for (const int heats : {37, 38, 39}) {
    lines = ReadBundled("individual-16.cfg");
    Retitle(lines, "Runoffs after " + std::to_string(heats) + " heats");
    PadHeatsBefore(lines, "RUNOFFS-4", heats);
    written.push_back(Write(folder, "runoffs-" + std::to_string(heats) + ".cfg", lines));

    lines = ReadBundled("group-stages.cfg");
    Retitle(lines, "Transfers after " + std::to_string(heats - 6) + " heats");
    PadHeatsBefore(lines, "RANKTEAMSCORES", heats - 6);
    written.push_back(Write(folder, "transfers-" + std::to_string(heats) + ".cfg", lines));

    lines = ReadBundled("league-with-support.cfg");
    Retitle(lines, "Support from heat " + std::to_string(heats - 3));
    PadHeatsBefore(lines, "SUPPORT-8", heats - 3);
    written.push_back(Write(folder, "support-" + std::to_string(heats) + ".cfg", lines));
  }
  return written;
}

}  // namespace corvane::testing
