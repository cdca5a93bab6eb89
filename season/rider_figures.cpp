#include "season/rider_figures.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "engine/io/text_encoding.h"
#include "engine/records/characters.h"
#include "report/results_export.h"
#include "riderdb/rider_database.h"

namespace corvane {

double RiderFigures::Average() const {
  return rides > 0 ? (points + bonus) * 4.0 / rides : 0.0;
}

std::vector<RiderFigures> SeasonRiderFigures(const Season& season) {
  std::map<std::pair<int, std::string>, RiderFigures> byRider;
  for (const FixtureResult& result : season.results) {
    for (const RiderRides& r : result.riders) {
      if (r.rides <= 0) continue;
      RiderFigures& f = byRider[{r.lineup, r.rider}];
      f.lineup = r.lineup;
      f.rider = r.rider;
      ++f.meetings;
      f.rides += r.rides;
      f.points += r.points;
      f.bonus += r.bonus;
    }
  }
  std::vector<RiderFigures> riders;
  for (auto& [key, figures] : byRider) riders.push_back(std::move(figures));
  std::stable_sort(riders.begin(), riders.end(), [](const RiderFigures& a, const RiderFigures& b) {
    if (a.lineup != b.lineup) return a.lineup < b.lineup;
    return a.Average() > b.Average();
  });
  return riders;
}

std::string RiderFiguresText(const Season& season, const std::vector<RiderFigures>& riders,
                             TableFormat format) {
  auto lineupName = [&](int i) {
    return i >= 0 && i < static_cast<int>(season.lineups.size())
               ? season.lineups[static_cast<std::size_t>(i)]
               : std::string();
  };
  auto average = [](const RiderFigures& f) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", f.Average());
    return std::string(text);
  };
  std::string out;
  if (format == TableFormat::Html) {
    std::vector<std::vector<std::string>> rows;
    for (const RiderFigures& f : riders) {
      rows.push_back({lineupName(f.lineup), f.rider, std::to_string(f.meetings),
                      std::to_string(f.rides), std::to_string(f.points), std::to_string(f.bonus),
                      average(f)});
    }
    return HtmlPage("Riders' season figures",
                    {"Line-up", "Rider", "Meetings", "Rides", "Points", "Bonus", "Average"}, rows);
  }
  if (format == TableFormat::Csv) {
    out = "lineup,rider,meetings,rides,points,bonus,average\n";
    for (const RiderFigures& f : riders) {
      out += CsvName(lineupName(f.lineup)) + "," + CsvName(f.rider) + "," +
             std::to_string(f.meetings) + "," + std::to_string(f.rides) + "," +
             std::to_string(f.points) + "," + std::to_string(f.bonus) + "," + average(f) + "\n";
    }
    return out;
  }
  if (format == TableFormat::Json) {
    out = "[\n";
    for (std::size_t i = 0; i < riders.size(); ++i) {
      const RiderFigures& f = riders[i];
      out +=
          "  {\"lineup\": " + JsonString(lineupName(f.lineup)) +
          ", \"rider\": " + JsonString(f.rider) + ", \"meetings\": " + std::to_string(f.meetings) +
          ", \"rides\": " + std::to_string(f.rides) + ", \"points\": " + std::to_string(f.points) +
          ", \"bonus\": " + std::to_string(f.bonus) + ", \"average\": " + average(f) +
          (i + 1 < riders.size() ? "},\n" : "}\n");
    }
    return out + "]\n";
  }
  char line[256];
  int shown = -1;
  for (const RiderFigures& f : riders) {
    if (f.lineup != shown) {
      shown = f.lineup;
      out += (out.empty() ? "" : "\n") + lineupName(f.lineup) + "\n";
      std::snprintf(line, sizeof line, "  %-26s %3s %5s %5s %5s %7s\n", "", "M", "Rides", "Pts",
                    "Bonus", "Average");
      out += line;
    }
    std::snprintf(line, sizeof line, "  %s %3d %5d %5d %5d %7s\n",
                  PaddedToWidth(f.rider, 26).c_str(), f.meetings, f.rides, f.points, f.bonus,
                  average(f).c_str());
    out += line;
  }
  return out;
}

Result<std::string> DatabaseWithSeasonAverages(const Season& season) {
  RiderDatabase db;
  const Status read = ReadDatabaseText(db, season.database);
  if (!read) return Error{read.error()};
  const std::vector<RiderFigures> riders = SeasonRiderFigures(season);
  for (LineupRecord& record : db.records) {
    const std::string lineup = record.name;
    const auto at = std::find(season.lineups.begin(), season.lineups.end(), lineup);
    if (at == season.lineups.end()) continue;
    const int index = static_cast<int>(at - season.lineups.begin());
    for (int slot = 1; slot <= kLineupRiders; ++slot) {
      const std::string name = record.riderNames[static_cast<std::size_t>(slot)];
      if (name.empty()) continue;
      for (const RiderFigures& f : riders) {
        if (f.lineup != index || f.rider != name) continue;
        const double average = std::clamp(f.Average(), kLowestFileAverage, kHighestFileAverage);
        record.riderAverages[static_cast<std::size_t>(slot)] =
            static_cast<Single>(average / kFileAverageScale);
      }
    }
  }
  return DatabaseText(db);
}

}  // namespace corvane
