#include "engine/competition/competition_notes.h"

#include <algorithm>
#include <iterator>

#include "engine/competition/competition_file.h"

namespace corvane {

namespace {

constexpr std::string_view kCommands[] = {
    "SUPPORT", "HANDICAP", "NOMINATED", "POINTS",   "RANKRIDERSCORES", "RANKTEAMSCORES", "RESSUBS",
    "RDRREP",  "RUNOFFS",  "SCORING",   "STARTPOS", "TACSUBS",         "TFRRIDER",       "TFRTEAM"};

// Edits (insert, delete, change, swap of neighbours) from one word to the other.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string DidYouMean(std::string_view word) {
  if (word.size() < 4 || word.size() > 40) return std::string();
  std::string_view best;
  std::size_t bestDistance = 3;
  const auto consider = [&](std::string_view candidate) {
    const std::size_t distance = EditDistance(word, candidate);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = candidate;
    }
  };
  for (std::string_view keyword : CompetitionKeywords()) consider(keyword);
  for (std::string_view command : kCommands) consider(command);
  return best.empty() ? std::string() : ", did you mean " + std::string(best) + "?";
}

}  // namespace corvane
