#include "report/results_export.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "engine/records/conventions.h"
#include "report/report_tables.h"

namespace corvane {

namespace {

constexpr std::string_view kNotHeld = "Race not held";

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

// Places in the widest heat, at least one column.
std::size_t PlaceColumns(const ResultTables& tables) {
  std::size_t places = 1;
  for (const HeatRow& heat : tables.heats) places = std::max(places, heat.finishers.size());
  return places;
}

std::string Ordinal(std::size_t n) {
  static constexpr std::string_view kSuffix[] = {"th", "st", "nd", "rd"};
  return Dec(static_cast<long>(n)) + std::string(kSuffix[n <= 3 ? n : 0]);
}

std::string GroupHeading(const GroupTable& group) {
  if (!group.scored || group.title.empty()) return group.title;
  std::string text = group.title + " " + Dec(group.points);
  if (group.extra > 0) text += " (" + Dec(long{group.points} + group.extra) + ")";
  return text;
}

// --- HTML ---

std::string Cell(std::string_view tag, std::string_view text, std::string_view attributes = {}) {
  std::string out = "<" + std::string(tag);
  if (!attributes.empty()) out += " " + std::string(attributes);
  return out + ">" + HtmlEscaped(text) + "</" + std::string(tag) + ">";
}

std::string Number(long value) {
  return Cell("td", Dec(value), "class=\"n\"");
}

void AppendScorecardTable(std::string& html, const GroupTable& group, int rides) {
  html += "<table class=\"scorecard\">\n";
  const std::string heading = GroupHeading(group);
  if (!heading.empty()) html += Cell("caption", heading) + "\n";
  html += "<thead><tr><th>No.</th><th>Rider</th>";
  for (int k = 1; k <= rides; ++k) html += Cell("th", Dec(k));
  html += "<th>Points</th><th>Bonus</th><th></th></tr></thead>\n<tbody>\n";
  for (const RiderRow& rider : group.riders) {
    html += "<tr>" + Cell("td", rider.number, "class=\"n\"");
    html += Cell("td", rider.name);
    if (rider.rides.empty()) {
      html += Cell("td", rider.note, "colspan=\"" + Dec(rides + 3) + "\"");
    } else {
      for (const std::string& ride : rider.rides) html += Cell("td", ride, "class=\"c\"");
      html += Number(rider.points) + (rider.bonus > 0 ? Number(rider.bonus) : Cell("td", ""));
      html += Cell("td", rider.note);
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

void AppendHeatTable(std::string& html, const ResultTables& tables) {
  const std::size_t places = PlaceColumns(tables);
  const std::size_t teams = tables.teams.size();
  const bool heatPoints = teams == 2;
  html += "<table class=\"heats\">\n<thead>\n<tr>";
  const std::string rowSpan = teams > 0 ? " rowspan=\"2\"" : "";
  html += "<th" + rowSpan + ">Heat</th>";
  html += Cell("th", "Result", "colspan=\"" + Dec(static_cast<long>(places)) + "\"" + rowSpan);
  if (heatPoints) html += Cell("th", "Heat points", "colspan=\"2\"");
  if (teams > 0) html += Cell("th", "Total", "colspan=\"" + Dec(static_cast<long>(teams)) + "\"");
  html += "</tr>\n";
  if (teams > 0) {
    html += "<tr>";
    for (int pass = heatPoints ? 0 : 1; pass < 2; ++pass) {
      for (const std::string& team : tables.teams) html += Cell("th", team);
    }
    html += "</tr>\n";
  }
  html += "</thead>\n<tbody>\n";
  for (const HeatRow& heat : tables.heats) {
    html += "<tr>" + Number(heat.number);
    if (!heat.held) {
      html += Cell("td", kNotHeld, "colspan=\"" + Dec(static_cast<long>(places)) + "\"");
    } else {
      for (std::size_t p = 0; p < places; ++p) {
        html += Cell("td", p < heat.finishers.size() ? heat.finishers[p] : "");
      }
    }
    if (heatPoints) {
      for (std::size_t t = 0; t < 2; ++t) {
        html += t < heat.heatPoints.size() ? Number(heat.heatPoints[t]) : Cell("td", "");
      }
    }
    for (std::size_t t = 0; t < teams; ++t) {
      html += t < heat.totals.size() ? Number(heat.totals[t]) : Cell("td", "");
    }
    html += "</tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

// --- CSV ---

void AppendRow(std::string& csv, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) csv += ',';
    csv += CsvField(fields[i]);
  }
  csv += "\r\n";
}

}  // namespace

std::string FormulaSafe(std::string_view text) {
  const bool formula = !text.empty() && (text[0] == '=' || text[0] == '+' || text[0] == '@' ||
                                         text[0] == '-' || text[0] == '\t' || text[0] == '\r');
  return formula ? "'" + std::string(text) : std::string(text);
}

std::string CsvName(std::string_view text) {
  return CsvField(FormulaSafe(text));
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

ExportFormat ExportFormatForFile(std::string_view fileName) {
  if (EndsWithNoCase(fileName, ".html") || EndsWithNoCase(fileName, ".htm")) {
    return ExportFormat::Html;
  }
  if (EndsWithNoCase(fileName, ".csv")) return ExportFormat::Csv;
  return ExportFormat::Text;
}

std::string ResultsHtml(const Meeting& m) {
  const ResultTables tables = TabulateResults(m);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n" +
      Cell("title", tables.title.empty() ? std::string("Meeting results") : tables.title) +
      "\n<style>\n"
      "table { border-collapse: collapse; margin: 0 0 1.5em 0; }\n"
      "caption { font-weight: bold; text-align: left; padding: 0.2em 0; }\n"
      "th, td { border: 1px solid #999; padding: 0.15em 0.5em; }\n"
      "td.n { text-align: right; }\n"
      "td.c { text-align: center; }\n"
      "</style>\n</head>\n<body>\n";
  if (!tables.title.empty()) html += Cell("h1", tables.title) + "\n";
  if (!tables.date.empty()) {
    html +=
        Cell("p", tables.venue.empty() ? tables.date : tables.date + " at " + tables.venue) + "\n";
  }
  for (const GroupTable& group : tables.groups) AppendScorecardTable(html, group, tables.rides);
  AppendHeatTable(html, tables);
  return html + "</body>\n</html>\n";
}

std::string ResultsCsv(const Meeting& m) {
  const ResultTables tables = TabulateResults(m);
  std::string csv;
  std::vector<std::string> heading = {"Team", "No.", "Rider"};
  for (int k = 1; k <= tables.rides; ++k) heading.push_back("Ride " + Dec(k));
  heading.insert(heading.end(), {"Points", "Bonus", "Note"});
  AppendRow(csv, heading);
  for (const GroupTable& group : tables.groups) {
    for (const RiderRow& rider : group.riders) {
      std::vector<std::string> row = {FormulaSafe(group.title), rider.number,
                                      FormulaSafe(rider.name)};
      const bool card = !rider.rides.empty();
      for (int k = 0; k < tables.rides; ++k) {
        row.push_back(card ? rider.rides[static_cast<std::size_t>(k)] : "");
      }
      row.push_back(card ? Dec(rider.points) : "");
      row.push_back(card ? Dec(rider.bonus) : "");
      row.push_back(rider.note);
      AppendRow(csv, row);
    }
  }
  csv += "\r\n";

  const std::size_t places = PlaceColumns(tables);
  heading = {"Heat"};
  for (std::size_t p = 1; p <= places; ++p) heading.push_back(Ordinal(p));
  if (tables.teams.size() == 2) {
    for (const std::string& team : tables.teams) heading.push_back(FormulaSafe(team + " heat"));
  }
  for (const std::string& team : tables.teams) heading.push_back(FormulaSafe(team + " total"));
  heading.push_back("Note");
  AppendRow(csv, heading);
  for (const HeatRow& heat : tables.heats) {
    std::vector<std::string> row = {Dec(heat.number)};
    for (std::size_t p = 0; p < places; ++p) {
      row.push_back(p < heat.finishers.size() ? FormulaSafe(heat.finishers[p]) : "");
    }
    if (tables.teams.size() == 2) {
      for (std::size_t t = 0; t < 2; ++t) {
        row.push_back(t < heat.heatPoints.size() ? Dec(heat.heatPoints[t]) : "");
      }
    }
    for (std::size_t t = 0; t < tables.teams.size(); ++t) {
      row.push_back(t < heat.totals.size() ? Dec(heat.totals[t]) : "");
    }
    row.push_back(heat.held ? "" : std::string(kNotHeld));
    AppendRow(csv, row);
  }
  return csv;
}

}  // namespace corvane
